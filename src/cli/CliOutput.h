#pragma once
// CliOutput: what every trakvella-cli command writes — key=value lines on stdout with CR, LF and
// backslash escaped, message boxes as "message: TEXT" lines on stderr. Each command owns its StderrDialogs.
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include "ports/Dialogs.h"

namespace trakvella::cli {

// CR, LF and backslash inside a value are written \r, \n and \\.
inline std::string Escape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c == '\r')
      out += "\\r";
    else if (c == '\n')
      out += "\\n";
    else if (c == '\\')
      out += "\\\\";
    else
      out += c;
  }
  return out;
}

inline void Put(std::string_view key, std::string_view value) { std::cout << key << '=' << Escape(value) << '\n'; }

// The first line of standard input without its line end (LF or CR LF): where
// --password-stdin takes the password, so that it never stands in the process's
// command line, which every local user can read. False when there is no line.
inline bool ReadStandardInputLine(std::string& line) {
  line.clear();
  if (!std::getline(std::cin, line) && line.empty()) return false;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return true;
}

// Message boxes become lines on stderr; a question takes the answer given here.
class StderrDialogs : public Dialogs {
 public:
  explicit StderrDialogs(MessageAnswer questionAnswer = MessageAnswer::Yes) : questionAnswer_(questionAnswer) {}
  MessageAnswer Message(const std::string& text, MessageKind, MessageButtons buttons) override {
    std::cerr << "message: " << Escape(text) << '\n';
    switch (buttons) {
      case MessageButtons::YesNo:
      case MessageButtons::YesNoCancel:
      case MessageButtons::YesNoDefaultNo:
      case MessageButtons::YesNoCancelDefaultNo:
        return questionAnswer_;
      case MessageButtons::OkCancel:
        return questionAnswer_ == MessageAnswer::Yes ? MessageAnswer::Ok : MessageAnswer::Cancel;
      case MessageButtons::Ok:
        return MessageAnswer::Ok;
    }
    return MessageAnswer::Ok;
  }
  std::optional<std::string> Input(const std::string&, const std::string&, const std::string&) override {
    return std::nullopt;
  }
  std::string SelectFolder(const std::string&, const std::string&) override { return {}; }
  std::string SaveFileName(const std::string&, const std::string&, const std::string&) override { return {}; }
  std::string OpenFileName(const std::string&, const std::string&, const std::string&) override { return {}; }
  int Choose(const std::string&, const std::string&, const std::vector<std::string>&) override { return -1; }

 private:
  MessageAnswer questionAnswer_;
};

}  // namespace trakvella::cli
