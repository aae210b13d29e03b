#pragma once
// CategoryWalk: the walk of the category tree the XML and tree exports make by
// driving the browser's navigation: every row of a level is selected and
// opened as the program would, categories are walked below, and after a level
// the browser goes up. The caller owns the browser; opening a CD must not list
// its tracks, so the walk switches "Allow Open CD" off (it stays off).
#include <string>

#include "core/browse/Browser.h"
#include "core/exports/ExportRun.h"
#include "core/lang/Language.h"

namespace trakvella {

class CategoryVisitor {
 public:
  virtual ~CategoryVisitor() = default;
  // A category row, opened; its level is walked next. name is translated in
  // the Russian interface; row holds the English name.
  virtual void Category(const std::string& name, const BoxRow& row, const Browser& browser) = 0;
  // After the level of the last category has been walked.
  virtual void CategoryDone() {}
  // A CD row, opened; name is the CD's text.
  virtual void Cd(const std::string& name, const BoxRow& row) = 0;
  // After the last row of a level, before the walk goes up.
  virtual void LevelDone() {}
};

// Walks the tree from the level the browser shows; false when the user cancelled.
bool WalkCategories(Browser& browser, const Catalogue& catalogue, Language language, ExportProgress& progress,
                    CategoryVisitor& visitor);

}  // namespace trakvella
