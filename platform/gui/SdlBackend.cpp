#include "SdlBackend.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstring>
#include <future>
#include <cstdlib>
#include <iostream>
#include <stdexcept>

#include "../driver/StreamAnswers.h"
#include "../window_system/BackendModules.h"
#include "../window_system/Icon.h"
#include "../window_system/InputRouter.h"
#include "../window_system/Menu.h"
#include "../window_system/MessageDialog.h"
#include "../window_system/Resources.h"
#include "../window_system/ToolTip.h"
#include "../window_system/Utf8.h"
#include "../window_system/WindowApi.h"
#include "../window_system/WindowManager.h"
#include "Renderer.h"
#include "ScreenReaderKey.h"
#include "Screenshot.h"
#include "SurfaceCanvas.h"
#include "DesktopWishes.h"
#include "DenseOutput.h"
#include "DesktopScale.h"
#include "X11Clipboard.h"
#include "X11Errors.h"

namespace {

WindowManager& wm() { return WindowManager::Instance(); }
Uint32 g_wakeEvent = 0;
constexpr int kDisplayAttempts = 3;

bool UserComposeFileExists() {
    const char* home = std::getenv("HOME");
    return home != nullptr && ::access((std::string(home) + "/.XCompose").c_str(), F_OK) == 0;
}

// Where the desktop says nothing: the display's physical density, where SDL can tell it.
double DisplayDensityScale() {
    float dpi = 0;
    if (SDL_GetDisplayDPI(0, &dpi, nullptr, nullptr) != 0 || dpi < 120) return 1.0;
    // Quarter steps keep the bitmap-like look of whole pixels where it can.
    return std::round(dpi / 96.0 * 4) / 4;
}

UINT VirtualKey(SDL_Keycode key) {
    if (key >= SDLK_a && key <= SDLK_z) return static_cast<UINT>('A' + (key - SDLK_a));
    if (key >= SDLK_0 && key <= SDLK_9) return static_cast<UINT>('0' + (key - SDLK_0));
    if (key >= SDLK_KP_1 && key <= SDLK_KP_9) return static_cast<UINT>('1' + (key - SDLK_KP_1));
    if (key >= SDLK_F1 && key <= SDLK_F12) return VK_F1 + static_cast<UINT>(key - SDLK_F1);
    switch (key) {
    case SDLK_KP_0: return '0';
    case SDLK_LEFT: return VK_LEFT;
    case SDLK_RIGHT: return VK_RIGHT;
    case SDLK_UP: return VK_UP;
    case SDLK_DOWN: return VK_DOWN;
    case SDLK_HOME: return VK_HOME;
    case SDLK_END: return VK_END;
    case SDLK_INSERT: return VK_INSERT;
    case SDLK_DELETE: return VK_DELETE;
    case SDLK_BACKSPACE: return VK_BACK;
    case SDLK_TAB: return VK_TAB;
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return VK_RETURN;
    case SDLK_ESCAPE: return VK_ESCAPE;
    case SDLK_SPACE: return VK_SPACE;
    case SDLK_APPLICATION: return VK_APPS;
    case SDLK_PERIOD:
    case SDLK_KP_PERIOD: return VK_OEM_PERIOD;
    case SDLK_COMMA: return VK_OEM_COMMA;
    case SDLK_MINUS:
    case SDLK_KP_MINUS: return VK_OEM_MINUS;
    case SDLK_EQUALS:
    case SDLK_KP_PLUS: return VK_OEM_PLUS;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT: return VK_SHIFT;
    case SDLK_LCTRL:
    case SDLK_RCTRL: return VK_CONTROL;
    case SDLK_LALT:
    case SDLK_RALT: return VK_MENU;
    default: return 0;
    }
}

SDL_HitTestResult HitTest(SDL_Window* window, const SDL_Point* point, void* data) {
    auto* backend = static_cast<const TextMetrics*>(data);
    HWND main = nullptr;
    for (HWND top : wm().TopLevelWindows())
        if (top->windowClass == WindowClass::Dialog && top->IsVisible()) {
            main = top;
            break;
        }
    if (main == nullptr || GetTrackedMenu() != nullptr) return SDL_HITTEST_NORMAL;
    const CaptionParts parts = CaptionLayout(main, *backend);
    int points = 0;
    int pixels = 0;
    SDL_GetWindowSize(window, &points, nullptr);
    SDL_GetWindowSizeInPixels(window, &pixels, nullptr);
    const int density = points > 0 ? std::max(1, pixels / points) : 1;
    const Point p{point->x * density, point->y * density};
    if (parts.caption.PtInRect(p) && !parts.icon.PtInRect(p) && !parts.closeBox.PtInRect(p)) return SDL_HITTEST_DRAGGABLE;
    return SDL_HITTEST_NORMAL;
}

}  // namespace

