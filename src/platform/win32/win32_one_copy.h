#pragma once

#include "platform/one_copy.h"

#include <windows.h>

#include <deque>
#include <string>

namespace tw {

// Keeps the program to one running copy in the user's session: the first copy holds a named
// mutex, which Windows frees however the copy ends. A later start asks every top-level
// window to bring the program back with a message registered under the program's name, and
// then ends; the first copy's window answers it. A script's command goes by WM_COPYDATA to a
// message-only window of the first copy, which takes it in at once and does it from its own
// message loop: work done inside another process's send could not call out through COM, as
// launching may. The answer comes back by WM_COPYDATA to a message-only window of the asking
// copy, which waits for it. Wine carries WM_COPYDATA between its processes too.
class Win32OneCopy : public OneCopy {
  public:
    // appId: the program's reverse-DNS name, which names the mutex, the message and the
    // command window's class.
    explicit Win32OneCopy(const std::string& appId);
    ~Win32OneCopy() override;
    Win32OneCopy(const Win32OneCopy&) = delete;
    Win32OneCopy& operator=(const Win32OneCopy&) = delete;

    // First for the session's first copy; HandedOver when a later copy has asked the first
    // one to show itself.
    Claim claim() override;
    const std::string& problem() const override { return problem_; }
    Asked ask(const std::string& request, std::string& answer) override;
    // The message the first copy's window receives for each later start.
    UINT anotherStartMessage() const { return anotherStart_; }

    // For the command window: takes in a request that came by WM_COPYDATA, and does the
    // requests taken in and sends their answers.
    void takeRequest(HWND asker, const COPYDATASTRUCT& data);
    void answerRequests();

  private:
    struct Request {
        HWND asker;
        std::string text;
    };
    std::deque<Request> requests_;
    std::wstring name_;
    HANDLE mutex_ = nullptr;
    UINT anotherStart_ = 0;
    HWND commandWindow_ = nullptr; // the first copy's, for scripts' commands
    std::string problem_;
};

} // namespace tw
