#include "platform/linux/sway_windows.h"

#include "platform/event_pump.h"
#include "platform/linux/deadline.h"
#include "platform/linux/sway_ipc.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <stdexcept>

namespace tw {

namespace {

QJsonDocument parse(const std::string& payload) {
    QJsonParseError error{};
    QJsonDocument document = QJsonDocument::fromJson(
        QByteArray(payload.data(), static_cast<qsizetype>(payload.size())), &error);
    if (document.isNull())
        throw std::runtime_error("sway sent a reply that is not JSON: " +
                                 error.errorString().toStdString());
    return document;
}

// sway's tree does not tell a program's question from its other windows (it floats the
// question, but a user may float any window), so none is marked a dialog: what keeps a
// question from being asked is that it came after the close began.
void collect(const QJsonObject& node, std::vector<TopLevelWindow>& into) {
    const int pid = node.value("pid").toInt();
    if (pid > 0 && node.value("shell").toString() != "xwayland")
        into.push_back({static_cast<WindowId>(node.value("id").toInteger()), pid});
    for (const char* children : {"nodes", "floating_nodes"})
        for (const QJsonValue child : node.value(children).toArray())
            collect(child.toObject(), into);
}

} // namespace

SwayWindows::SwayWindows(std::string socketPath, EventPump* events, int closeWaitMs)
    : socketPath_(std::move(socketPath)), events_(events), closeWaitMs_(closeWaitMs) {}

std::vector<TopLevelWindow> SwayWindows::closableWindows() {
    SwayIpc ipc(socketPath_);
    std::vector<TopLevelWindow> result;
    collect(parse(ipc.request(SwayIpc::kGetTree, "")).object(), result);
    return result;
}

void SwayWindows::requestClose(WindowId window) {
    // Listen before asking, so that a window that goes at once is not missed.
    SwayIpc events(socketPath_);
    if (!parse(events.request(SwayIpc::kSubscribe, R"(["window"])"))
             .object()
             .value("success")
             .toBool())
        throw std::runtime_error("sway refused to report window events");
    SwayIpc commands(socketPath_);
    const QJsonArray results =
        parse(
            commands.request(SwayIpc::kRunCommand, "[con_id=" + std::to_string(window) + "] kill"))
            .array();
    if (results.isEmpty() || !results.first().toObject().value("success").toBool())
        return; // no such window any more

    const Deadline deadline(closeWaitMs_);
    while (const int left = deadline.leftMs()) {
        // Short slices keep our own window answering while we wait.
        if (const auto message = events.read(std::min(left, 20))) {
            const QJsonObject event = parse(message->payload).object();
            if (event.value("change").toString() == "close" &&
                static_cast<WindowId>(
                    event.value("container").toObject().value("id").toInteger()) == window)
                return;
        }
        if (events_)
            events_->processPending();
    }
}

} // namespace tw
