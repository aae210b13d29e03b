#include "core/musicset/CodeCounts.h"

namespace trakvella {

void CodeCounts::Grow() {
  std::vector<Slot> old(slots_.empty() ? 64 : slots_.size() * 2);
  old.swap(slots_);
  for (const Slot& s : old)
    if (s.count != 0) slots_[Find(codes_[s.code])] = s;
}

void CodeCounts::Add(std::string_view code) {
  if (2 * (codes_.size() + 1) > slots_.size()) Grow();  // at most half the slots taken
  Slot& slot = slots_[Find(code)];
  if (slot.count == 0) {
    slot.code = static_cast<uint32_t>(codes_.size());
    codes_.emplace_back(code);
  }
  ++slot.count;
}

void CodeCounts::Remove(std::string_view code) {
  if (slots_.empty()) return;
  size_t hole = Find(code);
  if (slots_[hole].count == 0) return;
  if (slots_[hole].count > 1) {
    --slots_[hole].count;
    return;
  }
  // The last code takes the place of the one that goes (found while the slot still counts).
  const uint32_t gone = slots_[hole].code;
  if (gone + 1 != codes_.size()) {
    slots_[Find(codes_.back())].code = gone;
    codes_[gone] = std::move(codes_.back());
  }
  codes_.pop_back();
  // Each follower whose home is not between the hole and itself moves back into the hole.
  const size_t mask = slots_.size() - 1;
  for (size_t next = (hole + 1) & mask; slots_[next].count != 0; next = (next + 1) & mask) {
    const size_t home = Home(codes_[slots_[next].code]);
    if (((next - home) & mask) >= ((next - hole) & mask)) {
      slots_[hole] = slots_[next];
      hole = next;
    }
  }
  slots_[hole] = Slot{};
}

}  // namespace trakvella
