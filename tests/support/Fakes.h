#pragma once
// Scripted stand-ins for the ports: they record what the core showed and
// answer from a script, so tests read back every message in order.
#include <deque>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "ports/Clipboard.h"
#include "ports/Clock.h"
#include "ports/Dialogs.h"
#include "ports/ProcessLauncher.h"
#include "ports/Progress.h"
#include "ports/Shell.h"

namespace trakvella::testing {

class FakeDialogs : public Dialogs {
 public:
  struct Shown {
    std::string text;
    MessageKind kind;
    MessageButtons buttons;
  };
  std::vector<Shown> shown;
  std::deque<MessageAnswer> answers;              // next answers; Ok/Yes when empty
  std::deque<std::optional<std::string>> inputs;  // next input box answers
  std::deque<std::string> folders;                // next folder dialog answers
  std::deque<std::string> fileNames;              // next save/open dialog answers
  std::deque<int> choices;                        // next Choose answers; -1 when empty
  std::vector<std::string> chooseCaptions;        // captions of the Choose questions shown
  std::function<void()> whileChoosing;            // runs while a Choose question is up
  std::vector<std::string> fileDialogTitles;      // titles of the save/open dialogs shown
  std::vector<std::string> fileDialogInitialPaths;

  MessageAnswer Message(const std::string& text, MessageKind kind, MessageButtons buttons) override;
  std::optional<std::string> Input(const std::string& caption, const std::string& prompt,
                                   const std::string& initial) override;
  std::string SelectFolder(const std::string& title, const std::string& initialFolder) override;
  std::string SaveFileName(const std::string& title, const std::string& filter,
                           const std::string& initialPath) override;
  std::string OpenFileName(const std::string& title, const std::string& filter,
                           const std::string& initialPath) override;
  int Choose(const std::string& caption, const std::string& text, const std::vector<std::string>& buttons) override;

  std::vector<std::string> Texts() const;
};

class FakeProgress : public Progress {
 public:
  struct Call {
    std::string text;
    int mode;
  };
  std::vector<Call> calls;
  std::vector<std::string> statuses;
  std::vector<int> perMille;
  int pumps = 0;
  bool cancelled = false;
  int cancelAfterPumps = -1;  // sets the cancel flag once this many pumps have run

  void ShowProgress(const std::string& text, ProgressMode mode, bool tall) override;
  void SetStatus(const std::string& text) override { statuses.push_back(text); }
  void SetPerMille(int value) override { perMille.push_back(value); }
  bool Cancelled() const override { return cancelled; }
  void ClearCancel() override { cancelled = false; }
  void pump() override;
  bool visible = false;
};

// A clock that moves only when slept on: waits take no time and add up in slept.
class FakeClock : public Clock {
 public:
  int64_t now = 10'000;
  int64_t slept = 0;
  int64_t NowMs() const override { return now; }
  void SleepMs(int ms) override {
    if (ms <= 0) return;
    now += ms;
    slept += ms;
  }
};

class FakeClipboard : public Clipboard {
 public:
  std::string text;
  int sets = 0;
  void SetText(const std::string& t) override {
    text = t;
    ++sets;
  }
  std::string Text() const override { return text; }
};

// Records what the program asked the desktop to open.
class FakeShell : public Shell {
 public:
  std::vector<std::string> urls, files, revealed, runs;
  bool starts = true;  // false: a desktop that starts no browser, file manager or program
  bool OpenUrl(const std::string& url) override {
    urls.push_back(url);
    return starts;
  }
  bool OpenFile(const std::string& path) override {
    files.push_back(path);
    return starts;
  }
  bool RevealFile(const std::string& path) override {
    revealed.push_back(path);
    return starts;
  }
  bool Run(const std::string& program, const std::vector<std::string>&) override {
    runs.push_back(program);
    return starts;
  }
};

// A fresh temporary folder, removed with its content when the object goes.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// Writes bytes to a file, creating its folders.
void WriteFile(const std::filesystem::path& file, const std::string& bytes);
std::string ReadFile(const std::filesystem::path& file);

// Records each program it is asked to start ("program arg1 arg2 ...") and starts nothing.
class RecordingLauncher : public ProcessLauncher {
 public:
  std::vector<std::string> started;
  bool StartDetached(const std::string& program, const std::vector<std::string>& arguments,
                     const std::string&) override {
    std::string line = program;
    for (const std::string& argument : arguments) line += " " + argument;
    started.push_back(line);
    return true;
  }
};

}  // namespace trakvella::testing
