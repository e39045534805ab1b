// Mapforge: turns the compiler input of a track into a .trk file, reporting
// every problem it finds with its line, or prints a .trk file as text.
#include <algorithm>
#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include "compile.h"
#include "file_io.h"
#include "trk_file.h"

namespace {
constexpr const char* kUsage =
    "usage: Mapforge OUT.trk IN.txt    compile the track description IN.txt\n"
    "       Mapforge --dump FILE.trk   print a compiled track as text\n";

int Dump(const std::string& path) {
  std::string bytes, error;
  mapforge::TrackInput track;
  if (!mapforge::ReadWholeFile(path, bytes, error) || !mapforge::DecodeTrk(bytes, track, error)) {
    std::cerr << path << ": " << error << "\n";
    return 1;
  }
  std::cout << mapforge::DumpTrk(track);
  return std::cout.flush() ? 0 : 1;
}
}  // namespace

int main(int argc, char** argv) {
  // Beyond a file-size limit the write fails with a message and the temporary
  // file goes, instead of a silent death that leaves it behind.
  std::signal(SIGXFSZ, SIG_IGN);
  const std::vector<std::string> args(argv + std::min(argc, 1), argv + argc);
  if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
    std::cout << kUsage;
    return std::cout.flush() ? 0 : 1;
  }
  if (args.size() == 2 && args[0] == "--dump") return Dump(args[1]);
  if (args.size() == 2 && !args[0].empty() && !args[1].empty() && args[0][0] != '-' &&
      args[1][0] != '-') {
    return mapforge::Compile(args[0], args[1], std::cerr);
  }
  std::cerr << kUsage;
  return 2;
}
