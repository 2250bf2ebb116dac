#include "AccessibleProxy.h"

#include <commctrl.h>
#include <oleacc.h>

#include <string>

#include "../accessibility/FieldLabel.h"

namespace {

// IID_IAccessible, written out: MinGW's may resolve to an import thunk.
constexpr IID kAccessibleId = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};
constexpr IID kDispatchId = {0x00020400, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr IID kUnknownId = {0x00000000, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// Nobody pays for accessibility until a client asks: the libraries load then.
struct AccessibilityLibraries {
    HRESULT(WINAPI* createStandard)(HWND, LONG, REFIID, void**) = nullptr;
    LRESULT(WINAPI* resultFromObject)(REFIID, WPARAM, LPUNKNOWN) = nullptr;
    BSTR(WINAPI* allocString)(const OLECHAR*) = nullptr;
    HRESULT(WINAPI* initialize)(LPVOID, DWORD) = nullptr;
    HRESULT(WINAPI* createInstance)(REFCLSID, LPUNKNOWN, DWORD, REFIID, void**) = nullptr;

    bool Load() {
        if (createStandard != nullptr) return true;
        HMODULE oleacc = LoadLibraryW(L"oleacc.dll");
        HMODULE oleaut = LoadLibraryW(L"oleaut32.dll");
        HMODULE ole = LoadLibraryW(L"ole32.dll");
        if (oleacc == nullptr || oleaut == nullptr || ole == nullptr) return false;
        resultFromObject = reinterpret_cast<decltype(resultFromObject)>(reinterpret_cast<void*>(GetProcAddress(oleacc, "LresultFromObject")));
        allocString = reinterpret_cast<decltype(allocString)>(reinterpret_cast<void*>(GetProcAddress(oleaut, "SysAllocString")));
        initialize = reinterpret_cast<decltype(initialize)>(reinterpret_cast<void*>(GetProcAddress(ole, "CoInitializeEx")));
        createInstance = reinterpret_cast<decltype(createInstance)>(reinterpret_cast<void*>(GetProcAddress(ole, "CoCreateInstance")));
        auto create = reinterpret_cast<decltype(createStandard)>(reinterpret_cast<void*>(GetProcAddress(oleacc, "CreateStdAccessibleObject")));
        if (resultFromObject == nullptr || allocString == nullptr || initialize == nullptr || createInstance == nullptr || create == nullptr)
            return false;
        // The client's calls come back as messages to this window thread.
        initialize(nullptr, COINIT_APARTMENTTHREADED);
        createStandard = create;
        return true;
    }
};

AccessibilityLibraries& Libraries() {
    static AccessibilityLibraries libraries;
    return libraries;
}

std::wstring Wide(const char* utf8) {
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
    std::wstring text(static_cast<std::size_t>(length > 0 ? length : 1), L'\0');
    if (length > 0) MultiByteToWideChar(CP_UTF8, 0, utf8, -1, text.data(), length);
    text.resize(text.size() - 1);
    return text;
}

// A label as read aloud: no mnemonic marker, no blanks at either end.
std::wstring SpokenText(HWND hWnd) {
    char text[512] = {};
    GetWindowTextA(hWnd, text, sizeof text);
    const std::wstring raw = Wide(text);
    std::wstring spoken;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == L'&' && ++i == raw.size()) break;  // "&x" reads x, "&&" reads "&"
        spoken += raw[i];
    }
    const auto first = spoken.find_first_not_of(L' ');
    if (first == std::wstring::npos) return L"";
    return spoken.substr(first, spoken.find_last_not_of(L' ') - first + 1);
}

bool HasClass(HWND hWnd, const char* name) {
    char className[32] = {};
    GetClassNameA(hWnd, className, sizeof className);
    return lstrcmpiA(className, name) == 0;
}

LONG Style(HWND hWnd) { return static_cast<LONG>(GetWindowLongPtrA(hWnd, GWL_STYLE)); }

