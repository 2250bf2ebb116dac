#include "WebBackend.h"

#include <emscripten.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "../gui/Renderer.h"
#include "../window_system/Icon.h"
#include "../window_system/InputRouter.h"
#include "../window_system/Menu.h"
#include "../window_system/MenuLayout.h"
#include "../window_system/ToolTip.h"
#include "../window_system/Utf8.h"
#include "../window_system/WindowApi.h"
#include "../window_system/WindowManager.h"

// clang-format off
EM_JS(int, dotwise_next_event, (int* fields), {
    return Module.dotwisePage.nextEvent(fields >> 2);
});
EM_JS(void, dotwise_event_text, (char* buffer, int size), {
    stringToUTF8(Module.dotwisePage.eventText, buffer, size);
});
EM_ASYNC_JS(void, dotwise_wait, (int milliseconds), {
    await Module.dotwisePage.wait(milliseconds);
});
EM_JS(void, dotwise_answers, (const char* utf8, int length), {
    Module.dotwisePage.answers(UTF8ToString(utf8, length));
});
EM_JS(void, dotwise_pointer, (int shape), {
    Module.dotwisePage.pointer(shape);
});
EM_JS(void, dotwise_frame, (int x, int y, int w, int h), {
    Module.dotwisePage.frame(x, y, w, h);
});
EM_JS(int, dotwise_wants_contrast, (), {
    return Module.dotwisePage.wantsContrast() ? 1 : 0;
});
EM_JS(void, dotwise_copy, (const char* utf8, int length), {
    Module.dotwisePage.copy(UTF8ToString(utf8, length));
});
EM_ASYNC_JS(int, dotwise_read_clipboard, (), {
    return await Module.dotwisePage.readClipboard();
});
EM_JS(void, dotwise_clipboard_text, (char* buffer, int size), {
    stringToUTF8(Module.dotwisePage.clipboardText, buffer, size);
});
// clang-format on

namespace {

WindowManager& wm() { return WindowManager::Instance(); }

// What the page's script queues, in its order.
enum PageEventType {
    kNone,
    kKeyDown,
    kKeyUp,
    kText,
    kMouseDown,
    kMouseUp,
    kMouseMove,
    kMouseLeave,
    kLine,
    kPaste,
    kEnd,
    kFocus,
    kWheel,
    kEnter,
    kShown
};
constexpr int kShift = 1, kCtrl = 2, kAlt = 4;

HWND MainDialog() {
    for (HWND top : wm().TopLevelWindows())
        if (top->windowClass == WindowClass::Dialog && top->IsVisible()) return top;
    return nullptr;
}

}  // namespace

struct WebBackend::PageEvent {
    int type = kNone;
    int fields[5] = {};  // the event's numbers; the last, its text's length in bytes
    std::string text;
};

WebBackend::WebBackend(double scale) : m_font(scale), m_canvas(m_font), m_driver(MakePageDriver(m_answers, [this] { return m_origin; })) {
    // The browser's high contrast (forced colours, or more contrast asked for), unless the address says.
    if (!std::getenv("DOTWISE_CONTRAST") && dotwise_wants_contrast()) WishHighContrast(true);
}

FrameMetrics WebBackend::Frames() const {
    // Frames grow with the text on a dense screen, a pixel at least.
    const auto scaled = [this](int pixels) { return std::max(1, static_cast<int>(std::lround(pixels * m_font.Scale()))); };
    return {scaled(3), scaled(6), 2, scaled(1)};
}

Rect WebBackend::WorkArea() const {
    const int width = static_cast<int>(std::lround(1280 * m_font.Scale()));
    const int height = static_cast<int>(std::lround(800 * m_font.Scale()));
    return {0, 0, width, height};
}

MenuBox WebBackend::MenuBoxOf(const TrackedMenu& menu) const {
    Rect area = m_size;
    area.OffsetRect(m_origin.x, m_origin.y);
    return LayOutMenu(menu, m_font, area);
}

void WebBackend::ExportClipboard(const std::string& text) { dotwise_copy(text.data(), static_cast<int>(text.size())); }

