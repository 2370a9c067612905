#include "platform/win32/shell_launcher.h"

#include "platform/win32/system_function.h"
#include "platform/win32/wide_text.h"

// <windows.h> first: the other Windows headers build on its definitions.
// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

namespace tw {

namespace {

std::string windowsDirectory() {
    wchar_t buffer[MAX_PATH];
    const UINT length = GetSystemWindowsDirectoryW(buffer, MAX_PATH);
    return length > 0 && length < MAX_PATH ? narrow(buffer, length) : std::string();
}

void open(const std::wstring& target, const std::wstring& directory, const std::string& what) {
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    // No box of the shell's own: a failure is reported to our caller instead.
    info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
    // No verb: the type's default action, what a double click in Explorer does (a type
    // whose default is "edit" or "play" must not be forced to "open").
    info.lpVerb = nullptr;
    info.lpFile = target.c_str();
    info.lpDirectory = directory.empty() ? nullptr : directory.c_str();
    info.nShow = SW_SHOW;
    // A type's handler may be a shell extension, a COM object.
    joinComApartment();
    if (!ShellExecuteExW(&info))
        throw LaunchFailed("Cannot open " + what + ": " + errorText(GetLastError()));
}

} // namespace

std::string ShellLauncher::launchDirectory(const std::string& workingDirectory) {
    if (workingDirectory != "/")
        return workingDirectory;
    const std::string windows = windowsDirectory();
    return windows.size() >= 3 && windows[1] == ':' ? windows.substr(0, 2) + "\\" : "C:\\";
}

void ShellLauncher::openFile(const std::string& file, const std::string& workingDirectory) {
    if (file.empty())
        throw LaunchFailed("Cannot open an empty file name");
    // The whole text is the file: the shell never splits lpFile into program and arguments.
    open(widen(file), widen(launchDirectory(workingDirectory)), file);
}

void ShellLauncher::openUrl(const std::string& url) {
    open(widen(url), std::wstring(), url);
}

std::string ShellLauncher::editorDirectory() const {
    return windowsDirectory();
}

} // namespace tw
