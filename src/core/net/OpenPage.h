#pragma once
// OpenPage: a web page of the library opened in the desktop's browser, and a
// message naming the address when no browser could be started. Borrows the ports.
#include <string>

#include "ports/Dialogs.h"
#include "ports/Shell.h"

namespace trakvella {

// Opens url; when the desktop starts no browser, a warning names the address
// so the user can open it by hand. Whether the page was opened.
bool OpenWebPage(Shell& shell, Dialogs& dialogs, const std::string& url, int language);

}  // namespace trakvella
