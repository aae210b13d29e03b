#pragma once
// Options: the one reader of trakvella-cli's command lines. A command's Syntax (its row in Commands.cpp)
// names its options and which words count as options; ParseArguments reads the words after the command's
// name into Arguments, or throws UsageError. main prints a UsageError as "trakvella-cli: TEXT" followed
// by the command's usage and exits with status 2; so does every check a command makes of its values.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace trakvella::cli {

// A wrong use of the command line. The command's usage follows the text, or the program's whole
// usage when `programUsage` is set (and always when no command was recognised).
struct UsageError {
  std::string text;
  bool programUsage = false;
};

// One option: its name, whether a value follows it, the text telling that value missing (default
// "NAME wants a value"), and whether it ends the reading of the line (--help: what follows is not read).
struct OptionSpec {
  std::string_view name;
  bool takesValue = false;
  std::string_view missingValue = {};
  bool endsLine = false;
};

// Which words are options: those beginning with `prefix` and at least `minLength` long.
struct OptionWords {
  std::string_view prefix;
  size_t minLength;
};
inline constexpr OptionWords kLongOptions{"--", 3};     // "--name"; "--", "-x" and "-" are arguments
inline constexpr OptionWords kEveryWord{"", 0};         // every word after the leading arguments
inline constexpr OptionWords kNoOptions{"", SIZE_MAX};  // every word is an argument

// How an unknown option is told.
enum class UnknownText {
  Option,            // unknown option --x
  OptionForCommand,  // unknown option --x for search
  CommandOption,     // unknown fetch option --x
  CommandArgument,   // unknown passport argument --x
};

struct Syntax {
  std::vector<OptionSpec> options;
  OptionWords optionWords = kLongOptions;
  UnknownText unknown = UnknownText::Option;
  // Arguments taken as they stand before any option (the track code and relation of "related").
  size_t leading = 0;
  // Checks the leading arguments before the options are read (export's KIND); throws UsageError.
  void (*checkLeading)(const std::vector<std::string>& leading) = nullptr;
  // Fewer or more arguments are "wrong number of arguments for COMMAND".
  size_t minArguments = 0;
  size_t maxArguments = SIZE_MAX;
  // Every word but a flag is NAME VALUE (contract): a name at the end wants a value before it is looked up.
  bool pairs = false;
  // The first argument ends the options; it and every word after it are left in rest() (the program's
  // own options, which stand before the command).
  bool stopAtArgument = false;
};

class Arguments {
 public:
  // The arguments, in command-line order.
  const std::vector<std::string>& words() const { return words_; }
  // The options given, in command-line order; a flag has the value "1".
  const std::vector<std::pair<std::string, std::string>>& given() const { return given_; }
  bool has(std::string_view option) const;
  // The last value given for the option; empty when it was not given.
  std::string value(std::string_view option) const;
  // With Syntax::stopAtArgument: the first argument and every word after it.
  const std::vector<std::string>& rest() const { return rest_; }

 private:
  friend Arguments ParseArguments(const Syntax&, std::string_view, const std::vector<std::string>&);
  std::vector<std::string> words_;
  std::vector<std::pair<std::string, std::string>> given_;
  std::vector<std::string> rest_;
};

// Reads `args` (the words after the command's name) by `syntax`; `command` names the command in the
// error texts. Throws UsageError at the first word it cannot read, or for a wrong number of arguments.
Arguments ParseArguments(const Syntax& syntax, std::string_view command, const std::vector<std::string>& args);

// Values several commands read alike; each throws UsageError with the option's text.
// --seed: 0 to 4294967295.
uint32_t SeedValue(const std::string& text);
// The comma-separated items of a list, trimmed; empty items stay (a caller that skips them says so).
std::vector<std::string> CommaItems(std::string_view text);

}  // namespace trakvella::cli
