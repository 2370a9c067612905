// What a screen reader gets from a running Tidewell window through MSAA, as another process
// sees it: for each control of the window of class TidewellMainWindow, one line
//   <control id> TAB <window class> TAB <role> TAB <name> TAB <description> TAB <value>
// in UTF-8, from AccessibleObjectFromWindow(OBJID_CLIENT). A control whose object could not
// be had prints "error 0x..." in place of the role. Exits 1 when no such window runs.
#include <windows.h>

#include <oleacc.h>
#include <string>

// liboleacc.a exports IID_IAccessible as a function stub, not the GUID: __uuidof is used.

namespace {

std::string utf8(const wchar_t* text, int length = -1) {
    if (!text)
        return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, length, out.data(), size, nullptr, nullptr);
    if (length < 0 && !out.empty())
        out.pop_back();
    return out;
}

// A BSTR property's text, with tabs and line ends made spaces to keep one line per control.
std::string flat(BSTR text) {
    std::string out = utf8(text, text ? static_cast<int>(SysStringLen(text)) : 0);
    for (char& c : out)
        if (c == '\t' || c == '\n' || c == '\r')
            c = ' ';
    SysFreeString(text);
    return out;
}

std::string roleText(IAccessible* object, VARIANT self) {
    VARIANT role;
    VariantInit(&role);
    if (FAILED(object->get_accRole(self, &role)) || role.vt != VT_I4)
        return "?";
    wchar_t text[128] = {};
    GetRoleTextW(static_cast<DWORD>(role.lVal), text, 128);
    return utf8(text);
}

std::string describe(HWND control) {
    wchar_t windowClass[64] = {};
    GetClassNameW(control, windowClass, 64);
    std::string line = std::to_string(GetDlgCtrlID(control)) + '\t' + utf8(windowClass) + '\t';
    IAccessible* object = nullptr;
    const HRESULT got =
        AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                   reinterpret_cast<void**>(&object));
    if (FAILED(got) || !object) {
        char code[32];
        wsprintfA(code, "error 0x%08lx", static_cast<unsigned long>(got));
        return line + code + "\t\t\t";
    }
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    BSTR description = nullptr;
    BSTR value = nullptr;
    if (FAILED(object->get_accName(self, &name)))
        name = nullptr;
    if (FAILED(object->get_accDescription(self, &description)))
        description = nullptr;
    if (FAILED(object->get_accValue(self, &value)))
        value = nullptr;
    line +=
        roleText(object, self) + '\t' + flat(name) + '\t' + flat(description) + '\t' + flat(value);
    object->Release();
    return line;
}

BOOL CALLBACK printControl(HWND control, LPARAM out) {
    const std::string line = describe(control) + '\n';
    DWORD written = 0;
    WriteFile(reinterpret_cast<HANDLE>(out), line.data(), static_cast<DWORD>(line.size()), &written,
              nullptr);
    return TRUE;
}

} // namespace

int wmain() {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    HWND window = FindWindowW(L"TidewellMainWindow", nullptr);
    if (!window)
        return 1;
    EnumChildWindows(window, printControl,
                     reinterpret_cast<LPARAM>(GetStdHandle(STD_OUTPUT_HANDLE)));
    CoUninitialize();
    return 0;
}
