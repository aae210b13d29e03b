#include "ui/WindowOnScreen.h"

#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <algorithm>

namespace trakvella {

QRect ScreenRoom(const QWidget* window) {
  QScreen* screen = window->screen();
  if (!screen) screen = QGuiApplication::primaryScreen();
  return screen ? screen->availableGeometry() : QRect();
}

void KeepOnScreen(QWidget* window) {
  const QRect room = ScreenRoom(window);
  if (room.isEmpty()) return;
  if (QLayout* layout = window->layout()) layout->activate();  // the least size the controls need
  QSize frame = window->frameGeometry().size() - window->size();
  if (!window->isVisible() && frame.isNull()) frame = {0, window->style()->pixelMetric(QStyle::PM_TitleBarHeight)};
  const QSize largest = (room.size() - frame).expandedTo(window->minimumSize());
  if (window->width() > largest.width() || window->height() > largest.height())
    window->resize(window->size().boundedTo(largest));
  if (window->isVisible() || window->testAttribute(Qt::WA_Moved)) {
    const QRect outer = window->frameGeometry();
    const int left = std::clamp(outer.left(), room.left(), std::max(room.left(), room.right() + 1 - outer.width()));
    const int top = std::clamp(outer.top(), room.top(), std::max(room.top(), room.bottom() + 1 - outer.height()));
    window->move(left, top);
  }
}

}  // namespace trakvella