// The start, step by step: SDL told what this program wants of it, the
// desktop's wishes read, the environment shaped for SDL's own start, the font
// found while the display opens, then the driver's commands and their reader.
SdlBackend::SdlBackend(bool withDriver) : m_withDriver(withDriver), m_driver(AnswersTo(std::cout)) {
    GiveSdlItsHints();
    m_wishes = ReadDesktopWishes();
    PrepareEnvironmentForSdl();
    if (WantsHighContrast()) WishHighContrast(true);
    const std::optional<double> desktopScale = DesktopScale();
    const double scale = desktopScale.value_or(1.0);
    // Finding and opening the font takes as long as opening the display: do both at once.
    auto font = std::async(std::launch::async, [scale] { return std::make_unique<DialogFont>(scale); });
    const std::string driver = OpenDisplay();
    g_wakeEvent = SDL_RegisterEvents(1);
    m_font = font.get();
    ChooseScale(driver, desktopScale, scale);
    AddWindowCommands();
    if (m_withDriver) StartDriver();
}

void SdlBackend::GiveSdlItsHints() {
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    // The window's class (X11) and application id (Wayland) name the desktop entry, so
    // that a dock groups the window under it, whatever the program file is called.
    setenv("SDL_VIDEO_X11_WMCLASS", "dotwise", 0);
    setenv("SDL_VIDEO_WAYLAND_WMCLASS", "dotwise", 0);
    // A Wayland display is found through XDG_RUNTIME_DIR unless its name is a path; without
    // either, asking for one only prints the client library's complaint.
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if (std::getenv("XDG_RUNTIME_DIR") == nullptr && (wayland == nullptr || wayland[0] != '/')) SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
    // Drawing is ours and in memory: the window's own framebuffer takes it as it is. Left
    // to itself SDL would open an OpenGL context just to decide that.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    // The window draws its own frame and caption; the decoration library would only
    // look for its plugins (and say on the terminal that it found none).
    SDL_SetHint(SDL_HINT_VIDEO_WAYLAND_ALLOW_LIBDECOR, "0");
}

void SdlBackend::PrepareEnvironmentForSdl() {
    // With no session bus, the bus library would fork a helper to start one, only to find no
    // input method on it; say there is none instead, and start without the wait.
    setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 0);
    // Reading the locale's whole compose table is a fifth of the start; every field here takes
    // numbers, which need no composing. A compose setup or input method the user chose is kept.
    // (Wayland's keyboard library takes an empty file for a broken one and says so, so there it is left alone.)
    if (!std::getenv("WAYLAND_DISPLAY") && !std::getenv("XMODIFIERS") && !std::getenv("XCOMPOSEFILE") && !UserComposeFileExists())
        setenv("XCOMPOSEFILE", "/dev/null", 0);
}

// The desktop's high contrast (the settings portal's, or a HighContrast GTK_THEME),
// unless DOTWISE_CONTRAST says otherwise.
bool SdlBackend::WantsHighContrast() const {
    const char* theme = std::getenv("GTK_THEME");
    const bool themed = theme != nullptr && std::strstr(theme, "HighContrast") != nullptr;
    return (themed || m_wishes.highContrast.value_or(false)) && !std::getenv("DOTWISE_CONTRAST");
}

