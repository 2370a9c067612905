#include "platform/win32/run_key_autostart.h"

#include "core/paths.h"
#include "platform/win32/registry.h"
#include "platform/win32/wide_text.h"

#include <windows.h>

#include <stdexcept>

namespace tw {

namespace {

std::string selfExecutable() {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return {};
        if (length < buffer.size())
            return narrow(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}

void checkName(const std::string& name) {
    if (name.empty() || name.find('\\') != std::string::npos)
        throw std::runtime_error("Not a usable name for a start-up entry: " + name);
}

} // namespace

RunKeyAutostart::RunKeyAutostart() : executable_(selfExecutable()) {}

RunKeyAutostart::RunKeyAutostart(std::string executablePath)
    : executable_(std::move(executablePath)) {}

std::string RunKeyAutostart::executableName() const {
    return fileNameOf(executable_);
}

std::string RunKeyAutostart::executableFolder() const {
    const auto slash = executable_.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : executable_.substr(0, slash);
}

std::string RunKeyAutostart::command(const std::string& executablePath) {
    return "\"" + executablePath + "\"";
}

void RunKeyAutostart::add(const std::string& name) {
    checkName(name);
    if (executable_.empty())
        throw std::runtime_error("Cannot find the running program's executable");
    writeUserString(kRunKey, widen(name), widen(command(executable_)));
}

void RunKeyAutostart::remove(const std::string& name) {
    checkName(name);
    deleteUserValue(kRunKey, widen(name));
}

bool RunKeyAutostart::startsThisProgram(const std::string& name) const {
    checkName(name);
    const auto value = readUserString(kRunKey, widen(name));
    return value && !executable_.empty() && *value == widen(command(executable_));
}

std::optional<MachineWideEntry> RunKeyAutostart::machineWideEntry(const std::string& name) const {
    checkName(name);
    BOOL wow64 = FALSE;
    const bool windows64 =
        sizeof(void*) == 8 || (IsWow64Process(GetCurrentProcess(), &wow64) && wow64);
    struct View {
        REGSAM flag;
        const char* shown; // the key as the Registry Editor shows it
    };
    // On 64-bit Windows the two views are two keys, and logon starts the values of both.
    const View views[] = {
        {KEY_WOW64_32KEY,
         windows64 ? "HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\"
                     "CurrentVersion\\Run"
                   : "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run"},
        {KEY_WOW64_64KEY, "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run"},
    };
    for (const View& view : views) {
        if (view.flag == KEY_WOW64_64KEY && !windows64)
            break;
        if (const auto value = readString(HKEY_LOCAL_MACHINE, kRunKey, widen(name), view.flag))
            return MachineWideEntry{view.shown, name, narrow(*value)};
    }
    return std::nullopt;
}

} // namespace tw
