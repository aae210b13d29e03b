#pragma once
// CommandEnabling: which menu commands are enabled, as data — rows of (menu, command, the states it
// needs) over named program states. App owns the table; any subsystem may define states and add rows.
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace trakvella {

// The menus whose opening applies the rows written for them; the main menu's
// copies of a menu apply the same rows.
inline constexpr std::string_view kTrackMenus = "TrPopupMenu";  // also "Треки" and "Сервис"
inline constexpr std::string_view kCdMenus = "SimilarCDMenu";   // also "Сборники"
inline constexpr std::string_view kFavouritesMenu = "FavMenu";

struct CommandEnabled {
  std::string command;  // a menu item's or submenu's name
  bool enabled = false;
};

class CommandEnabling {
 public:
  // A state commands can need, asked anew each time the table is applied.
  // Defining a name again replaces its test.
  void DefineState(std::string name, std::function<bool()> holds);
  // `command` of `menu` is enabled only while every one of `states` holds (a
  // state nobody defined never holds).
  void Require(std::string_view menu, std::string command, std::vector<std::string> states);

  bool Holds(std::string_view state) const;
  // The commands of a menu in the order their rows were added, each with
  // whether it is enabled now.
  std::vector<CommandEnabled> Evaluate(std::string_view menu) const;
  // Whether the command is enabled now by its row; false for a command without one.
  bool Enabled(std::string_view command) const;

 private:
  struct Row {
    std::string menu;
    std::string command;
    std::vector<std::string> states;
  };
  bool Met(const Row& row) const;

  std::map<std::string, std::function<bool()>, std::less<>> states_;
  std::vector<Row> rows_;
};

}  // namespace trakvella
