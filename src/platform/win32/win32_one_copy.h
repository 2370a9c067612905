#pragma once

#include <windows.h>

#include <string>

namespace tw {

// Keeps the program to one running copy in the user's session: the first copy holds a named
// mutex, which Windows frees however the copy ends. A later start asks every top-level
// window to bring the program back with a message registered under the program's name, and
// then ends; the first copy's window answers it.
class Win32OneCopy {
  public:
    // appId: the program's reverse-DNS name, which names the mutex and the message.
    explicit Win32OneCopy(const std::string& appId);
    ~Win32OneCopy();
    Win32OneCopy(const Win32OneCopy&) = delete;
    Win32OneCopy& operator=(const Win32OneCopy&) = delete;

    // True for the session's first copy; a later copy has asked the first one to show
    // itself when this returns false.
    bool claim();
    // The message the first copy's window receives for each later start.
    UINT anotherStartMessage() const { return anotherStart_; }

  private:
    std::wstring name_;
    HANDLE mutex_ = nullptr;
    UINT anotherStart_ = 0;
};

} // namespace tw
