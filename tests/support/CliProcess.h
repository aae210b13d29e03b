#pragma once
// Runs trakvella-cli as a process, the way scripts use it, and collects what it wrote.
#include <string>
#include <vector>

namespace trakvella::testing {

struct CliResult {
  int status = -1;
  std::vector<std::string> out;  // stdout lines
  std::string err;
};

CliResult RunCli(const std::vector<std::string>& args);

// The lines of `lines` that begin with `prefix`.
std::vector<std::string> WithPrefix(const std::vector<std::string>& lines, const std::string& prefix);

}  // namespace trakvella::testing