bool WebBackend::TakePageEvent(PageEvent& event) {
    event.type = dotwise_next_event(event.fields);
    if (event.type == kNone) return false;
    if (const int length = event.fields[4]; length > 0) {
        event.text.assign(static_cast<std::size_t>(length) + 1, '\0');
        dotwise_event_text(event.text.data(), length + 1);
        event.text.resize(static_cast<std::size_t>(length));
    }
    return true;
}

bool WebBackend::PumpInput() {
    if (m_ended) return false;
    EnsureCanvas();
    if (m_driver) {
        if (m_driver->RunNextEvent()) return true;
        m_driver->FlushAnswer();
    }
    PageEvent event;
    if (TakePageEvent(event)) {
        Handle(event);
        return !m_ended;
    }
    // Nothing is waiting: the frame is shown, the driver's lines so far are answered,
    // and the page has the browser until its next event or deadline.
    const int wait = Deadline();
    if (m_dialogs.Due()) Present();
    ReportAnswers();
    dotwise_wait(wait);
    return true;
}

int WebBackend::Deadline() {
    int wait = UpdateToolTips(GetTickCount());
    const Caret& caret = wm().GetCaret();
    const bool blinking = m_focused && IsWindow(caret.owner) && caret.hideCount <= 0;
    if (const int toggle = m_dialogs.BlinkCaret(blinking, m_origin); toggle >= 0) wait = wait < 0 ? toggle : std::min(wait, toggle);
    return wait;
}

void WebBackend::ReportAnswers() {
    dotwise_answers(m_answers.data(), static_cast<int>(m_answers.size()));
    m_answers.clear();
}

void WebBackend::Shutdown() {
    if (m_driver) m_driver->FlushAnswer();
    ReportAnswers();
}

void WebBackend::Handle(const PageEvent& event) {
    const auto& f = event.fields;
    const Point screen{f[0] + m_origin.x, f[1] + m_origin.y};
    switch (event.type) {
    case kKeyDown: OnKey(static_cast<UINT>(f[0]), f[1], true); break;
    case kKeyUp: OnKey(static_cast<UINT>(f[0]), f[1], false); break;
    case kText:
        m_dialogs.KeepCaretShown();
        for (const char32_t cp : DecodeUtf8(event.text)) Input::Char(cp);
        break;
    case kMouseDown: OnMouseButton(screen, true, f[2] == 2, f[3] == 2); break;
    case kMouseUp: OnMouseButton(screen, false, f[2] == 2, false); break;
    case kMouseMove: OnMouseMotion(screen); break;
    case kMouseLeave: wm().SetCursorPos({INT_MIN / 2, INT_MIN / 2}); break;
    case kWheel: Input::MouseWheel(screen, f[2]); break;
    case kLine:
        if (m_driver) m_driver->Execute(event.text);
        break;
    case kEnter: EnterField(f[0], event.text); break;
    case kPaste: OnPaste(event.text); break;
    case kEnd: m_ended = true; break;
    case kShown:
        m_pageShown = true;
        m_aria.Update(m_origin);
        break;
    case kFocus:
        m_focused = f[0] != 0;
        m_dialogs.KeepCaretShown();
        m_dialogs.RepaintAll();
        break;
    }
}

