#pragma once
// CodeCounts: how many entries of a set hold each track code. Open addressing
// over a power-of-two table of small slots (a code's index and its count), the
// codes kept side by side; a removed code's followers move back into its slot,
// so no removed marks are left behind.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace trakvella {

class CodeCounts {
 public:
  bool Contains(std::string_view code) const { return !slots_.empty() && slots_[Find(code)].count != 0; }
  void Add(std::string_view code);
  void Remove(std::string_view code);
  void Clear() {
    slots_.clear();
    codes_.clear();
  }

 private:
  struct Slot {
    uint32_t code = 0;   // index in codes_
    uint32_t count = 0;  // 0: a free slot
  };
  size_t Home(std::string_view code) const { return std::hash<std::string_view>{}(code) & (slots_.size() - 1); }
  // The slot holding the code, else the free slot where it would go.
  size_t Find(std::string_view code) const {
    const size_t mask = slots_.size() - 1;
    size_t at = Home(code);
    while (slots_[at].count != 0 && codes_[slots_[at].code] != code) at = (at + 1) & mask;
    return at;
  }
  void Grow();

  std::vector<Slot> slots_;
  std::vector<std::string> codes_;  // the codes counted, in no order
};

}  // namespace trakvella
