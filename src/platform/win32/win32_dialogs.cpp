#include "platform/win32/win32_dialogs.h"

#include "platform/win32/input_box.h"
#include "platform/win32/system_function.h"
#include "platform/win32/wide_text.h"

#include <commdlg.h>
#include <stdexcept>

namespace tw {

Answer Win32Dialogs::messageBox(const std::string& text, const std::string& title, Buttons buttons,
                                Icon icon) {
    UINT style = buttons == Buttons::YesNo ? MB_YESNO : MB_OK;
    if (icon == Icon::Warning)
        style |= MB_ICONWARNING;
    const int pressed = MessageBoxW(GetActiveWindow(), widen(text).c_str(), widen(title).c_str(),
                                    style | MB_SETFOREGROUND);
    if (pressed == 0)
        throw std::runtime_error("The message box could not be shown");
    if (pressed == IDYES)
        return Answer::Yes;
    if (pressed == IDNO)
        return Answer::No;
    return Answer::Ok;
}

std::string Win32Dialogs::inputBox(const std::string& prompt, const std::string& title,
                                   const std::string& initial) {
    return narrow(askText(GetActiveWindow(), widen(prompt), widen(title), widen(initial)));
}

std::wstring fileDialogFilter(const std::string& filter) {
    std::wstring out = widen(filter);
    for (wchar_t& c : out)
        if (c == L'|')
            c = L'\0';
    out.push_back(L'\0');
    out.push_back(L'\0');
    return out;
}

std::string Win32Dialogs::openFile(const std::string& title, const std::string& filter) {
    const std::wstring filters = fileDialogFilter(filter);
    const std::wstring caption = widen(title);
    std::wstring path(32768, L'\0');
    OPENFILENAMEW request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = GetActiveWindow();
    request.lpstrFilter = filters.c_str();
    request.nFilterIndex = 1;
    request.lpstrFile = path.data();
    request.nMaxFile = static_cast<DWORD>(path.size());
    request.lpstrTitle = caption.empty() ? nullptr : caption.c_str();
    request.Flags =
        OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    static const auto askForFile = TW_SYSTEM_FUNCTION(L"comdlg32.dll", GetOpenFileNameW);
    static const auto dialogError = TW_SYSTEM_FUNCTION(L"comdlg32.dll", CommDlgExtendedError);
    if (!askForFile || !dialogError)
        throw std::runtime_error("The open-file dialog is missing");
    // The dialog shows the shell's folders, which are COM objects.
    joinComApartment();
    if (!askForFile(&request)) {
        // Cancel is an answer; anything else is a failure the caller reports.
        if (const DWORD error = dialogError(); error != 0)
            throw std::runtime_error("The open-file dialog failed (" + std::to_string(error) + ")");
        return {};
    }
    path.resize(wcslen(path.c_str()));
    return narrow(path);
}

} // namespace tw
