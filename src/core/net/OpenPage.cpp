// OpenPage: a page in the browser, a file in the file manager, or a message that says so.
#include "core/net/OpenPage.h"

#include "core/lang/MessageTable.h"

namespace trakvella {

bool OpenWebPage(Shell& shell, Dialogs& dialogs, const std::string& url, Language language) {
  if (shell.OpenUrl(url)) return true;
  dialogs.Message(LangMessage(language, Msg::NoBrowser) + url, MessageKind::Warning, MessageButtons::Ok);
  return false;
}

bool RevealInFileManager(Shell& shell, Dialogs& dialogs, const std::string& file, Language language) {
  if (shell.RevealFile(file)) return true;
  dialogs.Message(LangMessage(language, Msg::NoFileManager) + file, MessageKind::Warning, MessageButtons::Ok);
  return false;
}

}  // namespace trakvella
