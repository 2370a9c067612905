#pragma once

#include "platform/one_copy.h"

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <string>

class QSocketNotifier;
class QLockFile;

namespace tw {

// Keeps the program to one running copy in the user's session. Where a session bus runs, the
// copy owns the program's well-known name there, which the bus frees however the copy ends.
// Otherwise it holds a lock file in the user's runtime folder (a copy killed outright leaves
// it stale, and the next start takes it over) and listens on a local socket beside it.
// A later start asks the running copy to show its window, and then ends.
class QtOneCopy : public QObject, public OneCopy {
    Q_OBJECT
  public:
    // appId: the program's reverse-DNS name (the bus name and the runtime files' name).
    explicit QtOneCopy(QString appId);
    ~QtOneCopy() override;

    Claim claim() override;
    const std::string& problem() const override { return problem_; }

  private:
    Claim claimOnBus();
    Claim claimBySocket();
    void listenForLaterStarts(const QString& socketPath);
    bool askRunningCopy(const QString& socketPath);
    void answerLaterStarts();
    void anotherStart();

    QString appId_;
    std::string problem_;
    std::unique_ptr<QLockFile> lock_;
    QSocketNotifier* listener_ = nullptr; // the socket later starts connect to
    QString socketPath_;
};

} // namespace tw
