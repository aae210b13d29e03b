#pragma once
// PercentEncoding: the program's one %XX writer, shared by the login in the demo address, the
// FTP paths, the HTTP addresses and the trash's file names. Free functions over values.
#include <string>
#include <string_view>

namespace trakvella {

// Every byte but the unreserved ones (A-Z a-z 0-9 - . _ ~) and those of alsoKeep as %XX
// (upper-case hex): PercentEncode("a b/c", "/") is "a%20b/c".
std::string PercentEncode(std::string_view text, std::string_view alsoKeep = {});

// The URL with every byte that may not stand in a URL as it is (blanks, control
// characters, bytes of non-ASCII letters, " < > \ ^ ` { | }) written as %XX; a
// "%" that already starts a %XX escape stays, any other "%" becomes %25.
std::string PercentEncodeUrl(std::string_view url);

}  // namespace trakvella
