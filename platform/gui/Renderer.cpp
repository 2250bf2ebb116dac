#include "Renderer.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "../window_system/ButtonControl.h"
#include "../window_system/ControlColors.h"
#include "../window_system/EditControl.h"
#include "../window_system/Icon.h"
#include "../window_system/Resources.h"
#include "../window_system/TextLayout.h"
#include "../window_system/ToolTip.h"
#include "../window_system/WindowApi.h"
#include "../window_system/WindowManager.h"

namespace {

WindowManager& wm() { return WindowManager::Instance(); }
COLORREF Sys(int index) { return GetSysColor(index); }

std::string WithoutMnemonic(const std::string& text) { return MenuItemLabel(text); }

std::size_t NextCharEnd(const std::string& s, std::size_t i) {
    ++i;
    while (i < s.size() && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) ++i;
    return i;
}

}  // namespace

CaptionParts CaptionLayout(HWND dialog, const TextMetrics& metrics) {
    // The original's pixels, as many of the display's as the scale makes them.
    const auto px = [&metrics](int pixels) { return std::max(1, static_cast<int>(std::lround(pixels * metrics.Scale()))); };
    const int width = dialog->rect.Width();
    const int height = metrics.Height() + px(5);
    const int border = px(3);
    CaptionParts parts;
    parts.caption = {border, border, width - border, border + height};
    // The small icon by whole steps, as many as fit the caption.
    const int iconSize = std::min(16 * IconStep(metrics.Scale()), height - 2);
    const int iconTop = border + (height - iconSize) / 2;
    parts.icon = {border + px(2), iconTop, border + px(2) + iconSize, iconTop + iconSize};
    const int boxHeight = height - px(4);
    const int boxWidth = boxHeight + px(2);
    parts.closeBox = {width - px(5) - boxWidth, px(5), width - px(5), px(5) + boxHeight};
    return parts;
}

Rect Renderer::ToCanvas(Rect screen) const {
    screen.OffsetRect(-m_origin.x, -m_origin.y);
    return screen;
}

void Renderer::Edge(const Rect& r, int tlOuter, int brOuter, int tlInner, int brInner) {
    const auto box = [&](Rect b, COLORREF tl, COLORREF br) {
        m_canvas.FillRect({b.left, b.top, b.right - 1, b.top + 1}, tl);
        m_canvas.FillRect({b.left, b.top, b.left + 1, b.bottom - 1}, tl);
        m_canvas.FillRect({b.left, b.bottom - 1, b.right, b.bottom}, br);
        m_canvas.FillRect({b.right - 1, b.top, b.right, b.bottom}, br);
    };
    box(r, Sys(tlOuter), Sys(brOuter));
    box({r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}, Sys(tlInner), Sys(brInner));
}

void Renderer::Frame(const Rect& r, COLORREF color) {
    m_canvas.FillRect({r.left, r.top, r.right, r.top + 1}, color);
    m_canvas.FillRect({r.left, r.bottom - 1, r.right, r.bottom}, color);
    m_canvas.FillRect({r.left, r.top, r.left + 1, r.bottom}, color);
    m_canvas.FillRect({r.right - 1, r.top, r.right, r.bottom}, color);
}

void Renderer::Text(int x, int y, std::string_view text, COLORREF color) { m_canvas.DrawText(x, y, text, color); }

void Renderer::DisabledText(int x, int y, std::string_view text) {
    // Disabled text is embossed: a white copy one pixel down and right, grey on top.
    // Under high contrast the emboss would blur it: the grey text alone, as the platform does.
    if (!HighContrast()) m_canvas.DrawText(x + 1, y + 1, text, Sys(COLOR_3DHILIGHT));
    m_canvas.DrawText(x, y, text, Sys(COLOR_GRAYTEXT));
}

void Renderer::MnemonicText(int x, int y, const std::string& text, COLORREF color) {
    const std::string label = WithoutMnemonic(text);
    Text(x, y, label, color);
    const std::size_t amp = text.find('&');
    if (amp == std::string::npos || amp + 1 >= text.size()) return;
    const std::string before = WithoutMnemonic(text.substr(0, amp));
    const std::size_t end = NextCharEnd(text, amp + 1);
    const int left = x + m_metrics.TextWidth(before);
    const int width = m_metrics.TextWidth(text.substr(amp + 1, end - amp - 1));
    m_canvas.FillRect({left, y + m_metrics.Height(), left + width, y + m_metrics.Height() + 1}, color);
}

