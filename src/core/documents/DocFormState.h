#pragma once
// DocFormState: what the documents window holds — the licensee page in use,
// every field's text and filled flag, the two dates — and the rules read from
// it (CanMakeDoc, the colours of the field indicators, the quota presets).
// The window owns one and mirrors its controls into it; the state owns no window.
#include <array>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace trakvella {

// The licensee pages, by their tab index.
enum class DocPage { LegalEntity = 0, Entrepreneur = 1, PrivatePerson = 2 };

// A calendar date (no time of day).
struct CivilDate {
  int year = 0;
  int month = 0;  // 1-12
  int day = 0;    // 1-31
  bool operator==(const CivilDate&) const = default;
};
bool IsValidDate(CivilDate date);

// The field controls whose flags the window keeps. An edit's flag is its own;
// a memo's flag is kept by its indicator shape.
enum class DocFieldKind { Edit, Memo };
struct DocFieldInfo {
  std::string_view name;  // the control's name
  int page;               // the DocPage it stands on, or -1 for the common fields
  DocFieldKind kind;
  std::string_view placeholder;  // what its text replaces in the templates ("" for quota and price)
  std::string_view initialText;  // the text it starts with
  std::string_view indicator;    // a memo's indicator shape
  bool optional;                 // shown yellow when empty, never required
};
const std::array<DocFieldInfo, 14>& DocFields();
// The info of a field by control name, or nullptr.
const DocFieldInfo* FindDocField(std::string_view name);

inline constexpr int kFilledTag = 100;

// The colour of an edit's small button and of a memo's indicator.
enum class FieldColour { Red, Yellow, Green };

class DocFormState {
 public:
  // Initial values: fCEO and fLic hold their texts and are filled, the
  // entrepreneur's requisites count as filled until the memo is first edited,
  // every other field is empty; both dates are the date given.
  explicit DocFormState(CivilDate today = {});

  DocPage page = DocPage::LegalEntity;
  CivilDate contractDate;  // DateDog
  CivilDate reportDate;    // DatePr

  // A change of a field's text; its flag (an edit's, or a memo's indicator's)
  // follows the text. Unknown names are ignored.
  void SetText(std::string_view name, std::string text);
  const std::string& Text(std::string_view name) const;
  // The field entered or left: its flag is set from its text again.
  void Refresh(std::string_view name);

  // The filled flag (the control's tag) of an edit or an indicator shape:
  // kFilledTag or 0 (fShape2 starts at 1). Memos carry their indicator's number.
  int Tag(std::string_view controlName) const;
  FieldColour Colour(std::string_view fieldName) const;

  // The number typed into fQuotaEdit by a quota preset.
  void ChooseQuotaPreset(int item);

 private:
  std::map<std::string, std::string, std::less<>> texts_;
  std::map<std::string, int, std::less<>> tags_;
};

// False when a control of the active page whose name begins with "f" (the
// page's edits and indicator shapes) has a zero flag, or the contract number's
// flag is zero. Quota and price are not required.
bool CanMakeDoc(const DocFormState& form);

// The controls of a licensee page that CanMakeDoc reads, in the window's order.
std::vector<std::string_view> PageFlagControls(DocPage page);

// The quota presets of the pop-up menu PodQuotas: items N1-N6.
struct QuotaPreset {
  std::string_view item;
  std::string_view caption;
  int quota;
};
inline constexpr std::array<QuotaPreset, 6> kPodQuotas{{
    {"N1", "Пятерочка", 5},
    {"N2", "Червонец", 10},
    {"N3", "Четвертак", 25},
    {"N4", "Полтинник", 50},
    {"N5", "Сотня", 100},
    {"N6", "Три сотни", 300},
}};

}  // namespace trakvella
