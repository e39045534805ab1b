// trasso-cli: the track work of the editor without a window, for scripts and
// build pipelines.
#include <csignal>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_commands.h"

namespace {
constexpr const char* kUsage =
    "usage: trasso-cli input TRACK.tr                 print the compiler input\n"
    "       trasso-cli compile TRACK.tr [-o OUT.trk]  compile with Mapforge\n"
    "       trasso-cli resave IN.tr OUT.tr            load and save again\n"
    "       trasso-cli info TRACK.tr                  count what the track holds\n"
    "       trasso-cli example OUT.tr                 write the example track\n"
    "       trasso-cli --help | --version\n";

int Usage() {
  std::cerr << kUsage;
  return 2;
}

int Dispatch(const std::vector<std::string>& args) {
  if (args.size() == 1 && args[0] == "--help") {
    std::cout << kUsage;
    return 0;
  }
  if (args.size() == 1 && args[0] == "--version") {
    std::cout << "trasso-cli " << TRASSO_VERSION << "\n";
    return 0;
  }
  if (args.empty()) return Usage();
  const std::string& command = args[0];
  if (command == "input" && args.size() == 2) return RunInput(args[1]);
  if (command == "info" && args.size() == 2) return RunInfo(args[1]);
  if (command == "example" && args.size() == 2) return RunExample(args[1]);
  if (command == "resave" && args.size() == 3) return RunResave(args[1], args[2]);
  if (command == "compile" && args.size() == 2) return RunCompile(args[1], "");
  if (command == "compile" && args.size() == 4 && args[2] == "-o" && !args[3].empty()) {
    return RunCompile(args[1], args[3]);
  }
  return Usage();
}
}  // namespace

int main(int argc, char** argv) {
  // A file-size limit makes the write fail with a message instead of killing us
  // half-way with the temporary files still there.
  signal(SIGXFSZ, SIG_IGN);
  int status = 0;
  try {
    status = Dispatch(std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc));
  } catch (const std::exception& e) {
    std::cerr << "trasso-cli: " << e.what() << "\n";
    return 1;
  }
  // Output that could not be written is a failure, whatever the command did.
  if (status == 0 && !std::cout.flush()) {
    std::cerr << "trasso-cli: standard output: write error\n";
    return 1;
  }
  return status;
}
