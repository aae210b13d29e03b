#include "core/documents/DocFormState.h"

#include <algorithm>

namespace trakvella {
namespace {

constexpr int kCommon = -1;
constexpr int kLegal = static_cast<int>(DocPage::LegalEntity);
constexpr int kEntrepreneur = static_cast<int>(DocPage::Entrepreneur);
constexpr int kPerson = static_cast<int>(DocPage::PrivatePerson);

constexpr std::array<DocFieldInfo, 14> kFields{{
    {"fLLC", kLegal, DocFieldKind::Edit, "$$$Предприятие", "", "", false},
    {"fFIOCEO", kLegal, DocFieldKind::Edit, "$$$ФИО,", "", "", false},
    {"fCEO", kLegal, DocFieldKind::Edit, "$$$Должность", "Генеральный директор", "", false},
    {"fLic", kLegal, DocFieldKind::Edit, "$$$На основании...,", "Действует на основании устава", "", false},
    {"fReq", kLegal, DocFieldKind::Memo, "$$$Реквизиты", "", "fShape1", false},
    {"fIP", kEntrepreneur, DocFieldKind::Edit, "$$$Предприятие, $$$Должность $$$ФИО,", "", "", false},
    {"fOGRNIP", kEntrepreneur, DocFieldKind::Edit, "$$$На основании...", "", "", false},
    {"fReqIP", kEntrepreneur, DocFieldKind::Memo, "$$$Реквизиты", "", "fShape2", false},
    {"fFIO", kPerson, DocFieldKind::Edit, "$$$Предприятие, $$$Должность $$$ФИО,", "", "", false},
    {"fPassport", kPerson, DocFieldKind::Edit, "$$$На основании...", "", "", false},
    {"fReqFIO", kPerson, DocFieldKind::Memo, "$$$Реквизиты", "", "fShape3", false},
    {"fDogNumberEdit", kCommon, DocFieldKind::Edit, "$$$Номер Договора", "", "", false},
    {"fQuotaEdit", kCommon, DocFieldKind::Edit, "", "", "", true},
    {"fPriceEdit", kCommon, DocFieldKind::Edit, "", "", "", true},
}};

// The control holding a field's flag: the edit itself, or a memo's indicator.
std::string_view FlagControl(const DocFieldInfo& info) {
  return info.kind == DocFieldKind::Memo ? info.indicator : info.name;
}

}  // namespace

bool IsValidDate(CivilDate d) {
  if (d.year < 1 || d.year > 9999 || d.month < 1 || d.month > 12 || d.day < 1) return false;
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (d.year % 4 == 0 && d.year % 100 != 0) || d.year % 400 == 0;
  return d.day <= kDays[d.month - 1] + (d.month == 2 && leap ? 1 : 0);
}

const std::array<DocFieldInfo, 14>& DocFields() { return kFields; }

const DocFieldInfo* FindDocField(std::string_view name) {
  for (const auto& f : kFields)
    if (f.name == name) return &f;
  return nullptr;
}

DocFormState::DocFormState(CivilDate today) : contractDate(today), reportDate(today) {
  for (const auto& f : kFields) {
    texts_[std::string(f.name)] = std::string(f.initialText);
    tags_[std::string(FlagControl(f))] = f.initialText.empty() ? 0 : kFilledTag;
  }
  tags_["fShape2"] = 1;  // the entrepreneur's requisites count as filled until first edited
}

void DocFormState::SetText(std::string_view name, std::string text) {
  auto it = texts_.find(name);
  if (it == texts_.end()) return;
  it->second = std::move(text);
  Refresh(name);
}

const std::string& DocFormState::Text(std::string_view name) const {
  static const std::string kNone;
  auto it = texts_.find(name);
  return it == texts_.end() ? kNone : it->second;
}

void DocFormState::Refresh(std::string_view name) {
  const DocFieldInfo* info = FindDocField(name);
  if (!info) return;
  tags_[std::string(FlagControl(*info))] = Text(name).empty() ? 0 : kFilledTag;
}

int DocFormState::Tag(std::string_view controlName) const {
  if (controlName == "fReq") return 1;
  if (controlName == "fReqIP") return 2;
  if (controlName == "fReqFIO") return 3;
  auto it = tags_.find(controlName);
  return it == tags_.end() ? 0 : it->second;
}

FieldColour DocFormState::Colour(std::string_view fieldName) const {
  const DocFieldInfo* info = FindDocField(fieldName);
  if (!info) return FieldColour::Red;
  if (!Text(fieldName).empty()) return FieldColour::Green;
  return info->optional ? FieldColour::Yellow : FieldColour::Red;
}

void DocFormState::ChooseQuotaPreset(int item) {
  if (item < 0 || item >= static_cast<int>(kPodQuotas.size())) return;
  SetText("fQuotaEdit", std::to_string(kPodQuotas[item].quota));
}

std::vector<std::string_view> PageFlagControls(DocPage page) {
  std::vector<std::string_view> controls;
  for (const auto& f : kFields)
    if (f.page == static_cast<int>(page)) {
      controls.push_back(f.name);
      if (f.kind == DocFieldKind::Memo) controls.push_back(f.indicator);
    }
  return controls;
}

bool CanMakeDoc(const DocFormState& form) {
  const auto controls = PageFlagControls(form.page);
  const bool pageFilled =
      std::all_of(controls.begin(), controls.end(), [&](std::string_view c) { return form.Tag(c) != 0; });
  return pageFilled && form.Tag("fDogNumberEdit") != 0;
}

}  // namespace trakvella