// SDL's video on the display; the name of the driver SDL chose.
std::string SdlBackend::OpenDisplay() {
    GuardX11Errors();
    // An X server under load may hang up on a connection it has just accepted (Xvfb does,
    // now and then): a display that is there is asked again before it counts as none.
    for (int attempt = 1; SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0; ++attempt) {
        if (attempt == kDisplayAttempts || std::getenv("DISPLAY") == nullptr) throw NoDisplay(SDL_GetError());
        // Not SDL_Quit, which would forget the hints given above.
        SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
        SDL_Delay(static_cast<Uint32>(20 * attempt));
    }
    // Where no display answers, SDL falls back to drivers that show nothing at all; a
    // window nobody can see would wait for input forever.
    const std::string driver = SDL_GetCurrentVideoDriver() != nullptr ? SDL_GetCurrentVideoDriver() : "";
    if (driver == "offscreen" || driver == "dummy" || driver == "evdev") {
        SDL_Quit();
        throw NoDisplay("SDL found only its '" + driver + "' video driver");
    }
    // Wayland offers SDL no framebuffer of its own: the window's pixels then
    // come through a renderer, which SDL makes only when allowed to.
    if (driver == "wayland") SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "1");
    return driver;
}

// DOTWISE_SCALE first; then a scaled output's own scale, then the desktop's settings, then the
// display's own density. At the usual 96 dpi the font made at the start is the one.
void SdlBackend::ChooseScale(const std::string& driver, std::optional<double> desktopScale, double fontScale) {
    // A scaled Wayland output gives each window point that many pixels, and the window is drawn at them.
    if (driver == "wayland") m_density = ScaledOutputDensity();
    const bool forced = std::getenv("DOTWISE_SCALE") != nullptr;
    const double wanted = forced || (desktopScale && m_density == 1) ? fontScale : m_density > 1 ? m_density : DisplayDensityScale();
    if (wanted != fontScale) m_font = std::make_unique<DialogFont>(wanted);
}

// The driver's commands that only a window can answer.
void SdlBackend::AddWindowCommands() {
    AddScreenshotCommand(m_driver, *m_font);
    // Whether partial frames left anything behind: the window's pixels against a whole drawing.
    m_driver.AddCommand("stale", [this](const Driver::Args& a) {
        if (!a.empty()) throw DriverError("usage: stale");
        if (m_window == nullptr) throw DriverError("no window is shown");
        return std::to_string(StalePixels());
    });
    m_driver.AddCommand("point", [this](const Driver::Args& a) {
        if (a.empty() || a.size() > 2) throw DriverError("usage: point ID [INDEX]");
        HWND hWnd = Driver::Control(a[0]);
        const POINT client = ControlPoint(hWnd, a.size() == 2 ? Driver::ParseInt(a[1]) : -1);
        const Point origin = wm().ClientOrigin(hWnd);
        int wx = 0;
        int wy = 0;
        if (m_window != nullptr) SDL_GetWindowPosition(m_window, &wx, &wy);
        return std::to_string(wx + origin.x + client.x - m_origin.x) + " " + std::to_string(wy + origin.y + client.y - m_origin.y);
    });
}

// Commands come on standard input, read by a thread of their own that wakes the window for each.
void SdlBackend::StartDriver() {
    m_driver.Start();
    m_reader = std::thread([lines = m_driverLines] {
        for (std::string line; std::getline(std::cin, line);) {
            {
                std::lock_guard<std::mutex> lock(lines->mutex);
                lines->lines.push_back(line);
            }
            SDL_Event wake{};
            wake.type = g_wakeEvent;
            SDL_PushEvent(&wake);
        }
    });
}

SdlBackend::~SdlBackend() {
    // The reader may be blocked on standard input; the process ends it.
    if (m_reader.joinable()) m_reader.detach();
    for (SDL_Cursor* cursor : m_cursors)
        if (cursor != nullptr) SDL_FreeCursor(cursor);
    m_canvas.reset();
    m_dense.reset();
    if (m_window != nullptr) {
        SDL_SysWMinfo info;
        SDL_VERSION(&info.version);
        if (SDL_GetWindowWMInfo(m_window, &info) && info.subsystem == SDL_SYSWM_X11) ForgetX11Window(info.info.x11.window);
        SDL_DestroyWindow(m_window);
    }
    // With the window gone, what was copied is handed to a clipboard manager.
    m_clipboard.reset();
    m_font.reset();
    SDL_Quit();
}

void SdlBackend::Shutdown() { m_driver.FlushAnswer(); }

