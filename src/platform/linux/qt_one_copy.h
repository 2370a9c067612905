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
// A later start asks the running copy to show its window, and then ends; a script's command
// is a method call on the bus, or a request line on the socket, answered the same way.
class QtOneCopy : public QObject, public OneCopy {
    Q_OBJECT
  public:
    // appId: the program's reverse-DNS name (the bus name and the runtime files' name).
    explicit QtOneCopy(QString appId);
    ~QtOneCopy() override;

    Claim claim() override;
    const std::string& problem() const override { return problem_; }
    Asked ask(const std::string& request, std::string& answer) override;

  private:
    Claim claimOnBus();
    Claim claimBySocket();
    Asked askOnBus(const std::string& request, std::string& answer);
    Asked askBySocket(const std::string& request, std::string& answer);
    QString socketPath() const;
    QString lockPath() const;
    void listenForLaterStarts(const QString& socketPath);
    void answerLaterStarts();
    void anotherStart();
    std::string command(const std::string& request);

    QString appId_;
    std::string problem_;
    std::unique_ptr<QLockFile> lock_;
    QSocketNotifier* listener_ = nullptr; // the socket later starts connect to
    QString socketPath_;
};

} // namespace tw
