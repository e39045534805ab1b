// trasso-cli: the track work of the editor without a window, for scripts and
// build pipelines.
#include <charconv>
#include <chrono>
#include <cmath>
#include <csignal>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_commands.h"

namespace {
constexpr const char* kUsage =
    "usage: trasso-cli input TRACK.tr                 print the compiler input\n"
    "       trasso-cli compile TRACK.tr [-o OUT.trk] [--timeout SECONDS]\n"
    "                                                 compile with Mapforge, killed\n"
    "                                                 when it runs longer than SECONDS\n"
    "       trasso-cli check TRACK.tr [--json]        list the track's problems; exit\n"
    "                                                 status 0 none, 3 warnings only,\n"
    "                                                 4 errors\n"
    "       trasso-cli resave IN.tr OUT.tr            load and save again\n"
    "       trasso-cli info TRACK.tr                  count what the track holds\n"
    "       trasso-cli example OUT.tr                 write the example track\n"
    "       trasso-cli --help | --version\n";

int Usage() {
  std::cerr << kUsage;
  return 2;
}

// The longest time limit taken, in seconds: over eleven days.
constexpr int kMaxTimeout = 1000000;

// "compile TRACK.tr [-o OUT.trk] [--timeout SECONDS]", the options in any order.
int Compile(const std::vector<std::string>& args) {
  std::string track, output;
  std::chrono::milliseconds timeout{0};
  for (std::size_t i = 1; i < args.size(); ++i) {
    const bool valueFollows = i + 1 < args.size();
    if (args[i] == "-o" && valueFollows && output.empty() && !args[i + 1].empty()) {
      output = args[++i];
    } else if (args[i] == "--timeout" && valueFollows && timeout.count() == 0) {
      const std::string& text = args[++i];
      double seconds = 0;
      const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seconds);
      // !(seconds > 0) also refuses "nan".
      if (error != std::errc() || end != text.data() + text.size() || !(seconds > 0) ||
          seconds > kMaxTimeout) {
        std::cerr << "trasso-cli: --timeout takes a number of seconds above 0 and at most "
                  << kMaxTimeout << ", not '" << text << "'\n";
        return Usage();
      }
      // Rounded up, so that a tiny limit is still a limit.
      timeout = std::chrono::milliseconds(static_cast<long long>(std::ceil(seconds * 1000)));
    } else if (track.empty()) {
      track = args[i];
    } else {
      return Usage();
    }
  }
  return track.empty() ? Usage() : RunCompile(track, output, timeout);
}

// "check TRACK.tr [--json]", the option before or after the track.
int Check(const std::vector<std::string>& args) {
  std::string track;
  bool json = false;
  for (std::size_t i = 1; i < args.size(); ++i) {
    if (args[i] == "--json" && !json) {
      json = true;
    } else if (track.empty()) {
      track = args[i];
    } else {
      return Usage();
    }
  }
  return track.empty() ? Usage() : RunCheck(track, json);
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
  if (command == "compile") return Compile(args);
  if (command == "check") return Check(args);
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