FrameMetrics SdlBackend::Frames() const {
    // Frames grow with the text on a dense screen, a pixel at least.
    const auto scaled = [this](int pixels) { return std::max(1, static_cast<int>(std::lround(pixels * m_font->Scale()))); };
    return {scaled(3), scaled(6), 2, scaled(1)};
}

Rect SdlBackend::WorkArea() const {
    SDL_Rect area{0, 0, 1280, 800};
    SDL_GetDisplayUsableBounds(0, &area);
    return {area.x, area.y, area.x + area.w, area.y + area.h};
}

HWND SdlBackend::MainDialog() const {
    for (HWND top : wm().TopLevelWindows())
        if (top->windowClass == WindowClass::Dialog && top->IsVisible()) return top;
    return nullptr;
}

void SdlBackend::EnsureWindow() {
    if (m_window != nullptr) return;
    HWND main = MainDialog();
    if (main == nullptr) return;
    const Rect r = wm().ScreenRect(main);
    m_origin = {r.left, r.top};
    // The program draws its own frame and caption, as the original's dialog had.
    // While the window is made, the first frame's strings are rendered: a
    // drawing on a canvas of one pixel leaves them all in the font's keeping.
    auto strings = std::async(std::launch::async, [this, r] {
        SurfaceCanvas scratch(1, 1, *m_font);
        Renderer(scratch, *m_font).Paint(m_origin, {0, 0, r.Width(), r.Height()}, true);
    });
    const auto points = [this](int pixels) { return (pixels + m_density - 1) / m_density; };
    m_window = SDL_CreateWindow(main->text.c_str(), r.left, r.top, points(r.Width()), points(r.Height()),
                                SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN | (m_density > 1 ? SDL_WINDOW_ALLOW_HIGHDPI : 0));
    strings.get();
    if (m_window == nullptr) throw std::runtime_error(std::string("cannot open a window: ") + SDL_GetError());
    // The window shows with its first frame drawn. X gives a hidden window its
    // pixels; Wayland only a shown one, which is then drawn at once.
    const bool drawnHidden = AttachCanvas();
    if (drawnHidden) RenderFrame();
    SDL_SetWindowHitTest(m_window, HitTest, m_font.get());
    SetLegacyTitle(main->text);
    if (HICON icon = main->bigIcon; icon != nullptr && !icon->argb.empty()) {
        SDL_Surface* surface =
            SDL_CreateRGBSurfaceWithFormatFrom(icon->argb.data(), icon->width, icon->height, 32, icon->width * 4, SDL_PIXELFORMAT_ARGB8888);
        if (surface != nullptr) {
            SDL_SetWindowIcon(m_window, surface);
            SDL_FreeSurface(surface);
        }
    }
    SDL_ShowWindow(m_window);
    if (!drawnHidden) RenderFrame();
    ShowFrame();
    SDL_StartTextInput();
    StartAccessibility();
}

namespace {
const SdlBackend* g_shownBackend = nullptr;
}  // namespace

// SDL writes the caption's UTF-8 bytes into WM_NAME typed as Latin-1, which
// tools that read only WM_NAME show garbled. Written again, it is Latin-1
// where the caption fits it and compound text (which carries Chinese) where not.
void SdlBackend::SetLegacyTitle(const std::string& title) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(m_window, &info) || info.subsystem != SDL_SYSWM_X11) return;
    char* list[] = {const_cast<char*>(title.c_str())};
    XTextProperty property{};
    if (Xutf8TextListToTextProperty(info.info.x11.display, list, 1, XStdICCTextStyle, &property) < Success) return;
    XSetWMName(info.info.x11.display, info.info.x11.window, &property);
    XSetWMIconName(info.info.x11.display, info.info.x11.window, &property);
    XFree(property.value);
}

void SdlBackend::StartAccessibility() {
    if (!m_wishes.accessibility) return;
    const std::string& why = m_wishes.accessibilityReason;
    std::string error;
    const AccessibilityModule* module = LoadAccessibilityModule(error);
    g_shownBackend = this;
    const auto wake = [] {
        SDL_Event event{};
        event.type = g_wakeEvent;
        SDL_PushEvent(&event);
    };
    if (module == nullptr || !module->start([](const Rect& r) { return g_shownBackend->OnDisplay(r); }, wake, &error)) {
        std::cerr << "dotwise: screen readers cannot see the window (" << why << "): " << error << '\n';
        return;
    }
    m_accessibility = module;
}

