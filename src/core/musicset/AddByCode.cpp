// AddByCode: the rules of the add-by-code window.
#include "core/musicset/AddByCode.h"

#include <algorithm>
#include <cstdio>
#include <optional>

#include "core/lang/MessageTable.h"
#include "core/text/Text.h"

namespace trakvella {
namespace {

int Clamp(long long number) { return static_cast<int>(std::clamp<long long>(number, kMinCodeNumber, kMaxCodeNumber)); }

}  // namespace

std::string ThreeDigits(int number) {
  char text[8];
  std::snprintf(text, sizeof text, "%03d", Clamp(number));
  return text;
}

int NumberFromInput(const std::string& text) {
  long long number = 0;
  if (!ParseInt(TrimView(text), number)) return kMinCodeNumber;
  return Clamp(number);
}

std::string GetCDName(const Catalogue& catalogue, const std::string& cdCode) {
  for (int cd = 0; cd < catalogue.CdCount(); ++cd) {
    const CdRecord& record = catalogue.Cd(cd);
    if (record.cdText.empty()) break;
    if (record.cdCode == cdCode) return record.cdText;
  }
  return "-";
}

void AddByCode::SetCdNumber(int number) { cdNumber_ = Clamp(number); }
void AddByCode::SetTrackNumber(int number) { trackNumber_ = Clamp(number); }

namespace {

std::optional<int> AskNumber(Dialogs& dialogs, Language language, Msg prompt) {
  auto answer = dialogs.Input(LangMessage(language, Msg::InputNumber), LangMessage(language, prompt), "");
  if (!answer) return std::nullopt;
  return NumberFromInput(*answer);
}

}  // namespace

bool AddByCode::AskCdNumber(Dialogs& dialogs, Language language) {
  auto number = AskNumber(dialogs, language, Msg::DiscNumber);
  if (!number) return false;
  SetCdNumber(*number);
  return true;
}

bool AddByCode::AskTrackNumber(Dialogs& dialogs, Language language) {
  auto number = AskNumber(dialogs, language, Msg::TrackNumber);
  if (!number) return false;
  SetTrackNumber(*number);
  return true;
}

bool AddByCode::Add(MusicSet& set) const {
  FillLines lines;
  lines.Add(TrackCode(), CdCode(), CdCode());
  return set.FillMem(lines, FillMode::AppendAll) > 0;
}

}  // namespace trakvella
