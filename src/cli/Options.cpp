#include "cli/Options.h"

#include <algorithm>

#include "core/text/Text.h"

namespace trakvella::cli {
namespace {

bool IsOption(const OptionWords& words, std::string_view word) {
  return word.size() >= words.minLength && word.starts_with(words.prefix);
}

std::string Unknown(UnknownText style, std::string_view command, const std::string& word) {
  switch (style) {
    case UnknownText::Option:
      break;
    case UnknownText::OptionForCommand:
      return "unknown option " + word + " for " + std::string(command);
    case UnknownText::CommandOption:
      return "unknown " + std::string(command) + " option " + word;
    case UnknownText::CommandArgument:
      return "unknown " + std::string(command) + " argument " + word;
  }
  return "unknown option " + word;
}

const OptionSpec* Find(const Syntax& syntax, std::string_view word) {
  auto it = std::find_if(syntax.options.begin(), syntax.options.end(),
                         [&](const OptionSpec& option) { return option.name == word; });
  return it == syntax.options.end() ? nullptr : &*it;
}

}  // namespace

bool Arguments::has(std::string_view option) const {
  return std::any_of(given_.begin(), given_.end(), [&](const auto& g) { return g.first == option; });
}

std::string Arguments::value(std::string_view option) const {
  auto it = std::find_if(given_.rbegin(), given_.rend(), [&](const auto& g) { return g.first == option; });
  return it == given_.rend() ? std::string() : it->second;
}

Arguments ParseArguments(const Syntax& syntax, std::string_view command, const std::vector<std::string>& args) {
  Arguments out;
  size_t i = 0;
  for (; i < args.size() && i < syntax.leading; ++i) out.words_.push_back(args[i]);
  if (syntax.checkLeading) syntax.checkLeading(out.words_);
  for (; i < args.size(); ++i) {
    const std::string& word = args[i];
    if (!IsOption(syntax.optionWords, word)) {
      if (syntax.stopAtArgument) {
        out.rest_.assign(args.begin() + static_cast<std::ptrdiff_t>(i), args.end());
        break;
      }
      out.words_.push_back(word);
      continue;
    }
    const OptionSpec* option = Find(syntax, word);
    const bool valueFollows = i + 1 < args.size();
    if (!option && syntax.pairs && !valueFollows) throw UsageError{word + " wants a value"};
    if (!option) throw UsageError{Unknown(syntax.unknown, command, word)};
    if (option->takesValue && !valueFollows)
      throw UsageError{option->missingValue.empty() ? word + " wants a value" : std::string(option->missingValue)};
    out.given_.emplace_back(word, option->takesValue ? args[++i] : "1");
    if (option->endsLine) break;
  }
  if (out.words_.size() < syntax.minArguments || out.words_.size() > syntax.maxArguments)
    throw UsageError{"wrong number of arguments for " + std::string(command)};
  return out;
}

uint32_t SeedValue(const std::string& text) {
  long long value;
  if (!ParseInt(text, value) || value < 0 || value > UINT32_MAX) throw UsageError{"--seed wants a number"};
  return static_cast<uint32_t>(value);
}

std::vector<std::string> CommaItems(std::string_view text) {
  std::vector<std::string> items;
  size_t from = 0;
  while (from <= text.size()) {
    const size_t comma = std::min(text.find(',', from), text.size());
    items.push_back(Trim(text.substr(from, comma - from)));
    from = comma + 1;
  }
  return items;
}

}  // namespace trakvella::cli