bool IsIconStatic(HWND hWnd) { return HasClass(hWnd, "Static") && (Style(hWnd) & SS_TYPEMASK) == SS_ICON; }

// A badge's tooltip text, from the tooltips of its window's thread.
std::wstring ToolTipOf(HWND control) {
    std::wstring found;
    auto visit = [&](HWND tip) {
        if (!HasClass(tip, TOOLTIPS_CLASSA)) return;
        const auto count = SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0);
        for (LRESULT i = 0; i < count && found.empty(); ++i) {
            char text[1024] = {};
            TOOLINFOA info{};
            info.cbSize = sizeof info;
            info.lpszText = text;
            if (SendMessageA(tip, TTM_ENUMTOOLSA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&info)) && info.hwnd == control)
                found = Wide(text);
        }
    };
    EnumThreadWindows(
        GetWindowThreadProcessId(control, nullptr),
        [](HWND tip, LPARAM visitor) {
            (*reinterpret_cast<decltype(visit)*>(visitor))(tip);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&visit));
    return found;
}

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

// The system's object with a name, role, states and default action put in front where ours are better.
class AccessibleProxy final : public IAccessible {
public:
    AccessibleProxy(HWND control, IAccessible* standard) : control_(control), standard_(standard) {}

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        if (object == nullptr) return E_POINTER;
        if (IsEqualIID(id, kUnknownId) || IsEqualIID(id, kDispatchId) || IsEqualIID(id, kAccessibleId)) {
            *object = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        // The rest (the window it stands for, its children's enumeration) is the system's.
        return standard_->QueryInterface(id, object);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0) {
            standard_->Release();
            delete this;
        }
        return static_cast<ULONG>(left);
    }

    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return standard_->GetTypeInfoCount(count); }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override { return standard_->GetTypeInfo(index, locale, info); }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID id, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override {
        return standard_->GetIDsOfNames(id, names, count, locale, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID id, LCID locale, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                     UINT* argument) override {
        return standard_->Invoke(member, id, locale, flags, params, result, exception, argument);
    }

    // IAccessible: what we know better
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (name == nullptr) return E_POINTER;
        if (IsSelf(child)) {
            std::wstring ours;
            if (HasClass(control_, "Edit")) {
                if (const std::string own = FieldOwnName(control_); !own.empty())
                    ours = Wide(own.c_str());
                else if (HWND label = FieldLabel(control_); label != nullptr)
                    ours = SpokenText(label);
            } else if (IsIconStatic(control_)) {
                const std::string own = FieldOwnName(control_);
                ours = own.empty() ? ToolTipOf(control_) : Wide(own.c_str());
            }
            if (!ours.empty()) {
                *name = Libraries().allocString(ours.c_str());
                return *name != nullptr ? S_OK : E_OUTOFMEMORY;
            }
        }
        return standard_->get_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (role == nullptr) return E_POINTER;
        if (const LONG ours = Role(); IsSelf(child) && ours != 0) {
            role->vt = VT_I4;
            role->lVal = ours;
            return S_OK;
        }
        return standard_->get_accRole(child, role);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        const HRESULT result = standard_->get_accState(child, state);
        if (SUCCEEDED(result) && IsSelf(child) && state->vt == VT_I4 && HasClass(control_, "Button")) {
            const LONG type = Style(control_) & BS_TYPEMASK;
            if (type == BS_DEFPUSHBUTTON) state->lVal |= STATE_SYSTEM_DEFAULT;
            if (SendMessageA(control_, BM_GETCHECK, 0, 0) == BST_CHECKED) state->lVal |= STATE_SYSTEM_CHECKED;
        }
        return result;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        if (action == nullptr) return E_POINTER;
        if (IsSelf(child) && IsBadge()) {
            *action = Libraries().allocString(L"\x5355\x51fb");  // "click", in the program's language
            return *action != nullptr ? S_OK : E_OUTOFMEMORY;
        }
        return standard_->get_accDefaultAction(child, action);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        if (IsSelf(child) && IsBadge()) {
            // A modal box disables the dialog under it: its badges take no action, as they take no click.
            for (HWND w = control_; w != nullptr; w = (GetWindowLongA(w, GWL_STYLE) & WS_CHILD) ? GetParent(w) : nullptr)
                if (!IsWindowEnabled(w)) return DISP_E_MEMBERNOTFOUND;
            // Posted, as the mouse's would be: the client's call returns before the badge's message box waits.
            RECT r{};
            GetClientRect(control_, &r);
            const LPARAM middle = MAKELPARAM(r.right / 2, r.bottom / 2);
            PostMessageA(control_, WM_LBUTTONDOWN, MK_LBUTTON, middle);
            PostMessageA(control_, WM_LBUTTONUP, 0, middle);
            return S_OK;
        }
        return standard_->accDoDefaultAction(child);
    }

    // IAccessible: the system's
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override { return standard_->get_accParent(parent); }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override { return standard_->get_accChildCount(count); }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override { return standard_->get_accChild(child, object); }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override { return standard_->get_accValue(child, value); }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override { return standard_->get_accDescription(child, text); }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* text) override { return standard_->get_accHelp(child, text); }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
        return standard_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* text) override { return standard_->get_accKeyboardShortcut(child, text); }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override { return standard_->get_accFocus(child); }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override { return standard_->get_accSelection(children); }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override { return standard_->accSelect(flags, child); }
    HRESULT STDMETHODCALLTYPE accLocation(long* x, long* y, long* w, long* h, VARIANT child) override {
        return standard_->accLocation(x, y, w, h, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        return standard_->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override { return standard_->accHitTest(x, y, child); }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override { return standard_->put_accName(child, name); }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override { return standard_->put_accValue(child, value); }

private:
    bool IsBadge() const { return IsIconStatic(control_) && (Style(control_) & SS_NOTIFY); }

    // The roles the documentation gives the button classes, which not every system's object gives.
    LONG Role() const {
        if (IsIconStatic(control_)) return ROLE_SYSTEM_GRAPHIC;
        if (!HasClass(control_, "Button")) return 0;
        switch (Style(control_) & BS_TYPEMASK) {
        case BS_GROUPBOX: return ROLE_SYSTEM_GROUPING;
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON: return ROLE_SYSTEM_RADIOBUTTON;
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX: return ROLE_SYSTEM_CHECKBUTTON;
        default: return ROLE_SYSTEM_PUSHBUTTON;
        }
    }

    LONG references_ = 1;
    HWND control_;
    IAccessible* standard_;
};

}  // namespace

