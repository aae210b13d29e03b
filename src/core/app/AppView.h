#pragma once
// AppView: what the program's state asks of the main window that shows it. The window implements
// it and outlives App's use of it; every call does nothing by default, so a test watches only what it needs.
#include <string>

#include "core/settings/Settings.h"

namespace trakvella {

class AppView {
 public:
  virtual ~AppView() = default;

  // The cover panel over the work area while the library initialises.
  virtual void ShowCover(bool shown) { (void)shown; }
  virtual void ShowCaption(const std::string& caption) { (void)caption; }
  // Both lists, the text above them, the status bar and the buttons, as the browser holds them.
  virtual void ShowLists() {}
  // Status bar fields 1-4 for the selected track.
  virtual void ShowTrackStatus() {}
  // The selected row of the track list after the program moved it.
  virtual void ShowSelectedRow() {}
  // The sort menus and the sort label, as the browser's sort order says.
  virtual void ShowSortOrder() {}
  // The switch check marks and the demo server menus, as the settings model holds them.
  virtual void ShowSwitches() {}
  virtual void ShowFavourites() {}
  // The flags of the language menus.
  virtual void ShowLanguage() {}
  // The caption table of every window, in the current language.
  virtual void ApplyCaptions() {}
  // The CD information pop-up for a row of the category/CD box.
  virtual void ShowCdInfo(int boxRow) { (void)boxRow; }
  virtual bool SearchPanelVisible() const { return false; }
  // The start window, modally, before a re-initialisation loads the library again.
  virtual void ShowStartWindow() {}
  // Once, after the first initialisation added the entries of the set list files the program was
  // started with: the music set window shows them.
  virtual void ShowOpenedSetLists() {}

  // The player's 30 ms timer.
  virtual void RunPlayerTimer(bool running) { (void)running; }
  virtual void ProcessEvents() {}

  // What the settings say about the window itself (placement, list font), in and out.
  virtual void ApplyWindowSettings(const Settings& settings) { (void)settings; }
  virtual void StoreWindowSettings(Settings& settings) const { (void)settings; }
  // No settings file: the window goes to the middle of the desktop.
  virtual void CentreWindow() {}
};

}  // namespace trakvella
