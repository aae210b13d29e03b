#include "adapters/PosixProcessLauncher.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

#include <sys/wait.h>

namespace trakvella {

bool PosixProcessLauncher::StartDetached(const std::string& program, const std::vector<std::string>& arguments,
                                         const std::string& workingFolder) {
  std::vector<std::string> args;
  args.push_back(program);
  args.insert(args.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);

  // The grandchild reports a failed chdir or exec through this pipe; a pipe
  // closed by a successful exec reads as end of file.
  int report[2];
  if (pipe2(report, O_CLOEXEC) != 0) return false;
  const pid_t child = fork();
  if (child < 0) {
    close(report[0]);
    close(report[1]);
    return false;
  }
  if (child == 0) {
    close(report[0]);
    if (setsid() < 0) _exit(127);
    const pid_t grandchild = fork();
    if (grandchild != 0) _exit(grandchild < 0 ? 127 : 0);
    int null = open("/dev/null", O_RDWR);
    if (null >= 0) {
      dup2(null, 0);
      dup2(null, 1);
      dup2(null, 2);
      if (null > 2) close(null);
    }
    int error = 0;
    if (!workingFolder.empty() && chdir(workingFolder.c_str()) != 0) {
      error = errno;
    } else {
      execvp(argv[0], argv.data());
      error = errno;
    }
    ssize_t written = write(report[1], &error, sizeof error);
    (void)written;
    _exit(127);
  }
  close(report[1]);
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  int error = 0;
  ssize_t got;
  do {
    got = read(report[0], &error, sizeof error);
  } while (got < 0 && errno == EINTR);
  close(report[0]);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0 && got == 0;
}

}  // namespace trakvella
