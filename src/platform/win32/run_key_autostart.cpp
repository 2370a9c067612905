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

} // namespace tw
