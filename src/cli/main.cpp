// trasso-cli: the track work of the editor without a window, for scripts and
// build pipelines.
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
  return Dispatch(std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc));
}