LRESULT AnswerAccessibleObject(HWND control, WPARAM flags) {
    AccessibilityLibraries& libraries = Libraries();
    if (!libraries.Load()) return 0;
    IAccessible* standard = nullptr;
    if (FAILED(libraries.createStandard(control, OBJID_CLIENT, kAccessibleId, reinterpret_cast<void**>(&standard))) || standard == nullptr) return 0;
    auto* proxy = new AccessibleProxy(control, standard);
    const LRESULT result = libraries.resultFromObject(kAccessibleId, flags, static_cast<IAccessible*>(proxy));
    proxy->Release();  // the result holds its own reference
    return result > 0 ? result : 0;
}

void MarkAsLiveRegion(HWND field) {
    constexpr CLSID kPropertyServices = {0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
    constexpr IID kPropertyServicesId = {0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};
    constexpr GUID kLiveSetting = {0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
    constexpr LONG kPolite = 1;
    if (!Libraries().Load()) return;
    IAccPropServices* services = nullptr;
    if (FAILED(
            Libraries().createInstance(kPropertyServices, nullptr, CLSCTX_INPROC_SERVER, kPropertyServicesId, reinterpret_cast<void**>(&services))))
        return;
    VARIANT polite;
    VariantInit(&polite);
    polite.vt = VT_I4;
    polite.lVal = kPolite;
    services->SetHwndProp(field, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, kLiveSetting, polite);
    services->Release();
}

bool AccessibilityClientsAsked() { return Libraries().createStandard != nullptr; }
