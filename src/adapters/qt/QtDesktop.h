#pragma once
// QtClipboard and QtShell: the Clipboard and Shell ports over Qt's clipboard, the default browser
// and applications and the file manager's "show this file". The program start owns one of each.
#include "ports/Clipboard.h"
#include "ports/Shell.h"

namespace trakvella {

class QtClipboard : public Clipboard {
 public:
  void SetText(const std::string& text) override;
  std::string Text() const override;
};

class QtShell : public Shell {
 public:
  bool OpenUrl(const std::string& url) override;
  bool OpenFile(const std::string& path) override;
  bool RevealFile(const std::string& path) override;
  bool Run(const std::string& program, const std::vector<std::string>& arguments) override;
};

}  // namespace trakvella
