#pragma once

#include <QObject>
#include <functional>
#include <initializer_list>

class QSocketNotifier;

// Hands POSIX signals to the event loop: the handler only writes the signal's number into a socket
// pair, whose other end the event loop watches and passes to `onSignal`. One instance at a time.
class SignalNotifier : public QObject {
    Q_OBJECT
  public:
    SignalNotifier(std::initializer_list<int> signalNumbers, std::function<void(int)> onSignal,
                   QObject* parent = nullptr);
    ~SignalNotifier() override;

  private:
    std::function<void(int)> m_onSignal;
    QSocketNotifier* m_pNotifier = nullptr;
};
