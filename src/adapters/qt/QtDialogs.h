#pragma once
// QtDialogs: the Dialogs port over Qt's message, input, folder and file dialogs.
// The program start owns one; the owner window, once set, parents every dialog it shows.
#include <QWidget>
#include <functional>

#include "ports/Dialogs.h"

namespace trakvella {

class QtDialogs : public Dialogs {
 public:
  explicit QtDialogs(QWidget* owner = nullptr) : owner_(owner) {}
  void setOwner(QWidget* owner) { owner_ = owner; }
  // Called with true before any dialog shows and with false once it has closed,
  // so a window that stays on top (the progress window) can step aside meanwhile.
  void setAroundDialog(std::function<void(bool shown)> aroundDialog) { aroundDialog_ = std::move(aroundDialog); }

  MessageAnswer Message(const std::string& text, MessageKind kind, MessageButtons buttons) override;
  std::optional<std::string> Input(const std::string& caption, const std::string& prompt,
                                   const std::string& initial) override;
  std::string SelectFolder(const std::string& title, const std::string& initialFolder) override;
  std::string SaveFileName(const std::string& title, const std::string& filter,
                           const std::string& initialPath) override;
  std::string OpenFileName(const std::string& title, const std::string& filter,
                           const std::string& initialPath) override;
  int Choose(const std::string& caption, const std::string& text, const std::vector<std::string>& buttons) override;

 private:
  class Showing;
  QWidget* owner_;
  std::function<void(bool)> aroundDialog_;
};

}  // namespace trakvella
