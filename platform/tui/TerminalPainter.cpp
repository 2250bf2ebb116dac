#include "TerminalPainter.h"

#ifndef _XOPEN_SOURCE_EXTENDED
#define _XOPEN_SOURCE_EXTENDED 1
#endif
#include <ncursesw/curses.h>

#include <algorithm>
#include <vector>

#include "../window_system/Accessibility.h"
#include "../window_system/ButtonControl.h"
#include "../window_system/ControlColors.h"
#include "../window_system/DeviceContext.h"
#include "../window_system/EditControl.h"
#include "../window_system/Icon.h"
#include "../window_system/MenuLayout.h"
#include "../window_system/TextLayout.h"
#include "../window_system/ToolTip.h"
#include "../window_system/WindowApi.h"
#include "../window_system/WindowManager.h"

namespace {

WindowManager& wm() { return WindowManager::Instance(); }
constexpr COLORREF kFace = RGB(192, 192, 192);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kDesktop = RGB(0, 128, 128);

// Collects what a control's paint handler draws, to be shown as cells.
class PixelCanvas : public Canvas {
public:
    PixelCanvas(int w, int h) : width(w), height(h), pixels(static_cast<std::size_t>(w * h), 0) {}
    void FillRect(const Rect&, COLORREF) override {}
    void DrawText(int, int, std::string_view, COLORREF) override {}
    void SetClip(const Rect*) override {}
    void DrawPixels(int x, int y, int w, int h, const std::uint32_t* argb) override {
        for (int row = 0; row < h; ++row)
            for (int col = 0; col < w; ++col) {
                const int tx = x + col;
                const int ty = y + row;
                const std::uint32_t p = argb[row * w + col];
                if (tx >= 0 && ty >= 0 && tx < width && ty < height && (p >> 24) != 0) pixels[static_cast<std::size_t>(ty * width + tx)] = p;
            }
    }
    int width;
    int height;
    std::vector<std::uint32_t> pixels;
};

COLORREF FromArgb(std::uint32_t p) { return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF); }

}  // namespace

COLORREF TerminalPainter::FieldBackground(COLORREF background) const {
    // Eight colours show white and light grey alike; a field needs to stand out from the face,
    // and not in white on blue, which is how selected text looks.
    if (!m_screen.Has256Colors() && background == GetSysColor(COLOR_WINDOW)) return RGB(0, 255, 255);
    // Read-only and disabled fields sit a shade darker than the face, so their place shows.
    if (background == GetSysColor(COLOR_3DFACE)) return m_screen.Has256Colors() ? RGB(168, 168, 168) : kFace;
    return background;
}

int TerminalPainter::EnabledLook() const {
    // A terminal with neither colours nor dim text shows what is enabled in bold instead,
    // so that disabled text still looks different.
    return m_screen.HasColors() || m_screen.HasDim() ? 0 : A_BOLD;
}

void TerminalPainter::FaceText(int column, int row, std::string_view text, bool enabled, COLORREF color, int clipRight) {
    if (enabled)
        m_screen.Text(column, row, text, color, kFace, EnabledLook(), clipRight);
    else if (m_screen.Has256Colors())
        m_screen.Text(column, row, text, RGB(128, 128, 128), kFace, 0, clipRight);
    else
        m_screen.Text(column, row, text, kBlack, kFace, A_DIM, clipRight);
}

void TerminalPainter::Paint() {
    m_screen.Clear(kDesktop);
    HWND active = wm().ActiveDialog();
    for (HWND top : wm().TopLevelWindows())
        if (top->windowClass == WindowClass::Dialog && top->IsVisible()) PaintDialog(top, top == active);
    PaintToolTips();
    PaintMenu();
    PlaceCursor();
    m_screen.Present();
}

