#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <string>

class QLocalServer;
class QLockFile;

namespace tw {

// Keeps the program to one running copy in the user's session. Where a session bus runs, the
// copy owns the program's well-known name there, which the bus frees however the copy ends.
// Otherwise it holds a lock file in the user's runtime folder (a copy killed outright leaves
// it stale, and the next start takes it over) and listens on a local socket beside it.
// A later start asks the running copy to show its window, and then ends.
class QtOneCopy : public QObject {
    Q_OBJECT
  public:
    enum class Claim {
        First,      // this is the session's copy: go on starting
        HandedOver, // the running copy was asked to show its window: end now
        NoAnswer,   // a copy runs but did not answer: problem() says why
    };

    // appId: the program's reverse-DNS name (the bus name and the runtime files' name).
    explicit QtOneCopy(QString appId);
    ~QtOneCopy() override;

    Claim claim();
    // After NoAnswer, why; after First, why later starts may not reach this copy, or "".
    const std::string& problem() const { return problem_; }

    // Runs in the first copy each time a later start asks for the window.
    std::function<void()> onAnotherStart;

  private:
    Claim claimOnBus();
    Claim claimBySocket();
    bool askRunningCopy(const QString& socketPath);
    void answerLaterStarts();
    void anotherStart();

    QString appId_;
    std::string problem_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer* server_ = nullptr;
};

} // namespace tw
