#include "platform/win32/win32_clipboard.h"

#include "platform/win32/wide_text.h"

#include <windows.h>

#include <cstring>

namespace tw {

namespace {

// Format numbers of the plain-text kinds (ANSI, OEM and Unicode text); 0 means plain text.
bool isPlainText(int format) {
    return format == 0 || format == CF_TEXT || format == CF_OEMTEXT || format == CF_UNICODETEXT;
}

class OpenClipboardScope {
  public:
    explicit OpenClipboardScope(HWND owner) : open_(OpenClipboard(owner) != 0) {}
    ~OpenClipboardScope() {
        if (open_)
            CloseClipboard();
    }
    OpenClipboardScope(const OpenClipboardScope&) = delete;
    OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
    bool open() const { return open_; }

  private:
    bool open_;
};

HGLOBAL copyToGlobal(const void* data, std::size_t bytes) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!memory)
        return nullptr;
    void* target = GlobalLock(memory);
    if (!target) {
        GlobalFree(memory);
        return nullptr;
    }
    std::memcpy(target, data, bytes);
    GlobalUnlock(memory);
    return memory;
}

} // namespace

Win32Clipboard::Win32Clipboard() = default;

Win32Clipboard::~Win32Clipboard() {
    if (owner_)
        DestroyWindow(static_cast<HWND>(owner_));
}

void* Win32Clipboard::owner() {
    // Made at the first copy, not at start: a window is server round trips under Wine, and
    // most sessions never copy.
    if (!owner_)
        owner_ = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    return owner_;
}

bool Win32Clipboard::tryClear() {
    const OpenClipboardScope clipboard(static_cast<HWND>(owner()));
    return clipboard.open() && EmptyClipboard();
}

bool Win32Clipboard::trySetText(const std::string& text, int format) {
    HGLOBAL memory = nullptr;
    UINT kind = CF_UNICODETEXT;
    if (isPlainText(format)) {
        const std::wstring wide = widen(text);
        memory = copyToGlobal(wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
    } else {
        // Any other format travels as the raw bytes.
        kind = static_cast<UINT>(format);
        memory = copyToGlobal(text.data(), text.size());
    }
    if (!memory)
        return false;
    const OpenClipboardScope clipboard(static_cast<HWND>(owner()));
    // The clipboard owns the memory once it took it; until then it is ours to free.
    if (!clipboard.open() || !EmptyClipboard() || !SetClipboardData(kind, memory)) {
        GlobalFree(memory);
        return false;
    }
    return true;
}

} // namespace tw
