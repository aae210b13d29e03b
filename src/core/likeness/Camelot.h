#pragma once
// Camelot: a key's place on the Camelot wheel (number 1-12, letter A minor or B major) and which keys mix
// with it. Plain values; the codes are those KeyName names ("8B", "5A", ...).
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace trakvella {

struct CamelotPlace {
  int number = 0;      // 1..12 round the wheel
  bool major = false;  // "B"; "A" is minor
  bool operator==(const CamelotPlace&) const = default;
};

// The place of a Camelot code; nothing for a text KeyName gives no name for ("13A", "8b", "").
std::optional<CamelotPlace> PlaceOf(std::string_view code);
// "8B" for number 8, major.
std::string CodeOf(CamelotPlace place);

// The keys that mix with a key, the key itself first: one step back and one step on round the wheel
// with the same letter (12 and 1 are neighbours), then the same number with the other letter (the
// relative key).
std::vector<CamelotPlace> HarmonicPlaces(CamelotPlace place);
// Whether `other` is one of HarmonicPlaces(place).
bool MixesWith(CamelotPlace place, CamelotPlace other);

}  // namespace trakvella
