#pragma once
// SignalCloser: turns SIGTERM and SIGINT into an orderly end inside the event loop (a desktop logout
// or Ctrl+C keeps the settings as "Exit" does). The program start owns it and says what the end is.
#include <QObject>
#include <QSocketNotifier>
#include <functional>

namespace trakvella {

class SignalCloser : public QObject {
  Q_OBJECT
 public:
  // onSignal runs in the event loop, once per signal received.
  SignalCloser(QObject* parent, std::function<void()> onSignal);
  ~SignalCloser() override;

 private:
  std::function<void()> onSignal_;
  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace trakvella
