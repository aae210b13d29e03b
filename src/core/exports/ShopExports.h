#pragma once
// ShopExports: the developer menu's exports for the old web site and the
// shops: the category tree as HTML, the WebAsyst product table, the Yandex
// price list, and the buffer of category paths kept while the program runs.
#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "core/browse/Browser.h"
#include "core/exports/ExportRun.h"

namespace trakvella {

inline constexpr std::string_view kCategoryBufferFile = "cat.txt";

// The category tree from the level the browser shows, as the old site's HTML.
ExportResult ExportCategoryTreeHtml(ExportContext& context, Browser& browser);

// The WebAsyst product table with the prices pasted on the clipboard. With
// showDescriptions each CD's description is shown before its row is built.
ExportResult ExportWebAsyst(ExportContext& context, bool showDescriptions = false);

// The Yandex price list of every CD.
ExportResult ExportYandexPriceList(ExportContext& context);
// A price-list description: longer than 250 characters, its first 247 and "...".
std::string YandexDescription(std::string_view description);

// The category paths the developer collects, each once, kept while the program
// runs and written to "cat.txt" in the program folder after every addition.
class CategoryBuffer {
 public:
  // Adds the place's category path (without a " : " CD part) unless it is
  // there, shows the whole buffer and saves it.
  ExportResult Add(ExportContext& context, const std::string& place);
  // Adds the places one after the other as Add does, then shows the buffer
  // and saves it once: a list of places costs what it holds, not its square.
  ExportResult AddAll(ExportContext& context, const std::vector<std::string>& places);
  void Clear() {
    paths_.clear();
    known_.clear();
  }
  const std::vector<std::string>& paths() const { return paths_; }

 private:
  void Take(const std::string& place);
  ExportResult ShowAndSave(ExportContext& context);

  std::vector<std::string> paths_;
  std::unordered_set<std::string> known_;
};

}  // namespace trakvella