Rect SdlBackend::OnDisplay(const Rect& r) const {
    int x = 0;
    int y = 0;
    if (m_window != nullptr) SDL_GetWindowPosition(m_window, &x, &y);
    return {x + (r.left - m_origin.x) / m_density, y + (r.top - m_origin.y) / m_density, x + (r.right - m_origin.x) / m_density,
            y + (r.bottom - m_origin.y) / m_density};
}

void SdlBackend::Invalidate(HWND hWnd) { m_dialogs.Invalidate(hWnd, m_origin); }

void SdlBackend::Draw(SurfaceCanvas& canvas, const Rect* repaint) const {
    // The caret as the blink last decided, so that a frame drawing only a
    // field agrees with the one that drew the caret.
    const bool caretOn = CaretBlinks() && m_dialogs.CaretShown();
    const Rect whole{0, 0, canvas.Width(), canvas.Height()};
    canvas.SetClip(repaint);
    canvas.FillRect(whole, RGB(58, 110, 165));
    Renderer(canvas, *m_font).Paint(m_origin, whole, caretOn, m_dialogs.ClosePressed(), repaint);
    canvas.SetClip(nullptr);
}

bool SdlBackend::AttachCanvas() {
    if (m_density > 1) return AttachDenseOutput();
    // Wayland has a window's pixels ready only once the compositor has taken
    // it in; until then nothing is drawn and the frame stays due.
    SDL_Surface* surface = SDL_GetWindowSurface(m_window);
    if (surface == nullptr) return false;
    if (surface == m_windowSurface) return true;
    // The canvas draws straight into the window's own pixels where their
    // format allows (X and Wayland windows of 24 bits); otherwise into pixels
    // of its own, copied out at each frame. A new surface holds nothing yet.
    m_windowSurface = surface;
    const std::uint32_t format = surface->format->format;
    m_direct = format == SurfaceCanvas::kXrgb || format == SurfaceCanvas::kArgb;
    if (m_direct)
        m_canvas = std::make_unique<SurfaceCanvas>(surface, *m_font);
    else if (m_canvas == nullptr)
        m_canvas = std::make_unique<SurfaceCanvas>(surface->w, surface->h, *m_font);
    m_dialogs.RepaintAll();
    m_pushWhole = true;
    return true;
}

bool SdlBackend::AttachDenseOutput() {
    if (m_dense) return true;
    if (!(SDL_GetWindowFlags(m_window) & SDL_WINDOW_SHOWN)) return false;
    std::optional<DenseOutput> output = DenseOutput::Open(m_window);
    if (!output) {
        // Without a renderer the window's own framebuffer serves, enlarged by the compositor.
        std::cerr << "dotwise: the window is drawn at the output's logical size (" << SDL_GetError() << ")\n";
        m_density = 1;
        return AttachCanvas();
    }
    m_dense = std::make_unique<DenseOutput>(std::move(*output));
    m_direct = false;
    m_canvas = std::make_unique<SurfaceCanvas>(m_dense->Width(), m_dense->Height(), *m_font);
    m_dialogs.RepaintAll();
    m_pushWhole = true;
    return true;
}

void SdlBackend::RenderFrame() {
    if (!AttachCanvas()) return;
    const Rect whole{0, 0, m_canvas->Width(), m_canvas->Height()};
    const Rect* due = m_dialogs.DueArea();
    Draw(*m_canvas, due);
    m_drawn = m_drawn.Union(due != nullptr ? *due : whole).Intersection(whole);
    m_dialogs.Drawn();
}

Rect SdlBackend::WindowArea() const {
    int width = 0;
    int height = 0;
    SDL_GetWindowSizeInPixels(m_window, &width, &height);
    return {0, 0, width, height};
}

