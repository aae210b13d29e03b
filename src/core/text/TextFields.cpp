// TextFields: field cutting for rows, lines and descriptor pieces.
#include "core/text/TextFields.h"

#include "core/text/Text.h"

namespace trakvella {

std::vector<std::string> SplitTrim(std::string_view separator, std::string_view text) {
  std::vector<std::string> pieces;
  if (separator.empty()) {
    pieces.emplace_back(text);
    return pieces;
  }
  std::string_view rest = text;
  bool cut = false;
  for (;;) {
    size_t at = rest.find(separator);
    if (at == std::string_view::npos) break;
    pieces.emplace_back(TrimView(rest.substr(0, at)));
    rest = TrimView(rest.substr(at + separator.size()));
    cut = true;
  }
  // The rest after a separator was trimmed: when nothing is left, the text
  // ended in separators and blanks, and that empty tail is no piece.
  if (!cut || !rest.empty()) pieces.emplace_back(rest);
  return pieces;
}

std::string NthField(std::string_view separator, std::string_view text, int n) {
  if (separator.empty()) return std::string(text);
  std::string_view rest = text;
  for (int piece = 0;; ++piece) {
    size_t at = rest.find(separator);
    if (at == std::string_view::npos) return std::string(rest);
    if (piece == n) {
      std::string_view field = TrimView(rest.substr(0, at));
      return std::string(field.empty() ? rest : field);
    }
    rest = TrimView(rest.substr(at + separator.size()));
  }
}

std::string TakeToken(std::string_view separator, std::string& text) {
  if (separator.empty() || text.empty()) return {};
  size_t at = text.find(separator);
  if (at == std::string::npos) {
    std::string token;
    token.swap(text);
    return token;
  }
  std::string token = text.substr(0, at);
  text.erase(0, at + separator.size());
  return token;
}

size_t LastPos(std::string_view needle, std::string_view text) {
  if (needle.empty()) return 0;
  size_t at = text.rfind(needle);
  if (at == std::string_view::npos) return 0;
  return CharCount(text.substr(0, at)) + 1;
}

std::string BetweenMarkers(std::string_view text, std::string_view open, std::string_view close) {
  if (open.empty() || close.empty()) return {};
  size_t first = text.find(open);
  if (first == std::string_view::npos) return {};
  size_t from = first + open.size();
  size_t last = text.rfind(close);
  if (last == std::string_view::npos || last < from) return {};
  return std::string(text.substr(from, last - from));
}

}  // namespace trakvella
