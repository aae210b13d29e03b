#include "core/exports/CategoryWalk.h"

namespace trakvella {

namespace {

bool WalkLevel(Browser& browser, const Catalogue& catalogue, Language language, ExportProgress& progress,
               CategoryVisitor& visitor) {
  // The rows of a level come back the same after a category below was walked
  // and the browser went up again, so the count is taken once.
  const size_t count = browser.boxRows().size();
  for (size_t i = 0; i < count && i < browser.boxRows().size(); ++i) {
    if (!progress.Step()) return false;
    browser.SelectBoxRow(static_cast<int>(i));
    const BoxRow row = browser.boxRows()[i];
    std::string name = row.text;
    if (!row.isCd && language == Language::Russian)
      if (auto translated = catalogue.Translation(row.text)) name = std::string(*translated);
    if (row.isCd) {
      // Opening a CD the browser may not open shows the same level again, and
      // going up drops the CD part of the place: the walk needs only the row.
      visitor.Cd(name, row);
      continue;
    }
    browser.OpenSelectedRow(false);
    visitor.Category(name, row, browser);
    if (!WalkLevel(browser, catalogue, language, progress, visitor)) return false;
    visitor.CategoryDone();
  }
  visitor.LevelDone();
  browser.Up();
  return true;
}

}  // namespace

bool WalkCategories(Browser& browser, const Catalogue& catalogue, Language language, ExportProgress& progress,
                    CategoryVisitor& visitor) {
  browser.SetAllowOpenCd(false);
  return WalkLevel(browser, catalogue, language, progress, visitor);
}

}  // namespace trakvella