int SdlBackend::StalePixels() {
    if (m_dialogs.Due()) Present();
    if (m_canvas == nullptr) return -1;
    SurfaceCanvas full(m_canvas->Width(), m_canvas->Height(), *m_font, m_canvas->Surface()->format->format);
    Draw(full, nullptr);
    SDL_Surface* target = m_dense ? nullptr : SDL_GetWindowSurface(m_window);
    const SDL_Surface* shown = target != nullptr && target->format->format == full.Surface()->format->format ? target : m_canvas->Surface();
    int stale = 0;
    for (int y = 0; y < full.Height() && y < shown->h; ++y) {
        const auto* a = static_cast<const std::uint32_t*>(shown->pixels) + static_cast<std::ptrdiff_t>(y) * (shown->pitch / 4);
        const auto* b = static_cast<const std::uint32_t*>(full.Surface()->pixels) + static_cast<std::ptrdiff_t>(y) * (full.Surface()->pitch / 4);
        for (int x = 0; x < full.Width() && x < shown->w; ++x) stale += ((a[x] ^ b[x]) & 0xFFFFFFu) != 0 ? 1 : 0;
    }
    return stale;
}

void SdlBackend::ShowFrame() {
    // A frame pushes what it drew anew: the fields a typed digit changed, the
    // caret at a blink; all of it once the window was shown or exposed.
    if (m_canvas == nullptr || (!m_dense && m_windowSurface != SDL_GetWindowSurface(m_window))) return;
    const Rect whole{0, 0, m_canvas->Width(), m_canvas->Height()};
    const Rect push = m_pushWhole ? whole : m_drawn;
    if (m_dense) {
        if (!push.IsEmpty()) m_dense->Show(m_canvas->Surface(), {push.left, push.top, push.Width(), push.Height()});
        m_pushWhole = false;
    } else if (!push.IsEmpty()) {
        SDL_Rect rect{push.left, push.top, push.Width(), push.Height()};
        if (!m_direct) {
            SDL_Rect to = rect;
            SDL_BlitSurface(m_canvas->Surface(), &rect, m_windowSurface, &to);
        }
        SDL_UpdateWindowSurfaceRects(m_window, &rect, 1);
        m_pushWhole = false;
    }
    m_drawn = {};
    m_dialogs.Shown();
    // An input method shows its candidates next to the caret.
    const Caret& caret = wm().GetCaret();
    if (IsWindow(caret.owner)) {
        const Point origin = wm().ClientOrigin(caret.owner);
        SDL_Rect at{(origin.x - m_origin.x + caret.pos.x) / m_density, (origin.y - m_origin.y + caret.pos.y) / m_density, 1,
                    std::max(1, caret.height / m_density)};
        SDL_SetTextInputRect(&at);
    }
}

void SdlBackend::Present() {
    if (m_window == nullptr) return;
    RenderFrame();
    ShowFrame();
}

X11Clipboard* SdlBackend::Clipboard() {
    // SDL's own X11 clipboard fetches everything to answer whether there is text, and takes
    // the clipboard for itself when the owner is slow; ours asks no more than it needs.
    if (!m_clipboardOpened) {
        m_clipboardOpened = true;
        const char* driver = SDL_GetCurrentVideoDriver();
        if (driver != nullptr && std::strcmp(driver, "x11") == 0) m_clipboard = X11Clipboard::Open();
    }
    return m_clipboard.get();
}

void SdlBackend::KeepDrawing() {
    SDL_PumpEvents();
    SDL_Event event;
    while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_WINDOWEVENT, SDL_WINDOWEVENT) > 0) HandleEvent(event);
    if (m_dialogs.Due()) Present();
}

void SdlBackend::ExportClipboard(const std::string& text) {
    if (X11Clipboard* clipboard = Clipboard())
        clipboard->SetText(text);
    else
        SDL_SetClipboardText(text.c_str());
}

std::optional<std::string> SdlBackend::ImportClipboard() {
    if (X11Clipboard* clipboard = Clipboard()) return clipboard->Text([this] { KeepDrawing(); });
    if (!SDL_HasClipboardText()) return std::nullopt;
    char* text = SDL_GetClipboardText();
    if (text == nullptr) return std::nullopt;
    std::string result = text;
    SDL_free(text);
    return result;
}

bool SdlBackend::SystemClipboardHasText() {
    if (X11Clipboard* clipboard = Clipboard()) return clipboard->HasText([this] { KeepDrawing(); });
    return SDL_HasClipboardText() == SDL_TRUE;
}

