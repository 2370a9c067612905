#include "frontend/win32/control_accessible.h"

#include "frontend/win32/win32_window.h"
#include "platform/win32/system_function.h"
#include "platform/win32/wide_text.h"
#include "window/access_keys.h"

#include <oleacc.h>
#include <string>

namespace tw {

namespace {

// MSAA's role for each kind of control, as a standard control of that kind reports it on
// Windows; Wine's standard objects say "client" for nearly all.
long roleOf(ControlKind kind) {
    switch (kind) {
    case ControlKind::Button:
        return ROLE_SYSTEM_PUSHBUTTON;
    case ControlKind::Frame:
        return ROLE_SYSTEM_GROUPING;
    case ControlKind::CheckBox:
        return ROLE_SYSTEM_CHECKBUTTON;
    case ControlKind::Option:
        return ROLE_SYSTEM_RADIOBUTTON;
    case ControlKind::Label:
        return ROLE_SYSTEM_STATICTEXT;
    case ControlKind::Edit:
        return ROLE_SYSTEM_TEXT;
    case ControlKind::Combo:
        return ROLE_SYSTEM_COMBOBOX;
    case ControlKind::Progress:
        return ROLE_SYSTEM_PROGRESSBAR;
    case ControlKind::List:
        return ROLE_SYSTEM_LIST;
    case ControlKind::TimePicker:
        // Its arrows and keys step the time: to a screen reader a spin box.
        return ROLE_SYSTEM_SPINBUTTON;
    }
    return ROLE_SYSTEM_CLIENT;
}

bool isSelf(const VARIANT& child) {
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

HRESULT giveText(const std::wstring& text, BSTR* out) {
    if (!out)
        return E_POINTER;
    // The caller frees it with SysFreeString: oleaut32's own allocation.
    static const auto allocate = TW_SYSTEM_FUNCTION(L"oleaut32.dll", SysAllocStringLen);
    *out = allocate ? allocate(text.data(), static_cast<UINT>(text.size())) : nullptr;
    return *out ? S_OK : E_OUTOFMEMORY;
}

// A COM object is deleted only by its own Release, never through its interface.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
// The standard object with answers of its own about the control itself (role, name,
// description, and the chosen day or time as value); everything else, the control's children
// (a list's rows) included, is the standard object's.
class SpokenControl final : public IAccessible {
  public:
    SpokenControl(IAccessible* standard, HWND control, ControlKind kind, std::wstring name,
                  std::wstring description)
        : standard_(standard), control_(control), role_(roleOf(kind)),
          // Wine's standard objects give no value for the day list or the time picker.
          valueIsText_(kind == ControlKind::Combo || kind == ControlKind::TimePicker),
          name_(std::move(name)), description_(std::move(description)) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out)
            return E_POINTER;
        if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) ||
            iid == __uuidof(IAccessible)) {
            *out = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        // Walking the rows and finding the window go to the standard object. Nothing else
        // does: its own way of being marshalled would carry it across without these answers.
        if (iid == __uuidof(IEnumVARIANT) || iid == __uuidof(IOleWindow))
            return standard_->QueryInterface(iid, out);
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0)
            delete this;
        return static_cast<ULONG>(left);
    }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        return standard_->GetTypeInfoCount(count);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
        return standard_->GetTypeInfo(index, locale, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override {
        return standard_->GetIDsOfNames(iid, names, count, locale, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                     DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                     UINT* argumentError) override {
        return standard_->Invoke(id, iid, locale, flags, params, result, exception, argumentError);
    }

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        return isSelf(child) ? giveText(name_, name) : standard_->get_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
        if (isSelf(child) && !description_.empty())
            return giveText(description_, description);
        return standard_->get_accDescription(child, description);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!isSelf(child))
            return standard_->get_accRole(child, role);
        if (!role)
            return E_POINTER;
        *role = VARIANT{};
        role->vt = VT_I4;
        role->lVal = role_;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return standard_->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        return standard_->get_accChildCount(count);
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        return standard_->get_accChild(child, object);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        if (isSelf(child) && valueIsText_)
            return giveText(wideWindowText(control_), value);
        return standard_->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        return standard_->get_accState(child, state);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
        return standard_->get_accHelp(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
        return standard_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
        return standard_->get_accKeyboardShortcut(child, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
        return standard_->get_accFocus(child);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
        return standard_->get_accSelection(children);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        return standard_->get_accDefaultAction(child, action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
        return standard_->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override {
        return standard_->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        return standard_->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override {
        return standard_->accHitTest(x, y, child);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        return standard_->accDoDefaultAction(child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
        return standard_->put_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        return standard_->put_accValue(child, value);
    }

  private:
    ~SpokenControl() { standard_->Release(); }

    IAccessible* standard_;
    HWND control_;
    long role_;
    bool valueIsText_;
    std::wstring name_;
    std::wstring description_;
    LONG references_ = 1;
};
#pragma GCC diagnostic pop

} // namespace

LRESULT answerAccessibleObject(HWND control, ControlKind kind, const ControlSpeech& speech,
                               WPARAM wParam, LPARAM lParam) {
    if (static_cast<DWORD>(lParam) != static_cast<DWORD>(OBJID_CLIENT))
        return 0;
    // oleacc, and COM with it, only once a screen reader asks.
    static const auto standardObject = TW_SYSTEM_FUNCTION(L"oleacc.dll", CreateStdAccessibleObject);
    static const auto handOver = TW_SYSTEM_FUNCTION(L"oleacc.dll", LresultFromObject);
    if (!standardObject || !handOver)
        return 0;
    // The object goes to the screen reader's process marshalled by COM.
    joinComApartment();
    IAccessible* standard = nullptr;
    if (FAILED(standardObject(control, OBJID_CLIENT, __uuidof(IAccessible),
                              reinterpret_cast<void**>(&standard))) ||
        !standard)
        return 0;
    auto* spoken = new SpokenControl(standard, control, kind,
                                     *speech.name ? widen(speech.name)
                                                  : widen(plainCaption(windowText(control))),
                                     widen(speech.description));
    // The result holds its own reference (a marshalled one when another process asked).
    const LRESULT result = handOver(__uuidof(IAccessible), wParam, spoken);
    spoken->Release();
    return result < 0 ? 0 : result;
}

} // namespace tw
