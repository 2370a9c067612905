#include "platform/win32/input_box.h"

#include "platform/win32/escaped_failure.h"

#include <cstdint>
#include <stdexcept>
#include <vector>

namespace tw {

namespace {
constexpr WORD kPromptId = 100;
constexpr WORD kTextId = 101;
constexpr WORD kButtonClass = 0x0080;
constexpr WORD kEditClass = 0x0081;
constexpr WORD kStaticClass = 0x0082;

// An in-memory dialog template: the header, then items, each on a 4-byte boundary.
class Template {
  public:
    void align() {
        while (bytes_.size() % 4)
            bytes_.push_back(0);
    }
    template <class T> void put(const T& value) {
        const auto* p = reinterpret_cast<const std::uint8_t*>(&value);
        bytes_.insert(bytes_.end(), p, p + sizeof value);
    }
    void text(const std::wstring& s) {
        for (wchar_t c : s)
            put(static_cast<WORD>(c));
        put(WORD{0});
    }
    void item(DWORD style, short x, short y, short cx, short cy, WORD id, WORD atom,
              const std::wstring& caption) {
        align();
        put(DLGITEMTEMPLATE{style | WS_CHILD | WS_VISIBLE, 0, x, y, cx, cy, id});
        put(WORD{0xFFFF});
        put(atom);
        text(caption);
        put(WORD{0}); // no creation data
    }
    const DLGTEMPLATE* data() const { return reinterpret_cast<const DLGTEMPLATE*>(bytes_.data()); }

  private:
    std::vector<std::uint8_t> bytes_;
};

struct Exchange {
    const std::wstring* initial;
    std::wstring answer;
};

INT_PTR CALLBACK inputProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    INT_PTR handled = FALSE;
    guarded(dialog, [&] {
        if (message == WM_INITDIALOG) {
            auto* exchange = reinterpret_cast<Exchange*>(lParam);
            SetWindowLongPtrW(dialog, DWLP_USER, lParam);
            SetDlgItemTextW(dialog, kTextId, exchange->initial->c_str());
            SendDlgItemMessageW(dialog, kTextId, EM_SETSEL, 0, -1);
            SetFocus(GetDlgItem(dialog, kTextId));
            return; // FALSE: the focus is set
        }
        if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
            auto* exchange = reinterpret_cast<Exchange*>(GetWindowLongPtrW(dialog, DWLP_USER));
            if (LOWORD(wParam) == IDOK) {
                HWND field = GetDlgItem(dialog, kTextId);
                std::wstring text(static_cast<size_t>(GetWindowTextLengthW(field)) + 1, L'\0');
                GetWindowTextW(field, text.data(), static_cast<int>(text.size()));
                text.resize(text.size() - 1);
                exchange->answer = std::move(text);
            }
            EndDialog(dialog, LOWORD(wParam));
            handled = TRUE;
        }
    });
    return handled;
}
} // namespace

std::wstring askText(HWND owner, const std::wstring& prompt, const std::wstring& title,
                     const std::wstring& initial) {
    Template t;
    t.put(DLGTEMPLATE{DS_MODALFRAME | DS_CENTER | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU,
                      0, 4, 0, 0, 280, 84});
    t.put(WORD{0}); // no menu
    t.put(WORD{0}); // the standard dialog class
    t.text(title);
    t.put(WORD{8});
    t.text(L"MS Shell Dlg");
    t.item(SS_LEFT, 7, 7, 204, 48, kPromptId, kStaticClass, prompt);
    t.item(BS_DEFPUSHBUTTON | WS_TABSTOP, 222, 7, 50, 14, IDOK, kButtonClass, L"OK");
    t.item(BS_PUSHBUTTON | WS_TABSTOP, 222, 25, 50, 14, IDCANCEL, kButtonClass, L"Cancel");
    t.item(ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 7, 62, 266, 14, kTextId, kEditClass, L"");

    Exchange exchange{&initial, {}};
    const INT_PTR result = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), t.data(), owner,
                                                   &inputProc, reinterpret_cast<LPARAM>(&exchange));
    if (result == -1)
        throw std::runtime_error("The input box could not be shown");
    return result == IDOK ? exchange.answer : std::wstring();
}

} // namespace tw
