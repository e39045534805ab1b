#pragma once
// The commands of trasso-cli. Each returns the exit status: 0 success, 1 a
// file that cannot be read or written, or a failed compile.

#include <string>

int RunInput(const std::string& track);
// `output` empty: the name the Compile command proposes.
int RunCompile(const std::string& track, const std::string& output);
int RunResave(const std::string& input, const std::string& output);
int RunInfo(const std::string& track);
// Writes the example track.
int RunExample(const std::string& output);
