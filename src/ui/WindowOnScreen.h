#pragma once
// WindowOnScreen: keeps a top-level window within the room its screen leaves for windows, so that a
// small screen or a large scale never puts its buttons out of reach. Free functions; the window is
// the caller's.
#include <QRect>

class QWidget;

namespace trakvella {

// The room for windows on the window's screen (the primary screen when it has none yet).
QRect ScreenRoom(const QWidget* window);

// Shrinks the window to the room, less the frame the window system adds (a title
// bar's height while the window has no frame yet), never below its least size;
// a window already placed is moved back into the room.
void KeepOnScreen(QWidget* window);

}  // namespace trakvella
