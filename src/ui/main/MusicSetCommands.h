#pragma once
// MusicSetCommands: the main window's music set commands (copy, copy all, the set window, track
// information, the set counter and mark) and the three windows they open. Owned by the main window.
#include <QObject>

#include "core/musicset/MusicSet.h"

class QMainWindow;

namespace trakvella {

class App;
class MainMenus;
struct MainControls;
class TMusicSetForm;
class TCodeForm;
class TTrackInfoForm;

class MusicSetCommands : public QObject, private MusicSetView {
  Q_OBJECT

 public:
  MusicSetCommands(QMainWindow* window, App& app, const MainControls& controls, MainMenus& menus);
  ~MusicSetCommands() override;

  TMusicSetForm* musicSetForm() const { return musicSetForm_; }
  TCodeForm* codeForm() const { return codeForm_; }
  TTrackInfoForm* trackInfoForm() const { return trackInfoForm_; }

  // MemCopyBut, F5: the selected track goes into the set, or out of it when it is there.
  void MemCopyButClick();
  // copyAll: every track of the list not yet in the set, behind the progress window.
  void copyAllClick();
  // MemOperBut, F10: the set window.
  void MemOperButClick();
  // TrInfoBut: the information window for the selected track.
  void TrInfoButClick();

 private:
  // After every change of the set: the counter, the track list's marks, the set window.
  void SetChanged() override;
  // The tool buttons that follow the track list's selection.
  void ApplyToolButtons();
  bool DeveloperMenuShown() const override;

  App& app_;
  const MainControls& c_;
  MainMenus& menus_;
  TMusicSetForm* musicSetForm_ = nullptr;
  TCodeForm* codeForm_ = nullptr;
  TTrackInfoForm* trackInfoForm_ = nullptr;
};

}  // namespace trakvella
