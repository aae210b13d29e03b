#pragma once
// OpenPage: a web page of the library opened in the desktop's browser, a file
// shown in the desktop's file manager, and a message naming the address or the
// file when neither could be started. Borrows the ports.
#include <string>

#include "core/lang/Language.h"
#include "ports/Dialogs.h"
#include "ports/Shell.h"

namespace trakvella {

// Opens url; when the desktop starts no browser, a warning names the address
// so the user can open it by hand. Whether the page was opened.
bool OpenWebPage(Shell& shell, Dialogs& dialogs, const std::string& url, Language language);

// Shows the file selected in the file manager; when the desktop starts none, a
// warning names the file. Whether it was shown.
bool RevealInFileManager(Shell& shell, Dialogs& dialogs, const std::string& file, Language language);

}  // namespace trakvella
