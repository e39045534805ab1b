// Stands in for the compiler in the Compile tests. Steered by the environment:
//   FAKE_MAPFORGE_LOG    file that receives the working directory, whether
//                        standard input is /dev/null, and every argument, one a line
//   FAKE_MAPFORGE_COPY   file that receives a copy of the input file (argument 2)
//   FAKE_MAPFORGE_NOISE  number of bytes to print on standard output first
//   FAKE_MAPFORGE_CRASH  when set, dies of a segmentation fault
//   FAKE_MAPFORGE_EXIT   exit status (0 when unset)
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>

namespace {
bool StandardInputIsDevNull() {
  struct stat in, null;
  return fstat(0, &in) == 0 && stat("/dev/null", &null) == 0 && in.st_rdev == null.st_rdev &&
         S_ISCHR(in.st_mode);
}

void Log(const char* path, int argc, char** argv) {
  std::ofstream log(path);
  char cwd[4096];
  log << (getcwd(cwd, sizeof cwd) ? cwd : "?") << '\n';
  log << (StandardInputIsDevNull() ? "stdin=null" : "stdin=other") << '\n';
  for (int i = 0; i < argc; ++i) log << argv[i] << '\n';
}
}  // namespace

int main(int argc, char** argv) {
  if (const char* log = std::getenv("FAKE_MAPFORGE_LOG")) Log(log, argc, argv);
  if (const char* copy = std::getenv("FAKE_MAPFORGE_COPY"); copy && argc > 2) {
    std::ofstream(copy, std::ios::binary) << std::ifstream(argv[2], std::ios::binary).rdbuf();
  }
  if (const char* noise = std::getenv("FAKE_MAPFORGE_NOISE")) {
    const long n = std::atol(noise);
    for (long i = 0; i < n; ++i) std::cout.put(static_cast<char>('a' + i % 26));
    std::cout.flush();
  }
  std::cout << "fake compiler output\n" << std::flush;
  std::cerr << "fake compiler error\n" << std::flush;
  if (std::getenv("FAKE_MAPFORGE_CRASH")) {
    std::signal(SIGSEGV, SIG_DFL);
    std::raise(SIGSEGV);
  }
  const char* status = std::getenv("FAKE_MAPFORGE_EXIT");
  return status ? std::atoi(status) : 0;
}
