#include "core/text/PercentEncoding.h"

namespace trakvella {

namespace {

bool IsUnreserved(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
         c == '_' || c == '~';
}

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

void AppendEscaped(std::string& out, unsigned char c) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  out += '%';
  out += kHex[c >> 4];
  out += kHex[c & 15];
}

}  // namespace

std::string PercentEncode(std::string_view text, std::string_view alsoKeep) {
  std::string out;
  out.reserve(text.size());
  for (unsigned char c : text) {
    if (IsUnreserved(c) || alsoKeep.find(static_cast<char>(c)) != std::string_view::npos)
      out += static_cast<char>(c);
    else
      AppendEscaped(out, c);
  }
  return out;
}

std::string PercentEncodeUrl(std::string_view url) {
  std::string out;
  out.reserve(url.size());
  for (size_t i = 0; i < url.size(); ++i) {
    auto c = static_cast<unsigned char>(url[i]);
    bool escape =
        c <= 0x20 || c >= 0x7F || std::string_view("\"<>\\^`{|}").find(static_cast<char>(c)) != std::string_view::npos;
    if (c == '%') escape = !(i + 2 < url.size() && IsHexDigit(url[i + 1]) && IsHexDigit(url[i + 2]));
    if (escape)
      AppendEscaped(out, c);
    else
      out += static_cast<char>(c);
  }
  return out;
}

}  // namespace trakvella
