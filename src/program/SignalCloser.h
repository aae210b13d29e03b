#pragma once
// Turns SIGTERM and SIGINT into an orderly close of a window inside the event
// loop (a desktop logout or Ctrl+C then keeps the settings like "Exit" does).
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