void TerminalPainter::PaintDialog(HWND dialog, bool active) {
    const Rect r = wm().ScreenRect(dialog);
    const int left = CellColumn(r.left);
    const int top = CellRow(r.top);
    const int width = CellColumn(r.right) - left;
    const int height = CellRow(r.bottom) - top;
    // Dialogs over the main one get a frame around them, a cell outside their own area.
    if (dialog->parent != nullptr) m_screen.Box(left - 1, top - 1, width + 2, height + 2, kBlack, kFace);
    m_screen.Fill(left, top, width, height, kFace);
    // The caption line: the system menu's mark, the caption, the close box.
    const COLORREF captionBg = active ? RGB(0, 0, 128) : RGB(128, 128, 128);
    m_screen.Fill(left, top, width, 1, captionBg);
    m_screen.Text(left, top, "[≡]", kWhite, captionBg);
    m_screen.Text(left + 4, top, dialog->text, kWhite, captionBg, A_BOLD, left + width - 4);
    m_screen.Text(left + width - 3, top, "[×]", kWhite, captionBg);
    for (auto it = dialog->children.rbegin(); it != dialog->children.rend(); ++it) {
        HWND control = *it;
        if (!control->IsVisible()) continue;
        const Rect cr = wm().ScreenRect(control);
        switch (control->windowClass) {
        case WindowClass::Edit: PaintEdit(control, cr, active); break;
        case WindowClass::Button:
            switch (control->style & BS_TYPEMASK) {
            case BS_GROUPBOX: PaintGroupBox(control, cr); break;
            case BS_AUTORADIOBUTTON: PaintRadio(control, cr, active); break;
            default: PaintButton(control, cr, active); break;
            }
            break;
        default:
            if ((control->style & SS_TYPEMASK) == SS_ICON)
                PaintIcon(control, cr);
            else
                PaintStatic(control, cr);
            break;
        }
    }
}

void TerminalPainter::PaintStatic(HWND control, const Rect& r) {
    const ControlColors colors = QueryControlColors(control);
    const int clipRight = CellColumn(r.right) + 1;
    for (const TextRun& run : LayOutStaticText(control, m_metrics)) {
        if (run.y >= r.Height()) break;
        FaceText(CellColumn(r.left + run.x), LineRow(r.top + run.y), run.text, control->IsEnabled(), colors.text, clipRight);
    }
}

void TerminalPainter::PaintIcon(HWND control, const Rect& r) {
    PixelCanvas canvas(r.Width(), r.Height());
    SetPaintCanvas(&canvas, {0, 0});
    SendMessage(control, WM_PAINT, 0, 0);
    SetPaintCanvas(nullptr, {});
    const int columns = std::max(1, (r.Width() + kCellWidth - 1) / kCellWidth);
    const int rows = std::max(1, (r.Height() + kCellHeight - 1) / kCellHeight);
    const int left = CellColumn(r.left);
    const int top = CellRow(r.top);
    const auto sample = [&](int column, int half, int row) -> std::uint32_t {
        const int x = (2 * column + 1) * canvas.width / (2 * columns);
        const int y = (2 * (2 * row + half) + 1) * canvas.height / (4 * rows);
        return canvas.pixels[static_cast<std::size_t>(std::min(y, canvas.height - 1) * canvas.width + std::min(x, canvas.width - 1))];
    };
    if (!m_screen.Has256Colors()) {
        // Without enough colours the picture becomes one mark in its most common colour.
        std::uint32_t mark = 0;
        for (std::uint32_t p : canvas.pixels)
            if ((p >> 24) != 0) mark = p;
        if (mark != 0) m_screen.Text(left + columns / 2, top + rows / 2, "◆", FromArgb(mark), kFace);
        return;
    }
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < columns; ++column) {
            const std::uint32_t upper = sample(column, 0, row);
            const std::uint32_t lower = sample(column, 1, row);
            m_screen.HalfBlock(left + column, top + row, (upper >> 24) ? FromArgb(upper) : kFace, (lower >> 24) ? FromArgb(lower) : kFace);
        }
}

// The focus said in text as well as by the cursor and the looks, for a terminal that shows
// neither well and for a reader of the screen's text: a mark in the cell before the control,
// where nothing of its row's label is.
void TerminalPainter::MarkFocus(HWND control, int column, int row, bool active) {
    if (!active || GetFocus() != control || column < 1) return;
    if (HWND label = LabelFor(control); label != nullptr && CellColumn(wm().ScreenRect(label).right) > column - 1) return;
    m_screen.Text(column - 1, row, "\u203a", kBlack, kFace, EnabledLook() | A_BOLD);
}

