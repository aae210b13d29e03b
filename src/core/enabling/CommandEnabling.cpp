#include "core/enabling/CommandEnabling.h"

#include <algorithm>

namespace trakvella {

void CommandEnabling::DefineState(std::string_view name, std::function<bool()> holds) {
  states_.insert_or_assign(std::string(name), std::move(holds));
}

void CommandEnabling::Require(std::string_view menu, std::string_view command,
                              std::initializer_list<std::string_view> states) {
  rows_.push_back({std::string(menu), std::string(command), std::vector<std::string>(states.begin(), states.end())});
}

bool CommandEnabling::Holds(std::string_view state) const {
  auto it = states_.find(state);
  return it != states_.end() && it->second && it->second();
}

bool CommandEnabling::Met(const Row& row) const {
  return std::all_of(row.states.begin(), row.states.end(), [this](const std::string& s) { return Holds(s); });
}

std::vector<CommandEnabled> CommandEnabling::Evaluate(std::string_view menu) const {
  std::vector<CommandEnabled> out;
  for (const Row& row : rows_)
    if (row.menu == menu) out.push_back({row.command, Met(row)});
  return out;
}

bool CommandEnabling::Enabled(std::string_view command) const {
  for (const Row& row : rows_)
    if (row.command == command) return Met(row);
  return false;
}

}  // namespace trakvella
