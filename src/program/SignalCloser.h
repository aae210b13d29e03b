#pragma once
// SignalCloser: turns SIGTERM and SIGINT into an orderly close of a window inside the event loop (a
// desktop logout or Ctrl+C keeps the settings as "Exit" does). The program start owns it; the window is borrowed.
#include <QObject>
#include <QPointer>
#include <QSocketNotifier>
#include <QWidget>

namespace trakvella {

class SignalCloser : public QObject {
  Q_OBJECT
 public:
  explicit SignalCloser(QWidget* window);
  ~SignalCloser() override;

 private:
  QPointer<QWidget> window_;
  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace trakvella