void TerminalPainter::PaintEdit(HWND control, const Rect& r, bool active) {
    EditControl* edit = EditControlOf(control);
    const ControlColors colors = QueryControlColors(control);
    const COLORREF bg = FieldBackground(colors.background);
    const COLORREF fg = control->IsEnabled() ? colors.text : RGB(128, 128, 128);
    const int left = CellColumn(r.left);
    const int right = CellColumn(r.right);
    const int row = LineRow(r.top);
    // Where colours cannot show a field's place, a line under it does.
    const int fieldLook = (bg == kFace || !m_screen.HasColors() ? A_UNDERLINE : 0) | (control->IsEnabled() ? EnabledLook() : A_DIM);
    // A field that cannot be used is dotted where it holds nothing, in text as well as in grey.
    std::string blank;
    for (int i = left; i < right; ++i) blank += control->IsEnabled() ? " " : "\u00b7";
    m_screen.Text(left, row, blank, fg, bg, fieldLook);
    MarkFocus(control, left, row, active);
    if (edit == nullptr) return;
    const EditModel& model = edit->Model();
    const Point origin = wm().ClientOrigin(control);
    const bool showSelection = edit->Focused() && model.HasSelection();
    for (int i = 0; i < model.Length(); i = model.NextBoundary(i)) {
        const int column = CellColumn(origin.x + edit->XOfIndex(control, i));
        const std::string ch = model.Text().substr(static_cast<std::size_t>(i), static_cast<std::size_t>(model.NextBoundary(i) - i));
        if (column < left || column + TerminalWidth(ch) > right) continue;
        const bool selected = showSelection && i >= model.SelStart() && i < model.SelEnd();
        // A field without the focus hides its selection, as the standard edit does.
        m_screen.Text(column, row, ch, fg, bg, selected ? A_REVERSE : fieldLook);
    }
}

namespace {

// A push button as the terminal shows it: its label in brackets, marked when it is the default.
std::string ButtonText(HWND control) {
    const std::string label = MenuItemLabel(control->text);
    return (control->style & BS_TYPEMASK) == BS_DEFPUSHBUTTON ? "[>" + label + "<]" : "[ " + label + " ]";
}

int ButtonColumn(const Rect& r, const std::string& text) { return CellColumn(r.left + r.Width() / 2) - TerminalWidth(text) / 2; }

}  // namespace

