#pragma once
// CliOutput: what every trakvella-cli command writes — key=value lines on stdout with CR, LF and
// backslash escaped, message boxes as "message: TEXT" lines on stderr. Each command owns its StderrDialogs.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include "ports/Dialogs.h"

namespace trakvella::cli {

// Appends text with CR, LF and backslash written \r, \n and \\ (runs without
// them go in whole).
inline void AppendEscaped(std::string& out, std::string_view text) {
  auto special = [](char c) { return c == '\r' || c == '\n' || c == '\\'; };
  // Eight bytes at a time: a word holds one of the three when one of its bytes
  // XOR the character is zero.
  constexpr uint64_t kOnes = 0x0101010101010101ULL, kHighs = 0x8080808080808080ULL;
  auto hasZeroByte = [](uint64_t x) { return ((x - kOnes) & ~x & kHighs) != 0; };
  size_t from = 0, i = 0;
  while (i < text.size()) {
    if (i + 8 <= text.size()) {
      uint64_t word;
      std::memcpy(&word, text.data() + i, 8);
      if (!hasZeroByte(word ^ (kOnes * '\r')) && !hasZeroByte(word ^ (kOnes * '\n')) &&
          !hasZeroByte(word ^ (kOnes * '\\'))) {
        i += 8;
        continue;
      }
    }
    const size_t stop = std::min(text.size(), i + 8);
    for (; i < stop; ++i) {
      const char c = text[i];
      if (!special(c)) continue;
      out.append(text.substr(from, i - from));
      out += c == '\r' ? "\\r" : c == '\n' ? "\\n" : "\\\\";
      from = i + 1;
    }
  }
  out.append(text.substr(from));
}

// CR, LF and backslash inside a value are written \r, \n and \\.
inline std::string Escape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  AppendEscaped(out, text);
  return out;
}

inline void Put(std::string_view key, std::string_view value) { std::cout << key << '=' << Escape(value) << '\n'; }

// Key=value lines gathered in one buffer and written to stdout in large pieces
// (a long listing is not written line by line).
class PutBuffer {
 public:
  PutBuffer() { text_.reserve(kChunk + 4096); }
  ~PutBuffer() { Flush(); }
  PutBuffer(const PutBuffer&) = delete;
  PutBuffer& operator=(const PutBuffer&) = delete;
  // Starts a line "key=" whose value the caller appends with Value.
  PutBuffer& Key(std::string_view key) {
    text_.append(key);
    text_ += '=';
    return *this;
  }
  PutBuffer& Value(std::string_view value) {
    AppendEscaped(text_, value);
    return *this;
  }
  PutBuffer& Raw(char c) {
    text_ += c;
    return *this;
  }
  void EndLine() {
    text_ += '\n';
    if (text_.size() >= kChunk) Flush();
  }
  void Flush() {
    std::cout.write(text_.data(), static_cast<std::streamsize>(text_.size()));
    text_.clear();
  }

 private:
  static constexpr size_t kChunk = 1 << 16;
  std::string text_;
};

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
