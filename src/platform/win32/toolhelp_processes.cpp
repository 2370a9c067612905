#include "platform/win32/toolhelp_processes.h"

#include "platform/win32/wide_text.h"

#include <algorithm>
#include <map>
#include <set>
#include <stdexcept>

// <windows.h> first: the other Windows headers build on its definitions.
// clang-format off
#include <windows.h>
#include <tlhelp32.h>
// clang-format on

namespace tw {

namespace {

// Session and system processes, by executable name in upper case, spared when they run
// from the Windows folder.
constexpr const wchar_t* kSessionPrograms[] = {
    L"CSRSS.EXE",    L"WINLOGON.EXE", L"WININIT.EXE",   L"SERVICES.EXE",      L"LSASS.EXE",
    L"SMSS.EXE",     L"DWM.EXE",      L"SVCHOST.EXE",   L"FONTDRVHOST.EXE",   L"SIHOST.EXE",
    L"EXPLORER.EXE", L"CTFMON.EXE",   L"TASKHOSTW.EXE", L"RUNTIMEBROKER.EXE", L"WINEDEVICE.EXE",
    L"PLUGPLAY.EXE", L"RPCSS.EXE",    L"WINEBOOT.EXE",
};

class Handle {
  public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    ~Handle() {
        if (valid())
            CloseHandle(handle_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool valid() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }

  private:
    HANDLE handle_;
};

std::wstring upperWide(std::wstring text) {
    if (!text.empty())
        CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

std::string imagePath(HANDLE process) {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = static_cast<DWORD>(buffer.size());
        if (QueryFullProcessImageNameW(process, 0, buffer.data(), &length))
            return narrow(buffer.data(), length);
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || buffer.size() >= 32768)
            return {};
        buffer.resize(buffer.size() * 2);
    }
}

std::string imagePathOf(DWORD pid) {
    const Handle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
    return process.valid() ? imagePath(process.get()) : std::string();
}

// Every process with its parent, from one snapshot.
std::map<DWORD, DWORD> parents() {
    std::map<DWORD, DWORD> result;
    const Handle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot.valid())
        return result;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more;
         more = Process32NextW(snapshot.get(), &entry))
        result[entry.th32ProcessID] = entry.th32ParentProcessID;
    return result;
}

std::wstring windowsFolder() {
    wchar_t buffer[MAX_PATH];
    const UINT length = GetSystemWindowsDirectoryW(buffer, MAX_PATH);
    return length > 0 && length < MAX_PATH ? upperWide(std::wstring(buffer, length)) + L"\\"
                                           : std::wstring();
}

int windowOwner(HWND window) {
    DWORD pid = 0;
    if (window)
        GetWindowThreadProcessId(window, &pid);
    return static_cast<int>(pid);
}

} // namespace

std::vector<ProcessInfo> ToolhelpProcesses::list() {
    const Handle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot.valid())
        throw std::runtime_error("Cannot read the process list: " + errorText(GetLastError()));
    std::vector<ProcessInfo> result;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more;
         more = Process32NextW(snapshot.get(), &entry)) {
        if (entry.th32ProcessID == 0)
            continue; // the idle process is no program
        ProcessInfo info;
        info.pid = static_cast<int>(entry.th32ProcessID);
        info.name = narrow(entry.szExeFile);
        info.path = imagePathOf(entry.th32ProcessID);
        result.push_back(std::move(info));
    }
    return result;
}

std::string ToolhelpProcesses::sparedRole(const ProcessInfo& process) const {
    const auto pid = static_cast<DWORD>(process.pid);
    // Ourselves and every ancestor; the walk stops at a loop or a parent that is gone.
    const std::map<DWORD, DWORD> parentOf = parents();
    std::set<DWORD> seen;
    for (DWORD p = GetCurrentProcessId(); p != 0 && seen.insert(p).second;) {
        if (p == pid)
            return p == GetCurrentProcessId() ? "this program" : "started this program";
        const auto parent = parentOf.find(p);
        if (parent == parentOf.end())
            break;
        p = parent->second;
    }
    if (process.pid == windowOwner(GetShellWindow()) ||
        process.pid == windowOwner(GetDesktopWindow()))
        return "shell";
    const std::wstring system = windowsFolder();
    const std::wstring path = upperWide(widen(process.path));
    const std::wstring name = path.substr(path.find_last_of(L'\\') + 1);
    const bool sessionProgram =
        !system.empty() && path.rfind(system, 0) == 0 &&
        std::any_of(std::begin(kSessionPrograms), std::end(kSessionPrograms),
                    [&](const wchar_t* n) { return name == n; });
    return sessionProgram ? "session process" : "";
}

bool ToolhelpProcesses::isSpared(const ProcessInfo& process) const {
    return !sparedRole(process).empty();
}

std::vector<SparedProcess> ToolhelpProcesses::spared() {
    std::vector<SparedProcess> result;
    for (const ProcessInfo& process : list())
        if (std::string role = sparedRole(process); !role.empty())
            result.push_back({process.pid, std::move(role)});
    return result;
}

bool ToolhelpProcesses::kill(const ProcessInfo& process) {
    if (process.pid <= 0 || process.path.empty())
        return false;
    if (isSpared(process))
        return false;
    const Handle handle(OpenProcess(PROCESS_TERMINATE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE,
                                    static_cast<DWORD>(process.pid)));
    if (!handle.valid())
        return false;
    // The open handle pins the process: once its path is checked, the identifier cannot
    // pass to another program before the termination.
    if (imagePath(handle.get()) != process.path)
        return false;
    return TerminateProcess(handle.get(), 0) != 0;
}

int ToolhelpProcesses::selfPid() const {
    return static_cast<int>(GetCurrentProcessId());
}

} // namespace tw
