#include "core/likeness/Camelot.h"

#include "core/catalogue/Vocabulary.h"

namespace trakvella {

std::optional<CamelotPlace> PlaceOf(std::string_view code) {
  if (KeyName(code).empty()) return std::nullopt;  // only the 24 codes of the key table
  CamelotPlace place;
  for (char c : code.substr(0, code.size() - 1)) place.number = place.number * 10 + (c - '0');
  place.major = code.back() == 'B';
  return place;
}

std::string CodeOf(CamelotPlace place) { return std::to_string(place.number) + (place.major ? "B" : "A"); }

std::vector<CamelotPlace> HarmonicPlaces(CamelotPlace place) {
  const int back = place.number == 1 ? 12 : place.number - 1;
  const int on = place.number == 12 ? 1 : place.number + 1;
  return {place, {back, place.major}, {on, place.major}, {place.number, !place.major}};
}

bool MixesWith(CamelotPlace place, CamelotPlace other) {
  if (other.number == place.number) return true;  // the key itself or its relative
  if (other.major != place.major) return false;
  const int step = (other.number - place.number + 12) % 12;
  return step == 1 || step == 11;
}

}  // namespace trakvella
