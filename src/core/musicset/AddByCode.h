#pragma once
// AddByCode: what the add-by-code window decides — the CD and track numbers
// (1-999, shown with three digits), the CD's display text and the entry it
// adds. The window owns one and shows its texts; the set belongs to its window.
#include <string>

#include "core/catalogue/Catalogue.h"
#include "core/lang/Language.h"
#include "core/musicset/MusicSet.h"
#include "ports/Dialogs.h"

namespace trakvella {

inline constexpr int kMinCodeNumber = 1;
inline constexpr int kMaxCodeNumber = 999;

// The number as three digits ("001"); the number is first kept within 1-999.
std::string ThreeDigits(int number);
// What a typed number sets: the whole number kept within 1-999, 1 for text that
// is not a whole number.
int NumberFromInput(const std::string& text);

// The cdText of the first CD whose code is cdCode; "-" when there is none. The
// search stops at the first CD without a display text.
std::string GetCDName(const Catalogue& catalogue, const std::string& cdCode);

class AddByCode {
 public:
  // The spinners' positions.
  int cdNumber() const { return cdNumber_; }
  int trackNumber() const { return trackNumber_; }
  void SetCdNumber(int number);
  void SetTrackNumber(int number);

  // The texts of N1 and N2.
  std::string N1() const { return ThreeDigits(cdNumber_); }
  std::string N2() const { return ThreeDigits(trackNumber_); }
  std::string CdCode() const { return "KMLB_" + N1(); }
  std::string TrackCode() const { return CdCode() + "_" + N2(); }
  // The text of StaticText1.
  std::string CdName(const Catalogue& catalogue) const { return GetCDName(catalogue, CdCode()); }

  // A click on N1 or N2: an input box (message 28, prompt 29 or 30) starting
  // empty. Cancel leaves the number as it was. Returns whether it changed.
  bool AskCdNumber(Dialogs& dialogs, Language language);
  bool AskTrackNumber(Dialogs& dialogs, Language language);

  // AddByCodeBtn: appends the track (its CD code as folder and name, a code in
  // the set already added again); a code the catalogue lacks adds nothing.
  // Returns whether an entry was added.
  bool Add(MusicSet& set) const;

 private:
  int cdNumber_ = kMinCodeNumber;
  int trackNumber_ = kMinCodeNumber;
};

}  // namespace trakvella
