#pragma once
// TextSet: a sorted set of texts ordered and searched ignoring letter case (CompareText); adding a
// text already there changes nothing. A plain value; its owner holds the texts.
#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "core/text/Text.h"

namespace trakvella {

class TextSet {
 public:
  using const_iterator = std::vector<std::string>::const_iterator;

  // Adds the text unless it is there; returns whether it was added.
  bool Add(std::string_view text) {
    auto it = std::lower_bound(items_.begin(), items_.end(), text, TextLess{});
    if (it != items_.end() && CompareText(*it, text) == 0) return false;
    items_.insert(it, std::string(text));
    return true;
  }
  bool Contains(std::string_view text) const {
    auto it = std::lower_bound(items_.begin(), items_.end(), text, TextLess{});
    return it != items_.end() && CompareText(*it, text) == 0;
  }
  // Position of the text, or -1.
  int IndexOf(std::string_view text) const {
    auto it = std::lower_bound(items_.begin(), items_.end(), text, TextLess{});
    return it != items_.end() && CompareText(*it, text) == 0 ? static_cast<int>(it - items_.begin()) : -1;
  }
  void Clear() { items_.clear(); }
  size_t size() const { return items_.size(); }
  bool empty() const { return items_.empty(); }
  const std::string& operator[](size_t i) const { return items_[i]; }
  const_iterator begin() const { return items_.begin(); }
  const_iterator end() const { return items_.end(); }
  const std::vector<std::string>& items() const { return items_; }

 private:
  std::vector<std::string> items_;
};

}  // namespace trakvella
