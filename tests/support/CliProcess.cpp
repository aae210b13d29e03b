#include "support/CliProcess.h"

#include <cstdlib>
#include <sstream>

#include <sys/wait.h>

#include "support/Fakes.h"

namespace trakvella::testing {

namespace {
std::string Quote(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}
}  // namespace

CliResult RunCli(const std::vector<std::string>& args, const std::optional<std::string>& input,
                 const std::string& launcher) {
  TempDir scratch;
  std::string command = launcher.empty() ? std::string(TRAKVELLA_CLI) : launcher + " " + TRAKVELLA_CLI;
  for (const auto& a : args) command += " " + Quote(a);
  auto outFile = scratch.path() / "out", errFile = scratch.path() / "err";
  command += " > " + Quote(outFile.string()) + " 2> " + Quote(errFile.string());
  if (input) {
    const auto inFile = scratch.path() / "in";
    WriteFile(inFile, *input);
    command += " < " + Quote(inFile.string());
  }
  CliResult r;
  int raw = std::system(command.c_str());
  r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  std::istringstream out(ReadFile(outFile));
  for (std::string line; std::getline(out, line);) r.out.push_back(line);
  r.err = ReadFile(errFile);
  return r;
}

std::vector<std::string> WithPrefix(const std::vector<std::string>& lines, const std::string& prefix) {
  std::vector<std::string> picked;
  for (const auto& l : lines)
    if (l.rfind(prefix, 0) == 0) picked.push_back(l);
  return picked;
}

}  // namespace trakvella::testing
