#include "core/exports/MinimisedRun.h"

#include <utility>

namespace trakvella {

MinimisedRun::MinimisedRun(Progress& progress, Dialogs& dialogs, std::function<void()> minimise,
                           std::function<void()> restore)
    : progress_(progress), dialogs_(dialogs), minimise_(std::move(minimise)), restore_(std::move(restore)) {}

MinimisedRun::~MinimisedRun() { Restore(); }

void MinimisedRun::Minimise() {
  if (minimised_) return;
  minimised_ = true;
  minimise_();
}

void MinimisedRun::Restore() {
  if (!minimised_) return;
  minimised_ = false;
  restore_();
}

void MinimisedRun::ShowProgress(const std::string& text, ProgressMode mode, bool tall) {
  if (mode == ProgressMode::Show) Minimise();
  progress_.ShowProgress(text, mode, tall);
  if (mode == ProgressMode::Hide) Restore();
}

template <class Show>
auto MinimisedRun::Shown(Show show) {
  const bool aside = minimised_;
  Restore();
  auto answer = show();
  if (aside) Minimise();
  return answer;
}

MessageAnswer MinimisedRun::Message(const std::string& text, MessageKind kind, MessageButtons buttons) {
  return Shown([&] { return dialogs_.Message(text, kind, buttons); });
}

std::optional<std::string> MinimisedRun::Input(const std::string& caption, const std::string& prompt,
                                               const std::string& initial) {
  return Shown([&] { return dialogs_.Input(caption, prompt, initial); });
}

std::string MinimisedRun::SelectFolder(const std::string& title, const std::string& initialFolder) {
  return Shown([&] { return dialogs_.SelectFolder(title, initialFolder); });
}

std::string MinimisedRun::SaveFileName(const std::string& title, const std::string& filter,
                                       const std::string& initialPath) {
  return Shown([&] { return dialogs_.SaveFileName(title, filter, initialPath); });
}

std::string MinimisedRun::OpenFileName(const std::string& title, const std::string& filter,
                                       const std::string& initialPath) {
  return Shown([&] { return dialogs_.OpenFileName(title, filter, initialPath); });
}

int MinimisedRun::Choose(const std::string& caption, const std::string& text, const std::vector<std::string>& buttons) {
  return Shown([&] { return dialogs_.Choose(caption, text, buttons); });
}

}  // namespace trakvella
