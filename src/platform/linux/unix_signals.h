#pragma once

#include "platform/end_requests.h"

#include <QObject>
#include <functional>

class QSocketNotifier;

namespace tw {

// Turns SIGTERM, SIGINT and SIGHUP into a call of the handler on the user-interface thread.
// The signal handler only writes to a pipe, so programs started later inherit neither a
// blocked signal nor a handler.
class UnixSignals : public QObject, public EndRequests {
    Q_OBJECT
  public:
    explicit UnixSignals(QObject* parent = nullptr);
    ~UnixSignals() override;

    // The signals are caught from the first call on.
    void setHandler(std::function<void()> handler) override;

  private:
    void onReadable();

    std::function<void()> handler_;
    QSocketNotifier* notifier_ = nullptr;
};

} // namespace tw
