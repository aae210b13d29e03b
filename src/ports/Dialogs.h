#pragma once
// Dialogs: every message box, input box, file and folder choice the program shows. An abstract port:
// the program start owns the Qt one, tests script the answers and read back what was shown.
#include <optional>
#include <string>
#include <vector>

namespace trakvella {

enum class MessageKind { Plain, Information, Warning, Error, Confirmation };
enum class MessageButtons {
  Ok,
  OkCancel,
  YesNo,
  YesNoCancel,
  // A question whose Yes destroys data (deletes a file, empties a list, replaces
  // a file): No is the default button, so Enter never answers Yes.
  YesNoDefaultNo,
  YesNoCancelDefaultNo,
};
enum class MessageAnswer { Ok, Cancel, Yes, No };

// Whether a box of these buttons asks Yes or No.
constexpr bool AsksYesNo(MessageButtons buttons) {
  return buttons == MessageButtons::YesNo || buttons == MessageButtons::YesNoCancel ||
         buttons == MessageButtons::YesNoDefaultNo || buttons == MessageButtons::YesNoCancelDefaultNo;
}
// Whether it offers Cancel besides.
constexpr bool OffersCancel(MessageButtons buttons) {
  return buttons == MessageButtons::OkCancel || buttons == MessageButtons::YesNoCancel ||
         buttons == MessageButtons::YesNoCancelDefaultNo;
}
// The button Enter presses: No for a question that destroys data, else the first one.
constexpr MessageAnswer DefaultAnswer(MessageButtons buttons) {
  if (buttons == MessageButtons::YesNoDefaultNo || buttons == MessageButtons::YesNoCancelDefaultNo)
    return MessageAnswer::No;
  return AsksYesNo(buttons) ? MessageAnswer::Yes : MessageAnswer::Ok;
}

class Dialogs {
 public:
  virtual ~Dialogs() = default;

  // A message box; returns the button the user chose (Ok for a box with one button).
  virtual MessageAnswer Message(const std::string& text, MessageKind kind = MessageKind::Plain,
                                MessageButtons buttons = MessageButtons::Ok) = 0;

  // An input box; nothing when the user cancels.
  virtual std::optional<std::string> Input(const std::string& caption, const std::string& prompt,
                                           const std::string& initial) = 0;

  // The folder dialog; empty when the user cancels.
  virtual std::string SelectFolder(const std::string& title, const std::string& initialFolder) = 0;

  // The save and open dialogs; filter is written "Description|*.ext|Other|*.x"
  // (the first pair is chosen first); empty when the user cancels.
  virtual std::string SaveFileName(const std::string& title, const std::string& filter,
                                   const std::string& initialPath) = 0;
  virtual std::string OpenFileName(const std::string& title, const std::string& filter,
                                   const std::string& initialPath) = 0;

  // A question under its own caption with buttons of their own captions; the
  // index of the button chosen, or -1 when the box was closed without one.
  virtual int Choose(const std::string& caption, const std::string& text, const std::vector<std::string>& buttons) = 0;
};

}  // namespace trakvella
