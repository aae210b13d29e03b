#pragma once
// Progress: the one shared progress window of the long operations and the program-wide cancel flag;
// the core calls it between items and pump() lets the window repaint. The program start owns the window.
#include <string>

namespace trakvella {

// What ShowProgress does; each value is the mode's fixed number.
enum class ProgressMode {
  Hide = 0,        // hides the window
  Show = 1,        // shows it with an operation text
  ChangeText = 2,  // changes the operation text
  Message = 3,     // shows a message instead of the animation
};

class Progress {
 public:
  virtual ~Progress() = default;

  // tall makes room for the cancel button.
  virtual void ShowProgress(const std::string& text, ProgressMode mode, bool tall = false) = 0;
  // The small status line under the operation text.
  virtual void SetStatus(const std::string& text) = 0;
  // The per-mille value, -1 for none.
  virtual void SetPerMille(int value) = 0;
  [[nodiscard]] virtual bool Cancelled() const = 0;
  virtual void ClearCancel() = 0;
  // Processes pending window events.
  virtual void pump() = 0;
};

// A progress that shows nothing: for command-line runs and tests that don't look.
class SilentProgress : public Progress {
 public:
  void ShowProgress(const std::string&, ProgressMode, bool) override {}
  void SetStatus(const std::string&) override {}
  void SetPerMille(int) override {}
  [[nodiscard]] bool Cancelled() const override { return false; }
  void ClearCancel() override {}
  void pump() override {}
};

}  // namespace trakvella
