#pragma once
// MinimisedRun: the ports an export that walks the category tree is handed, so that the main
// window is minimised while the export works behind its progress window, comes back for every
// message it shows, and is restored when the progress window goes. Borrows the ports it wraps.
#include <functional>

#include "ports/Dialogs.h"
#include "ports/Progress.h"

namespace trakvella {

class MinimisedRun : public Progress, public Dialogs {
 public:
  // minimise and restore act on the main window; both are required.
  MinimisedRun(Progress& progress, Dialogs& dialogs, std::function<void()> minimise, std::function<void()> restore);
  // A window still minimised (the export ended without hiding its progress) is restored.
  ~MinimisedRun() override;
  MinimisedRun(const MinimisedRun&) = delete;
  MinimisedRun& operator=(const MinimisedRun&) = delete;

  bool minimised() const { return minimised_; }

  // Progress: showing the window minimises the main window, hiding it restores it.
  void ShowProgress(const std::string& text, ProgressMode mode, bool tall = false) override;
  void SetStatus(const std::string& text) override { progress_.SetStatus(text); }
  void SetPerMille(int value) override { progress_.SetPerMille(value); }
  bool Cancelled() const override { return progress_.Cancelled(); }
  void ClearCancel() override { progress_.ClearCancel(); }
  void pump() override { progress_.pump(); }

  // Dialogs: each is shown over the restored main window, which goes aside again after it.
  MessageAnswer Message(const std::string& text, MessageKind kind = MessageKind::Plain,
                        MessageButtons buttons = MessageButtons::Ok) override;
  std::optional<std::string> Input(const std::string& caption, const std::string& prompt,
                                   const std::string& initial) override;
  std::string SelectFolder(const std::string& title, const std::string& initialFolder) override;
  std::string SaveFileName(const std::string& title, const std::string& filter,
                           const std::string& initialPath) override;
  std::string OpenFileName(const std::string& title, const std::string& filter,
                           const std::string& initialPath) override;
  int Choose(const std::string& caption, const std::string& text, const std::vector<std::string>& buttons) override;

 private:
  void Minimise();
  void Restore();
  // Runs a dialog with the main window shown.
  template <class Show>
  auto Shown(Show show);

  Progress& progress_;
  Dialogs& dialogs_;
  std::function<void()> minimise_, restore_;
  bool minimised_ = false;
};

}  // namespace trakvella
