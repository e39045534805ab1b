#pragma once
// The commands of trasso-cli. Each returns the exit status: 0 success, 1 a
// file that cannot be read or written, or a failed compile; the check adds
// 3 and 4.

#include <chrono>
#include <string>

int RunInput(const std::string& track);
// `output` empty: the name the Compile command proposes; `timeout` zero: no
// limit. The compiler's messages go to standard error as they come. Ctrl+C,
// SIGTERM, SIGHUP or SIGPIPE kill the compiler with all it started, remove the
// temporary input, and end us by that signal.
int RunCompile(const std::string& track, const std::string& output,
               std::chrono::milliseconds timeout);
// Prints the track's problems, one line each or as a JSON document, and
// returns 0 when there are none, 3 when all are warnings, 4 with an error.
int RunCheck(const std::string& track, bool json);
int RunResave(const std::string& input, const std::string& output);
int RunInfo(const std::string& track);
// Writes the example track.
int RunExample(const std::string& output);
