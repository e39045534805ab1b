// The compiler of the Compile tests. FAKE_MAPFORGE_LOG gets the working directory, stdin=null or
// other, and the arguments a line each; _COPY the input file (argument 2); _NOISE bytes are printed
// first; _CRASH makes it die of SIGSEGV; _CHILD leaves a child holding the output open for a
// minute and writes the child's pid to that file; _SLEEP seconds pass before the output file
// (argument 1) gets one line, unless _NO_OUTPUT is set; _SAY_LINE prints a warning about that line
// of the input; _EXIT is the exit status.
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <iostream>

int main(int argc, char** argv) {
  if (const char* path = std::getenv("FAKE_MAPFORGE_LOG")) {
    std::ofstream log(path);
    char cwd[4096];
    struct stat in, null;
    const bool devNull = fstat(0, &in) == 0 && stat("/dev/null", &null) == 0 &&
                         in.st_rdev == null.st_rdev && S_ISCHR(in.st_mode);
    log << (getcwd(cwd, sizeof cwd) ? cwd : "?")
        << (devNull ? "\nstdin=null\n" : "\nstdin=other\n");
    for (int i = 0; i < argc; ++i) log << argv[i] << '\n';
  }
  if (const char* copy = std::getenv("FAKE_MAPFORGE_COPY"); copy && argc > 2)
    std::ofstream(copy, std::ios::binary) << std::ifstream(argv[2], std::ios::binary).rdbuf();
  const char* noise = std::getenv("FAKE_MAPFORGE_NOISE");
  for (long i = 0; noise && i < std::atol(noise); ++i)
    std::cout.put(static_cast<char>('a' + i % 26));
  std::cout << "fake compiler output\n" << std::flush;
  std::cerr << "fake compiler error\n" << std::flush;
  if (std::getenv("FAKE_MAPFORGE_CRASH")) {
    std::signal(SIGSEGV, SIG_DFL);
    std::raise(SIGSEGV);
  }
  if (const char* pidFile = std::getenv("FAKE_MAPFORGE_CHILD")) {
    const pid_t child = fork();
    if (child == 0) {
      sleep(60);
      _exit(0);
    }
    std::ofstream(pidFile) << child;
  }
  if (const char* line = std::getenv("FAKE_MAPFORGE_SAY_LINE"); line && argc > 2)
    std::cerr << argv[2] << ':' << line << ": warning: look here\n" << std::flush;
  if (const char* seconds = std::getenv("FAKE_MAPFORGE_SLEEP")) sleep(std::atoi(seconds));
  if (argc > 1 && !std::getenv("FAKE_MAPFORGE_NO_OUTPUT")) std::ofstream(argv[1]) << "track\n";
  const char* status = std::getenv("FAKE_MAPFORGE_EXIT");
  return status ? std::atoi(status) : 0;
}
