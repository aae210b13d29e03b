#pragma once
// Runs trakvella-cli as a process, the way scripts use it, and collects what it wrote.
#include <optional>
#include <string>
#include <vector>

namespace trakvella::testing {

struct CliResult {
  int status = -1;
  std::vector<std::string> out;  // stdout lines
  std::string err;
};

// input, when given, is what the process reads on its standard input;
// launcher, when given, a command line the program runs under ("timeout 30").
CliResult RunCli(const std::vector<std::string>& args, const std::optional<std::string>& input = std::nullopt,
                 const std::string& launcher = "");

// The lines of `lines` that begin with `prefix`.
std::vector<std::string> WithPrefix(const std::vector<std::string>& lines, const std::string& prefix);

}  // namespace trakvella::testing