// An input the page's address carries: the control given the focus, a field's text
// selected, and the value typed as the user would type it.
void WebBackend::EnterField(int id, const std::string& text) {
    HWND dialog = MainDialog();
    HWND control = dialog != nullptr ? GetDlgItem(dialog, id) : nullptr;
    if (control == nullptr) return;
    SetFocus(control);
    if (SendMessage(control, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessage(control, EM_SETSEL, 0, -1);
    m_dialogs.KeepCaretShown();
    for (const char32_t cp : DecodeUtf8(text)) Input::Char(cp);
}

void WebBackend::OnKey(UINT vk, int modifiers, bool down) {
    const bool shift = modifiers & kShift, ctrl = modifiers & kCtrl, alt = modifiers & kAlt;
    wm().SetKeyDown(VK_SHIFT, shift);
    wm().SetKeyDown(VK_CONTROL, ctrl);
    wm().SetKeyDown(VK_MENU, alt);
    m_dialogs.KeepCaretShown();
    if (vk == 0) return;
    if (!down) {
        Input::KeyUp(vk);
        return;
    }
    // The page reads what to paste only from its paste event, which follows the key.
    if ((ctrl && !alt && vk == 'V') || (shift && !ctrl && vk == VK_INSERT)) {
        m_pasteDue = true;
        return;
    }
    // Printable characters come as the page's text input; control characters from the key itself.
    const bool controlChar = ctrl || vk == VK_BACK || vk == VK_TAB || vk == VK_RETURN || vk == VK_ESCAPE;
    Input::KeyDown(vk, controlChar ? Input::CharForKey(vk, shift, ctrl, alt) : 0);
}

namespace {

void PutOnClipboard(const std::string& text) {
    if (!OpenClipboard(nullptr)) return;
    EmptyClipboard();
    if (HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1)) {
        std::memcpy(GlobalLock(data), text.c_str(), text.size() + 1);
        GlobalUnlock(data);
        SetClipboardData(CF_TEXT, data);
    }
    CloseClipboard();
}

}  // namespace

// A page reads the system clipboard only with the browser's leave, asked for when the user
// chooses Paste; where it is refused, the page says how to paste, and nothing is pasted.
bool WebBackend::TakeSystemClipboard() {
    const int length = dotwise_read_clipboard();
    if (length < 0) return false;
    std::string text(static_cast<std::size_t>(length) * 3 + 1, '\0');
    dotwise_clipboard_text(text.data(), static_cast<int>(text.size()));
    text.resize(std::strlen(text.c_str()));
    PutOnClipboard(text);
    return true;
}

void WebBackend::OnPaste(const std::string& text) {
    if (!m_pasteDue) return;
    m_pasteDue = false;
    // What the page pastes becomes the clipboard's text, and the key that asked for it pastes it.
    PutOnClipboard(text);
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    const UINT vk = shift ? VK_INSERT : 'V';
    Input::KeyDown(vk, shift ? 0 : Input::CharForKey(vk, false, true, false));
    Input::KeyUp(vk);
}

void WebBackend::OnMouseButton(Point screen, bool down, bool right, bool doubleClick) {
    m_dialogs.RepaintAll();
    m_dialogs.KeepCaretShown();
    if (m_dialogs.OnButton(*this, screen, down, right)) return;
    if (down)
        Input::MouseDown(screen, right, !right && doubleClick);
    else
        Input::MouseUp(screen, right);
    UpdatePointer();
}

void WebBackend::OnMouseMotion(Point screen) {
    if (m_dialogs.OnMove(*this, screen)) return;
    Input::MouseMove(screen);
    UpdatePointer();
}

void WebBackend::UpdatePointer() {
    const HCURSOR cursor = GetCursor();
    const int shape = cursor != nullptr ? cursor->systemCursor : kCursorArrow;
    if (shape == m_pointerShape) return;
    m_pointerShape = shape;
    dotwise_pointer(shape == kCursorHand ? 2 : shape == kCursorIBeam ? 1 : 0);
}

void WebBackend::EnsureCanvas() {
    if (m_hasCanvas) return;
    HWND main = MainDialog();
    if (main == nullptr) return;
    const Rect r = wm().ScreenRect(main);
    m_origin = {r.left, r.top};
    m_size = {0, 0, r.Width(), r.Height()};
    CanvasContext::Resize(r.Width(), r.Height());
    m_hasCanvas = true;
    m_dialogs.RepaintAll();
}

void WebBackend::Invalidate(HWND hWnd) { m_dialogs.Invalidate(hWnd, m_origin); }

void WebBackend::Present() {
    if (!m_hasCanvas) return;
    const bool caretOn = m_focused && m_dialogs.CaretShown();
    const Rect* repaint = m_dialogs.DueArea();
    m_canvas.SetClip(repaint);
    m_canvas.FillRect(m_size, RGB(58, 110, 165));
    Renderer(m_canvas, m_font).Paint(m_origin, m_size, caretOn, m_dialogs.ClosePressed(), repaint);
    m_canvas.SetClip(nullptr);
    const Rect drawn = repaint != nullptr ? repaint->Intersection(m_size) : m_size;
    dotwise_frame(drawn.left, drawn.top, drawn.Width(), drawn.Height());
    m_dialogs.Drawn();
    m_dialogs.Shown();
    // What a frame changed, the page's screen readers hear of.
    if (m_pageShown) m_aria.Update(m_origin);
}
