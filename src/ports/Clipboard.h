#pragma once
// Clipboard: Unicode text out (and in, for the lists the music set reads).
// An abstract port: the program start owns the Qt adapter, each test its fake.
#include <string>

namespace trakvella {

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  virtual void SetText(const std::string& text) = 0;
  virtual std::string Text() const = 0;
};

// Puts the text on the clipboard; an empty text changes nothing.
inline void BufferToClipboard(Clipboard& clipboard, const std::string& text) {
  if (!text.empty()) clipboard.SetText(text);
}

}  // namespace trakvella