void TerminalPainter::PaintButton(HWND control, const Rect& r, bool active) {
    const ButtonControl* button = ButtonControlOf(control);
    // Only the dialog that takes the keys shows where its focus is.
    const bool focused = active && button != nullptr && button->Focused();
    const bool isDefault = (control->style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    const std::string text = ButtonText(control);
    const int column = ButtonColumn(r, text);
    const int row = LineRow(r.top);
    const COLORREF bg = m_screen.Has256Colors() ? RGB(224, 224, 224) : kWhite;
    // Grey alone does not show on a monochrome terminal.
    const int look = control->IsEnabled() ? EnabledLook() : A_DIM;
    m_screen.Text(column, row, text, control->IsEnabled() ? kBlack : RGB(128, 128, 128), bg,
                  look | (focused ? A_REVERSE : 0) | (isDefault ? A_BOLD : 0));
}

void TerminalPainter::PaintGroupBox(HWND control, const Rect& r) {
    const int left = CellColumn(r.left);
    const int top = CellRow(r.top + kCellHeight / 2);
    const int width = CellColumn(r.right) - left;
    const int height = CellRow(r.bottom) - top;
    m_screen.Box(left, top, width, height, control->IsEnabled() ? kBlack : RGB(128, 128, 128), kFace);
    if (!control->text.empty()) FaceText(left + 2, top, " " + control->text + " ", control->IsEnabled(), kBlack, left + width - 1);
}

void TerminalPainter::PaintRadio(HWND control, const Rect& r, bool active) {
    const ButtonControl* button = ButtonControlOf(control);
    // One that cannot be chosen has a dash in its circle, in text as well as in grey.
    const char* circle = button != nullptr && button->Checked() ? "(•) " : control->IsEnabled() ? "( ) " : "(-) ";
    FaceText(CellColumn(r.left), LineRow(r.top), circle + MenuItemLabel(control->text), control->IsEnabled(), kBlack);
    MarkFocus(control, CellColumn(r.left), LineRow(r.top), active);
}

void TerminalPainter::PaintMenu() {
    TrackedMenu* menu = GetTrackedMenu();
    if (menu == nullptr) return;
    const Rect area{0, 0, m_screen.Columns() * kCellWidth, m_screen.Rows() * kCellHeight};
    const MenuBox box = LayOutMenu(*menu, m_metrics, area, 0, kCellHeight);
    const int left = CellColumn(box.rect.left);
    const int top = CellRow(box.rect.top);
    const int width = CellColumn(box.rect.right) - left;
    const int height = CellRow(box.rect.bottom) - top;
    m_screen.Fill(left, top, width, height, kFace);
    m_screen.Box(left, top, width, height, kBlack, kFace);
    for (const MenuItemBox& item : box.items) {
        const MenuItem& entry = menu->menu->items[static_cast<std::size_t>(item.index)];
        const int row = CellRow(item.rect.top);
        if (entry.IsSeparator()) {
            std::string line = "├";
            for (int i = 0; i < width - 2; ++i) line += "─";
            m_screen.Text(left, row, line + "┤", kBlack, kFace);
            continue;
        }
        const bool highlighted = item.index == menu->highlight;
        const std::string label = MenuItemLabel(entry.text);
        const std::size_t tab = label.find('\t');
        const int attributes = (highlighted ? A_REVERSE : 0) | (entry.IsEnabled() ? 0 : A_DIM);
        m_screen.Text(left + 1, row, std::string(static_cast<std::size_t>(width - 2), ' '), kBlack, kFace, attributes);
        m_screen.Text(left + 2, row, label.substr(0, tab), entry.IsEnabled() ? kBlack : RGB(128, 128, 128), kFace, attributes);
        if (tab != std::string::npos) {
            const std::string shortcut = label.substr(tab + 1);
            m_screen.Text(left + width - 2 - TerminalWidth(shortcut), row, shortcut, kBlack, kFace, attributes);
        }
    }
}

void TerminalPainter::PaintToolTips() {
    for (HWND tip : ToolTipWindows()) {
        const ToolTipControl* control = ToolTipControlOf(tip);
        if (control == nullptr || !control->visible || control->hovered == nullptr) continue;
        const std::string& text = control->hovered->text;
        const int width = TerminalWidth(text) + 2;
        const int column = std::clamp(CellColumn(control->anchor.x), 0, std::max(0, m_screen.Columns() - width));
        const int row = std::min(CellRow(control->anchor.y) + 1, m_screen.Rows() - 3);
        m_screen.Fill(column, row, width, 3, RGB(255, 255, 225));
        m_screen.Box(column, row, width, 3, kBlack, RGB(255, 255, 225));
        m_screen.Text(column + 1, row + 1, text, kBlack, RGB(255, 255, 225));
    }
}

void TerminalPainter::PlaceCursor() {
    // Terminal screen readers follow the hardware cursor: it stands on
    // whatever has the focus, the highlighted item of an open menu first.
    if (TrackedMenu* menu = GetTrackedMenu()) {
        const MenuBox box = LayOutMenu(*menu, m_metrics, {0, 0, m_screen.Columns() * kCellWidth, m_screen.Rows() * kCellHeight}, 0, kCellHeight);
        const MenuItemBox* on = nullptr;
        for (const MenuItemBox& item : box.items)
            if (item.index == menu->highlight || (on == nullptr && !menu->menu->items[static_cast<std::size_t>(item.index)].IsSeparator()))
                on = &item;
        if (on != nullptr)
            m_screen.Cursor(CellColumn(box.rect.left) + 2, CellRow(on->rect.top), true);
        else
            m_screen.Cursor(-1, -1, false);
        return;
    }
    const Caret& caret = wm().GetCaret();
    if (IsWindow(caret.owner) && caret.hideCount <= 0) {
        const Point origin = wm().ClientOrigin(caret.owner);
        const Rect r = wm().ScreenRect(caret.owner);
        m_screen.Cursor(CellColumn(origin.x + caret.pos.x), LineRow(r.top), true);
        return;
    }
    HWND focus = GetFocus();
    if (!IsWindow(focus) || !focus->IsVisible()) {
        m_screen.Cursor(-1, -1, false);
        return;
    }
    // A button's label, after its bracket; a radio button's mark; any other control's first cell.
    const Rect r = wm().ScreenRect(focus);
    int column = CellColumn(r.left);
    if (focus->windowClass == WindowClass::Button && (focus->style & BS_TYPEMASK) == BS_AUTORADIOBUTTON)
        column += 1;
    else if (focus->windowClass == WindowClass::Button && (focus->style & BS_TYPEMASK) != BS_GROUPBOX)
        column = ButtonColumn(r, ButtonText(focus)) + 2;
    m_screen.Cursor(column, LineRow(r.top), true);
}