bool SdlBackend::PumpInput() {
    if (m_terminating) return false;
    EnsureWindow();
    if (m_accessibility != nullptr) m_accessibility->pump();
    if (m_withDriver) {
        if (m_driver.RunNextEvent()) return true;
        m_driver.FlushAnswer();
        std::string line;
        bool haveLine = false;
        {
            std::lock_guard<std::mutex> lock(m_driverLines->mutex);
            if (!m_driverLines->lines.empty()) {
                line = m_driverLines->lines.front();
                m_driverLines->lines.pop_front();
                haveLine = true;
            }
        }
        if (haveLine) {
            // What a command changes, the windows it changes ask to have redrawn.
            m_driver.Execute(line);
            return true;
        }
    }
    // Nothing changes on its own but the caret's blink and a tooltip waiting to
    // show: sleep until the nearer of the two, or until input comes.
    int wait = UpdateToolTips(GetTickCount());
    if (const int toggle = m_dialogs.BlinkCaret(CaretBlinks(), m_origin); toggle >= 0) wait = wait < 0 ? toggle : std::min(wait, toggle);
    if (const int bus = m_accessibility != nullptr ? m_accessibility->wait() : -1; bus >= 0) wait = wait < 0 ? bus : std::min(wait, bus);
    // Input that is already waiting is handled before a frame is shown.
    if (m_dialogs.Due() && SDL_PollEvent(nullptr) == 0) Present();
    SDL_Event event;
    if (wait < 0 ? SDL_WaitEvent(&event) : SDL_WaitEventTimeout(&event, wait)) HandleEvent(event);
    return !m_terminating;
}

bool SdlBackend::CaretBlinks() const {
    const Caret& caret = wm().GetCaret();
    return m_windowFocused && IsWindow(caret.owner) && caret.hideCount <= 0;
}

bool SdlBackend::HandleEvent(const SDL_Event& event) {
    switch (event.type) {
    case SDL_QUIT:
        // A signal or the end of the session: input ends here, so menus close and
        // every dialog is closed from the top down as its close box would close it.
        m_terminating = true;
        return true;
    case SDL_WINDOWEVENT:
        // Shown, exposed or moved: the window's surface may hold nothing of ours.
        m_pushWhole = true;
        // A pointer outside the window is over none of the tools.
        if (event.window.event == SDL_WINDOWEVENT_LEAVE) wm().SetCursorPos({INT_MIN / 2, INT_MIN / 2});
        if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
            for (UINT vk : {VK_SHIFT, VK_CONTROL, VK_MENU}) wm().SetKeyDown(vk, false);
            // Alt held as the window lost the keyboard (Alt+Tab) was not pressed alone.
            wm().SetAltAlone(false);
            m_windowFocused = false;
            wm().SetForeground(false);
        }
        // The caret blinks only while the window has the keyboard.
        if (event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) {
            m_windowFocused = true;
            wm().SetForeground(true);
            m_dialogs.KeepCaretShown();
        }
        // The window manager's close is the whole window's: the same as a termination request.
        if (event.window.event == SDL_WINDOWEVENT_CLOSE) m_terminating = true;
        m_dialogs.RepaintAll();
        return true;
    case SDL_KEYDOWN: OnKey(event, true); return true;
    case SDL_KEYUP: OnKey(event, false); return true;
    case SDL_TEXTINPUT: OnText(event.text.text); return true;
    case SDL_MOUSEBUTTONDOWN: OnMouseButton(event, true); return true;
    case SDL_MOUSEBUTTONUP: OnMouseButton(event, false); return true;
    case SDL_MOUSEMOTION: OnMouseMotion(event); return true;
    case SDL_MOUSEWHEEL: OnMouseWheel(event); return true;
    default: return true;
    }
}

// The screen readers hear each key before the program does, and keep their own commands from it.
bool SdlBackend::ScreenReaderTakes(const SDL_Event& event, bool down) {
    if (m_accessibility == nullptr) return false;
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    void* display = m_window != nullptr && SDL_GetWindowWMInfo(m_window, &info) && info.subsystem == SDL_SYSWM_X11 ? info.info.x11.display : nullptr;
    const ScreenReaderKey key = ScreenReaderKeyOf(event.key.keysym, display);
    if (key.keysym == 0) return false;
    if (!m_accessibility->key(down, key.keysym, key.modifiers, key.text.c_str(), key.hardwareCode, event.key.timestamp)) return false;
    // Nor does the text the key would type reach the program.
    if (down) m_suppressText = true;
    return true;
}

