#pragma once
// Shell: the desktop's own programs — a web page in the browser, a file with its application, a file
// shown selected in the file manager, an outside program. An abstract port; the program start owns the Qt one.
#include <string>
#include <vector>

namespace trakvella {

class Shell {
 public:
  virtual ~Shell() = default;
  [[nodiscard]] virtual bool OpenUrl(const std::string& url) = 0;
  [[nodiscard]] virtual bool OpenFile(const std::string& path) = 0;
  // Shows the file's folder in the file manager with the file selected.
  [[nodiscard]] virtual bool RevealFile(const std::string& path) = 0;
  [[nodiscard]] virtual bool Run(const std::string& program, const std::vector<std::string>& arguments) = 0;
};

}  // namespace trakvella