void Renderer::Icon(int x, int y, HICON icon, int step) {
    if (icon == nullptr || icon->argb.empty()) return;
    if (step == 1) {
        m_canvas.DrawPixels(x, y, icon->width, icon->height, icon->argb.data());
        return;
    }
    const std::vector<std::uint32_t> pixels = ScaledPixels(*icon, icon->width * step, icon->height * step);
    m_canvas.DrawPixels(x, y, icon->width * step, icon->height * step, pixels.data());
}

void Renderer::Paint(Point origin, const Rect& area, bool caretOn, HWND closeBoxPressed, const Rect* repaint) {
    m_origin = origin;
    m_area = area;
    m_repaint = repaint;
    m_caretOn = caretOn;
    Clip(nullptr);
    HWND active = wm().ActiveDialog();
    for (HWND top : wm().TopLevelWindows()) {
        if (top->windowClass == WindowClass::Dialog && top->IsVisible()) PaintDialog(top, top == active, closeBoxPressed);
    }
    for (HWND tip : ToolTipWindows()) PaintToolTip(tip);
    if (TrackedMenu* menu = GetTrackedMenu()) PaintMenu(*menu);
    Clip(nullptr);
}

void Renderer::PaintDialog(HWND dialog, bool active, HWND closeBoxPressed) {
    const Rect r = ToCanvas(wm().ScreenRect(dialog));
    Clip(&r);
    m_canvas.FillRect(r, Sys(COLOR_3DFACE));
    Edge(r, COLOR_3DLIGHT, COLOR_3DDKSHADOW, COLOR_3DHILIGHT, COLOR_3DSHADOW);
    if ((dialog->style & WS_CAPTION) == WS_CAPTION) {
        CaptionParts parts = CaptionLayout(dialog, m_metrics);
        for (Rect* part : {&parts.caption, &parts.icon, &parts.closeBox}) part->OffsetRect(r.left, r.top);
        // The caption fades from the caption colour to a lighter one, as the classic desktop drew it.
        const COLORREF from = Sys(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
        const COLORREF to = Sys(active ? COLOR_GRADIENTACTIVECAPTION : COLOR_GRADIENTINACTIVECAPTION);
        const int w = std::max(1, parts.caption.Width());
        for (int x = 0; x < w; ++x) {
            const auto mix = [&](BYTE a, BYTE b) { return static_cast<unsigned>(a + (b - a) * x / w); };
            m_canvas.FillRect({parts.caption.left + x, parts.caption.top, parts.caption.left + x + 1, parts.caption.bottom},
                              RGB(mix(GetRValue(from), GetRValue(to)), mix(GetGValue(from), GetGValue(to)), mix(GetBValue(from), GetBValue(to))));
        }
        int textLeft = parts.caption.left + 4;
        if (HICON icon = dialog->smallIcon ? dialog->smallIcon : dialog->bigIcon) {
            Icon(parts.icon.left, parts.icon.top, SmallIconFor(icon), std::max(1, parts.icon.Width() / 16));
            textLeft = parts.icon.right + 4;
        }
        const int textTop = parts.caption.top + (parts.caption.Height() - m_metrics.Height()) / 2;
        const Rect textClip{parts.caption.left, parts.caption.top, parts.closeBox.left - 2, parts.caption.bottom};
        Clip(&textClip);
        Text(textLeft, textTop, dialog->text, active ? Sys(COLOR_CAPTIONTEXT) : Sys(COLOR_3DFACE));
        Clip(&r);
        const Rect& box = parts.closeBox;
        m_canvas.FillRect(box, Sys(COLOR_3DFACE));
        const bool pressed = closeBoxPressed == dialog;
        if (pressed)
            Edge(box, COLOR_3DDKSHADOW, COLOR_3DHILIGHT, COLOR_3DSHADOW, COLOR_3DLIGHT);
        else
            Edge(box, COLOR_3DHILIGHT, COLOR_3DDKSHADOW, COLOR_3DLIGHT, COLOR_3DSHADOW);
        const int size = std::max(4, box.Height() - 7);
        const int cx = box.left + (box.Width() - size) / 2 + (pressed ? 1 : 0);
        const int cy = box.top + (box.Height() - size) / 2 + (pressed ? 1 : 0);
        for (int i = 0; i < size; ++i) {
            m_canvas.FillRect({cx + i, cy + i, cx + i + 2, cy + i + 1}, Sys(COLOR_BTNTEXT));
            m_canvas.FillRect({cx + size - 1 - i, cy + i, cx + size + 1 - i, cy + i + 1}, Sys(COLOR_BTNTEXT));
        }
    }
    if (dialog->minimized) return;
    // Controls stand in template order; the earlier ones are on top, so paint from the last.
    for (auto it = dialog->children.rbegin(); it != dialog->children.rend(); ++it) {
        if (!(*it)->IsVisible()) continue;
        const Rect cr = ToCanvas(wm().ScreenRect(*it));
        const Rect client = ToCanvas(wm().ScreenRect(dialog));
        const Rect clip = cr.Intersection(client);
        if (m_repaint != nullptr && clip.Intersection(*m_repaint).IsEmpty()) continue;
        Clip(&clip);
        PaintControl(*it);
    }
    Clip(nullptr);
}

void Renderer::Clip(const Rect* rect) {
    if (m_repaint == nullptr) {
        m_canvas.SetClip(rect);
        return;
    }
    const Rect both = rect != nullptr ? rect->Intersection(*m_repaint) : *m_repaint;
    m_canvas.SetClip(&both);
}

void Renderer::PaintControl(HWND control) {
    const Rect r = ToCanvas(wm().ScreenRect(control));
    switch (control->windowClass) {
    case WindowClass::Edit: PaintEdit(control, r); break;
    case WindowClass::Button:
        switch (control->style & BS_TYPEMASK) {
        case BS_GROUPBOX: PaintGroupBox(control, r); break;
        case BS_AUTORADIOBUTTON: PaintRadio(control, r); break;
        default: PaintButton(control, r); break;
        }
        break;
    default: PaintStatic(control, r); break;
    }
}

void Renderer::PaintStatic(HWND control, const Rect& r) {
    if ((control->style & SS_TYPEMASK) == SS_ICON) {
        // The control paints itself: its own handler or the standard icon drawing.
        SetPaintCanvas(&m_canvas, {r.left + control->clientInset.left, r.top + control->clientInset.top});
        SendMessage(control, WM_PAINT, 0, 0);
        SetPaintCanvas(nullptr, {});
        return;
    }
    const ControlColors colors = QueryControlColors(control);
    for (const TextRun& run : LayOutStaticText(control, m_metrics)) {
        if (control->IsEnabled())
            Text(r.left + run.x, r.top + run.y, run.text, colors.text);
        else
            DisabledText(r.left + run.x, r.top + run.y, run.text);
    }
}

void Renderer::PaintEdit(HWND control, const Rect& r) {
    EditControl* edit = EditControlOf(control);
    const ControlColors colors = QueryControlColors(control);
    m_canvas.FillRect(r, colors.background);
    if (control->style & WS_BORDER) Edge(r, COLOR_3DSHADOW, COLOR_3DHILIGHT, COLOR_3DDKSHADOW, COLOR_3DLIGHT);
    if (edit == nullptr) return;
    const Rect& inset = control->clientInset;
    const Rect client{r.left + inset.left, r.top + inset.top, r.right - inset.right, r.bottom - inset.bottom};
    Clip(&client);
    const EditModel& model = edit->Model();
    const int x = client.left + edit->XOfIndex(control, 0);
    const int y = client.top + edit->TextTop(control);
    const COLORREF textColor = control->IsEnabled() ? colors.text : Sys(COLOR_GRAYTEXT);
    Text(x, y, model.Text(), textColor);
    if (edit->Focused() && model.HasSelection()) {
        const int left = client.left + edit->XOfIndex(control, model.SelStart());
        const int right = client.left + edit->XOfIndex(control, model.SelEnd());
        m_canvas.FillRect({left, y, right, y + m_metrics.Height()}, Sys(COLOR_HIGHLIGHT));
        Text(left, y, model.SelectedText(), Sys(COLOR_HIGHLIGHTTEXT));
    }
    PaintCaret(control, client);
}

void Renderer::PaintCaret(HWND control, const Rect& client) {
    const Caret& caret = wm().GetCaret();
    if (!m_caretOn || caret.owner != control || caret.hideCount > 0) return;
    m_canvas.FillRect({client.left + caret.pos.x, client.top + caret.pos.y, client.left + caret.pos.x + std::max(1, caret.width),
                       client.top + caret.pos.y + caret.height},
                      Sys(COLOR_WINDOWTEXT));
}

void Renderer::PaintButton(HWND control, const Rect& r) {
    ButtonControl* button = ButtonControlOf(control);
    const bool pressed = button != nullptr && button->Pressed();
    const bool focused = button != nullptr && button->Focused();
    HWND focus = GetFocus();
    const bool focusOnButton = IsWindow(focus) && focus->windowClass == WindowClass::Button;
    // The default button wears a black frame, unless another button has the focus.
    const bool isDefault = focused || ((control->style & BS_TYPEMASK) == BS_DEFPUSHBUTTON && !focusOnButton);
    m_canvas.FillRect(r, Sys(COLOR_3DFACE));
    Rect face = r;
    if (isDefault) {
        Frame(r, Sys(COLOR_BTNTEXT));
        face = {r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
    }
    if (pressed) {
        Frame(face, Sys(COLOR_3DSHADOW));
    } else {
        Edge(face, COLOR_3DHILIGHT, COLOR_3DDKSHADOW, COLOR_3DLIGHT, COLOR_3DSHADOW);
    }
    const std::string label = WithoutMnemonic(control->text);
    const int tx = r.left + (r.Width() - m_metrics.TextWidth(label)) / 2 + (pressed ? 1 : 0);
    const int ty = r.top + (r.Height() - m_metrics.Height()) / 2 + (pressed ? 1 : 0);
    if (control->IsEnabled())
        MnemonicText(tx, ty, control->text, Sys(COLOR_BTNTEXT));
    else
        DisabledText(tx, ty, label);
    if (focused) {
        // The dotted focus rectangle, its dots and gaps as wide as the scale's whole pixels.
        const int t = std::max(1, static_cast<int>(std::lround(m_metrics.Scale())));
        const Rect f{face.left + 3 * t, face.top + 3 * t, face.right - 3 * t, face.bottom - 3 * t};
        for (int x = f.left; x < f.right; x += 2 * t) {
            m_canvas.FillRect({x, f.top, std::min(x + t, f.right), f.top + t}, Sys(COLOR_BTNTEXT));
            m_canvas.FillRect({x, f.bottom - t, std::min(x + t, f.right), f.bottom}, Sys(COLOR_BTNTEXT));
        }
        for (int y = f.top; y < f.bottom; y += 2 * t) {
            m_canvas.FillRect({f.left, y, f.left + t, std::min(y + t, f.bottom)}, Sys(COLOR_BTNTEXT));
            m_canvas.FillRect({f.right - t, y, f.right, std::min(y + t, f.bottom)}, Sys(COLOR_BTNTEXT));
        }
    }
}

void Renderer::PaintGroupBox(HWND control, const Rect& r) {
    const int top = r.top + m_metrics.Height() / 2;
    const Rect line{r.left, top, r.right, r.bottom};
    Frame({line.left, line.top, line.right - 1, line.bottom - 1}, Sys(COLOR_3DSHADOW));
    Frame({line.left + 1, line.top + 1, line.right, line.bottom}, Sys(COLOR_3DHILIGHT));
    if (control->text.empty()) return;
    const int width = m_metrics.TextWidth(control->text);
    m_canvas.FillRect({r.left + 7, r.top, r.left + 9 + width + 2, r.top + m_metrics.Height()}, Sys(COLOR_3DFACE));
    if (control->IsEnabled())
        Text(r.left + 9, r.top, control->text, Sys(COLOR_BTNTEXT));
    else
        DisabledText(r.left + 9, r.top, control->text);
}

void Renderer::PaintRadio(HWND control, const Rect& r) {
    const ButtonControl* button = ButtonControlOf(control);
    // Twelve pixels across at the original's size; its rings keep their proportions at any other.
    const int size = std::max(6, static_cast<int>(std::lround(12 * m_metrics.Scale())));
    const double k = (size / 12.0) * (size / 12.0);
    const double centre = (size - 1) / 2.0;
    const int top = r.top + (r.Height() - size) / 2;
    // A sunken circle, drawn a pixel at a time.
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const double dx = x - centre;
            const double dy = y - centre;
            const double d = (dx * dx + dy * dy) / k;
            if (d > 36.0) continue;
            COLORREF c = control->IsEnabled() ? Sys(COLOR_WINDOW) : Sys(COLOR_3DFACE);
            if (d > 20.0)
                c = (dx + dy < 0) ? Sys(COLOR_3DSHADOW) : Sys(COLOR_3DHILIGHT);
            else if (d > 12.0)
                c = (dx + dy < 0) ? Sys(COLOR_3DDKSHADOW) : Sys(COLOR_3DLIGHT);
            if (button != nullptr && button->Checked() && d < 4.5) c = control->IsEnabled() ? Sys(COLOR_BTNTEXT) : Sys(COLOR_GRAYTEXT);
            m_canvas.FillRect({r.left + x, top + y, r.left + x + 1, top + y + 1}, c);
        }
    }
    const int ty = r.top + (r.Height() - m_metrics.Height()) / 2;
    const int gap = static_cast<int>(std::lround(4 * m_metrics.Scale()));
    if (control->IsEnabled())
        MnemonicText(r.left + size + gap, ty, control->text, Sys(COLOR_BTNTEXT));
    else
        DisabledText(r.left + size + gap, ty, WithoutMnemonic(control->text));
}