void SdlBackend::OnKey(const SDL_Event& event, bool down) {
    if (ScreenReaderTakes(event, down)) return;
    const Uint16 mod = event.key.keysym.mod;
    const bool shift = (mod & KMOD_SHIFT) != 0;
    const bool ctrl = (mod & KMOD_CTRL) != 0;
    const bool alt = (mod & KMOD_ALT) != 0;
    wm().SetKeyDown(VK_SHIFT, shift);
    wm().SetKeyDown(VK_CONTROL, ctrl);
    wm().SetKeyDown(VK_MENU, alt);
    const UINT vk = VirtualKey(event.key.keysym.sym);
    // Typing keeps the caret shown; what the key changes, the windows it
    // changes ask to have redrawn.
    m_dialogs.KeepCaretShown();
    if (vk == 0) return;
    if (!down) {
        Input::KeyUp(vk);
        return;
    }
    // Printable characters come as text input, which a held Ctrl or Alt turns
    // into a shortcut instead; control characters come from the key itself.
    m_suppressText = ctrl || alt;
    const bool controlChar = ctrl || vk == VK_BACK || vk == VK_TAB || vk == VK_RETURN || vk == VK_ESCAPE;
    Input::KeyDown(vk, controlChar ? Input::CharForKey(vk, shift, ctrl, alt) : 0);
}

void SdlBackend::OnText(const char* utf8) {
    if (m_suppressText) {
        m_suppressText = false;
        return;
    }
    for (const char32_t cp : DecodeUtf8(utf8)) Input::Char(cp);
}

void SdlBackend::OnMouseButton(const SDL_Event& event, bool down) {
    const Point screen = ToScreen(event.button.x, event.button.y);
    const bool right = event.button.button == SDL_BUTTON_RIGHT;
    if (event.button.button != SDL_BUTTON_LEFT && !right) return;
    m_dialogs.RepaintAll();
    m_dialogs.KeepCaretShown();
    if (m_dialogs.OnButton(*this, screen, down, right)) return;
    // While a button is down the window keeps the mouse, so a drag may leave it and come back.
    if (!right) SDL_CaptureMouse(down ? SDL_TRUE : SDL_FALSE);
    if (down)
        Input::MouseDown(screen, right, !right && event.button.clicks == 2);
    else
        Input::MouseUp(screen, right);
    UpdatePointer();
}

void SdlBackend::OnMouseMotion(const SDL_Event& event) {
    const Point screen = ToScreen(event.motion.x, event.motion.y);
    if (m_dialogs.OnMove(*this, screen)) return;
    Input::MouseMove(screen);
    UpdatePointer();
}

void SdlBackend::OnMouseWheel(const SDL_Event& event) {
    // Notches and their parts; some systems turn the wheel's sense round and say so.
    const float notches = event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -event.wheel.preciseY : event.wheel.preciseY;
    Input::MouseWheel(wm().CursorPos(), static_cast<int>(std::lround(notches * WHEEL_DELTA)));
}

MenuBox SdlBackend::MenuBoxOf(const TrackedMenu& menu) const {
    Rect area = WindowArea();
    area.OffsetRect(m_origin.x, m_origin.y);
    return LayOutMenu(menu, *m_font, area);
}

void SdlBackend::UpdatePointer() {
    const HCURSOR cursor = GetCursor();
    const int shape = cursor != nullptr ? cursor->systemCursor : kCursorArrow;
    const int slot = shape == kCursorHand ? 2 : shape == kCursorIBeam ? 1 : 0;
    // Loaded when first needed: reading the pointer theme is slow, and start-up should not wait for it.
    if (m_cursors[slot] == nullptr) {
        constexpr SDL_SystemCursor kinds[3] = {SDL_SYSTEM_CURSOR_ARROW, SDL_SYSTEM_CURSOR_IBEAM, SDL_SYSTEM_CURSOR_HAND};
        m_cursors[slot] = SDL_CreateSystemCursor(kinds[slot]);
    }
    // Some video drivers have no system pointers; then the pointer stays as it is.
    if (m_cursors[slot] != nullptr) SDL_SetCursor(m_cursors[slot]);
}
