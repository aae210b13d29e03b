#pragma once
// CommandEnabling: which menu commands are enabled, as data — rows of (menu, command, the states it
// needs) over named program states. App owns the table; any subsystem may define states and add rows.
// Every state and menu name lives here, on the ground floor, so a subsystem that adds rows needs no
// other subsystem's header to name them.
#include <functional>
#include <initializer_list>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace trakvella {

// --- The menus whose opening applies the rows written for them ------------------------------------
// The main menu's copies of a menu apply the same rows.
inline constexpr std::string_view kTrackMenus = "TrPopupMenu";  // also "Треки" and "Сервис"
inline constexpr std::string_view kCdMenus = "SimilarCDMenu";   // also "Сборники"
inline constexpr std::string_view kFavouritesMenu = "FavMenu";
// The subscription menu ("Подписка", also in the track pop-up), applied as it opens.
inline constexpr std::string_view kSubscriptionMenu = "PodpItem";
// The main window's developer menu.
inline constexpr std::string_view kDeveloperMenu = "DevMenu";
// The tool buttons that follow the selected row of the track list.
inline constexpr std::string_view kTrackRowButtons = "FileBox";
// The music set window's subscription buttons, applied at each activation of that window.
inline constexpr std::string_view kPodPanel = "PodPanel";

// --- The states, each defined by the subsystem that knows it --------------------------------------
// App: the main window's lists, the network and the favourites.
inline constexpr std::string_view kStateTrackRows = "TrackRows";          // the track list has rows
inline constexpr std::string_view kStateOnline = "Online";                // offline mode is off
inline constexpr std::string_view kStateTopList = "TopList";              // the Top 100 list has entries
inline constexpr std::string_view kStateCdRowSelected = "CdRowSelected";  // a CD row is selected in the shown box
inline constexpr std::string_view kStateCurrentPlace = "CurrentPlace";    // the navigation is somewhere
inline constexpr std::string_view kStateFavourites = "Favourites";        // at least one favourite
// Documents.
inline constexpr std::string_view kStateSignedIn = "SignedIn";                  // a subscription account is signed in
inline constexpr std::string_view kStateTrackRowSelected = "TrackRowSelected";  // a row of the track list is selected
// Subscription.
inline constexpr std::string_view kStateSubscription = "Subscription";  // the program has a download server
inline constexpr std::string_view kStateSetEntries = "SetEntries";      // the music set has entries
// Exports.
inline constexpr std::string_view kStateCatalogueLoaded = "CatalogueLoaded";  // the catalogue holds CDs
inline constexpr std::string_view kStateCategoryPlace = "CategoryPlace";      // the navigation is below the root
// The buffer of category paths holds at least one path. The window that keeps
// the buffer defines this state.
inline constexpr std::string_view kStateCategoryBufferFilled = "CategoryBufferFilled";

struct CommandEnabled {
  std::string command;  // a menu item's or submenu's name
  bool enabled = false;
};

class CommandEnabling {
 public:
  // A state commands can need, asked anew each time the table is applied.
  // Defining a name again replaces its test.
  void DefineState(std::string_view name, std::function<bool()> holds);
  // `command` of `menu` is enabled only while every one of `states` holds (a
  // state nobody defined never holds).
  void Require(std::string_view menu, std::string_view command, std::initializer_list<std::string_view> states);

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
