#pragma once

#include <QObject>
#include <functional>

class QSocketNotifier;

namespace tw {

// Turns SIGTERM, SIGINT and SIGHUP into a call of the handler on the user-interface thread.
// The signal handler only writes to a pipe, so programs started later inherit neither a
// blocked signal nor a handler.
class UnixSignals : public QObject {
    Q_OBJECT
  public:
    explicit UnixSignals(std::function<void()> handler, QObject* parent = nullptr);
    ~UnixSignals() override;

  private:
    void onReadable();

    std::function<void()> handler_;
    QSocketNotifier* notifier_ = nullptr;
};

} // namespace tw