void Renderer::PaintMenu(const TrackedMenu& menu) {
    Rect area = m_area;
    area.OffsetRect(m_origin.x, m_origin.y);
    MenuBox box = LayOutMenu(menu, m_metrics, area);
    const Rect r = ToCanvas(box.rect);
    m_canvas.FillRect(r, Sys(COLOR_3DFACE));
    Edge(r, COLOR_3DLIGHT, COLOR_3DDKSHADOW, COLOR_3DHILIGHT, COLOR_3DSHADOW);
    for (const MenuItemBox& itemBox : box.items) {
        const MenuItem& item = menu.menu->items[static_cast<std::size_t>(itemBox.index)];
        const Rect ir = ToCanvas(itemBox.rect);
        if (item.IsSeparator()) {
            const int y = ir.top + ir.Height() / 2 - 1;
            m_canvas.FillRect({ir.left + 1, y, ir.right - 1, y + 1}, Sys(COLOR_3DSHADOW));
            m_canvas.FillRect({ir.left + 1, y + 1, ir.right - 1, y + 2}, Sys(COLOR_3DHILIGHT));
            continue;
        }
        const bool highlighted = itemBox.index == menu.highlight;
        if (highlighted) m_canvas.FillRect(ir, Sys(COLOR_HIGHLIGHT));
        const std::size_t tab = item.text.find('\t');
        const std::string label = item.text.substr(0, tab);
        const int ty = ir.top + (ir.Height() - m_metrics.Height()) / 2;
        const COLORREF color = highlighted ? Sys(COLOR_HIGHLIGHTTEXT) : Sys(COLOR_BTNTEXT);
        if (item.IsEnabled())
            MnemonicText(ir.left + 18, ty, label, color);
        else
            DisabledText(ir.left + 18, ty, WithoutMnemonic(label));
        if (tab != std::string::npos) {
            const std::string shortcut = item.text.substr(tab + 1);
            const int sx = ir.right - 12 - m_metrics.TextWidth(shortcut);
            if (item.IsEnabled())
                Text(sx, ty, shortcut, color);
            else
                DisabledText(sx, ty, shortcut);
        }
    }
}

void Renderer::PaintToolTip(HWND tip) {
    ToolTipControl* control = ToolTipControlOf(tip);
    if (control == nullptr || !control->visible || control->hovered == nullptr) return;
    const std::string& text = control->hovered->text;
    const int width = m_metrics.TextWidth(text) + 8;
    const int height = m_metrics.Height() + 4;
    Point at{control->anchor.x - m_origin.x, control->anchor.y - m_origin.y + 20};
    at.x = std::clamp(at.x, m_area.left, std::max(m_area.left, m_area.right - width));
    at.y = std::clamp(at.y, m_area.top, std::max(m_area.top, m_area.bottom - height));
    const Rect r{at.x, at.y, at.x + width, at.y + height};
    m_canvas.FillRect(r, Sys(COLOR_INFOBK));
    Frame(r, Sys(COLOR_INFOTEXT));
    Text(r.left + 4, r.top + 2, text, Sys(COLOR_INFOTEXT));
}
