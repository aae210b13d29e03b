#pragma once
// CaptionTable: the fixed captions, hints and list items of every window in English and Russian,
// in the twelve groups a language is applied in. Static data; the windows own the controls it names.
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/lang/Language.h"

namespace trakvella {

// What a row rewrites on its component.
enum class CaptionProperty {
  WindowCaption,  // the window's own caption; the row's component is ""
  Caption,        // button, label, static text, check box, radio button, group box, tab sheet, menu item
  Hint,
  LabelCaption,  // the attached label of a labelled edit box
  DialogTitle,   // Title of a save dialog
  Item,          // item `index` of a list box's or combo box's items (never adds items)
};

struct CaptionRow {
  int group;              // 1..12, the order in which a language is applied
  const char* window;     // window class, e.g. "TMainForm"
  const char* component;  // component name, also the Qt objectName; "" for the window caption
  CaptionProperty property;
  int index;  // list item index for Item, else 0
  const char* english;
  const char* russian;
};

inline constexpr int kCaptionGroupCount = 12;

// All fixed rows, in group order and, within a group, in the order they are
// applied. Group 8 ends with the search areas, which are not rows: see
// SearchAreaCaption.
const std::vector<CaptionRow>& CaptionTable();

// The row's text in `language`.
std::string CaptionText(const CaptionRow& row, Language language);

// The search areas of the area box `SArea`: entry 0 is empty (all areas), then
// the 15 top-level category names of the catalogue in English, in box order.
inline constexpr std::array<std::string_view, 16> kSearchAreaNames = {
    "",
    "CORPORATE MUSIC",
    "AROUND THE WORLD",
    "HUMOR, COMEDY, CHILDREN",
    "CLASSICS / NEO-CLASSICS",
    "CLUB / ELECTRONICA",
    "FASHION TEXTURE",
    "FILM MUSIC",
    "NAUGHTY / EMOTIONAL",
    "POSITIVE ATTITUDE",
    "CHRISTMAS STORY",
    "VINTAGE STYLINGS",
    "STYLISH BACKGROUND",
    "ENERGY / MOVING",
    "FX / JINGLES",
    "IMAGING ELEMENTS",
};

// Item `item` (1..15) of the area box in `language`: the English area name, or
// in Russian its translation through the category translation table, asked via
// `translate`; "" where the table has no row for the name and for an item
// outside 1..15. Item 0 is a fixed row of group 8.
std::string SearchAreaCaption(Language language, int item,
                              const std::function<std::optional<std::string>(std::string_view)>& translate);

}  // namespace trakvella
