#include "Driver.h"

#include <algorithm>
#include <cstdio>

#include "../window_system/ControlColors.h"
#include "../window_system/EditControl.h"
#include "../window_system/Icon.h"
#include "../window_system/ToolTip.h"
#include "../window_system/Utf8.h"
#include "../window_system/InputRouter.h"
#include "../window_system/Menu.h"
#include "../window_system/WindowApi.h"
#include "../window_system/WindowManager.h"

namespace {

WindowManager& wm() { return WindowManager::Instance(); }

Point ToScreen(HWND hWnd, Point client) {
    const Point origin = wm().ClientOrigin(hWnd);
    return {client.x + origin.x, client.y + origin.y};
}

std::string ControlText(HWND hWnd) {
    const auto length = SendMessage(hWnd, WM_GETTEXTLENGTH, 0, 0);
    std::string buffer(static_cast<std::size_t>(std::max<LRESULT>(length, 0)) + 1, '\0');
    const auto n = SendMessage(hWnd, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
    buffer.resize(static_cast<std::size_t>(n < 0 ? 0 : n));
    return buffer;
}

}  // namespace

Point ControlPoint(HWND hWnd, int index) {
    const Rect client = wm().ClientRect(hWnd);
    if (EditControl* edit = EditControlOf(hWnd); edit != nullptr && index >= 0)
        return {edit->XOfIndex(hWnd, index), edit->TextTop(hWnd) + 1};
    return {client.Width() / 2, client.Height() / 2};
}

Driver::Driver(std::ostream& out) : DriverScript(out) { AddStandardCommands(); }

HWND Driver::Control(const std::string& id) {
    HWND dialog = wm().ActiveDialog();
    if (dialog == nullptr) throw DriverError("no dialog is open");
    HWND hWnd = GetDlgItem(dialog, ParseInt(id));
    if (hWnd == nullptr) throw DriverError("no control " + id);
    return hWnd;
}

void Driver::QueueKeyPress(UINT vk, UINT ch, bool shift, bool ctrl, bool alt) {
    const std::pair<bool, UINT> modifiers[] = {{shift, VK_SHIFT}, {ctrl, VK_CONTROL}, {alt, VK_MENU}};
    for (const auto& [held, key] : modifiers)
        if (held) Queue([modifier = key] { Input::KeyDown(modifier); });
    Queue([vk, ch] {
        if (vk != 0) Input::KeyDown(vk, ch);
        else if (ch != 0) Input::Char(ch);
    });
    if (vk != 0) Queue([vk] { Input::KeyUp(vk); });
    for (auto it = std::rbegin(modifiers); it != std::rend(modifiers); ++it)
        if (it->first) Queue([key = it->second] { Input::KeyUp(key); });
}

void Driver::QueueClick(HWND hWnd, Point client, bool right, bool doubleClick) {
    const Point screen = ToScreen(hWnd, client);
    Queue([screen, right] { Input::MouseDown(screen, right, false); });
    Queue([screen, right] { Input::MouseUp(screen, right); });
    if (doubleClick) {
        Queue([screen] { Input::MouseDown(screen, false, true); });
        Queue([screen] { Input::MouseUp(screen, false); });
    }
}

void Driver::AddStandardCommands() {
    AddInputCommands();
    AddReadingCommands();
    AddWritingCommands();
}

// What a user does: keys, the mouse, menus and the close box.
void Driver::AddInputCommands() {
    const auto need = &Need;
    AddCommand("type", [this, need](const Args& a) {
        need(a, 1, "type TEXT");
        for (const char32_t ch : DecodeUtf8(a[0])) {
            const auto [vk, shift] = KeyForChar(ch);
            QueueKeyPress(vk, ch, shift, false, false);
        }
        return std::string("ok");
    });
    AddCommand("key", [this, need](const Args& a) {
        need(a, 1, "key COMBO");
        bool shift = false, ctrl = false, alt = false;
        const UINT vk = ParseKeyCombo(a[0], shift, ctrl, alt);
        QueueKeyPress(vk, Input::CharForKey(vk, shift, ctrl, alt), shift, ctrl, alt);
        return std::string("ok");
    });
    AddCommand("focus", [this, need](const Args& a) {
        need(a, 1, "focus ID");
        HWND hWnd = Control(a[0]);
        Queue([hWnd] { FocusAndSelectAll(hWnd); });
        return std::string("ok");
    });
    const auto click = [this](const Args& a, bool right, bool twice) {
        if (a.empty() || a.size() > 2) throw DriverError("usage: click ID [INDEX]");
        HWND hWnd = Control(a[0]);
        QueueClick(hWnd, ControlPoint(hWnd, a.size() == 2 ? ParseInt(a[1]) : -1), right, twice);
        return std::string("ok");
    };
    AddCommand("click", [click](const Args& a) { return click(a, false, false); });
    AddCommand("rclick", [click](const Args& a) { return click(a, true, false); });
    AddCommand("dblclick", [click, need](const Args& a) {
        need(a, 2, "dblclick ID INDEX");
        return click(a, false, true);
    });
    AddCommand("drag", [this, need](const Args& a) {
        need(a, 3, "drag ID FROM TO");
        HWND hWnd = Control(a[0]);
        const Point from = ToScreen(hWnd, ControlPoint(hWnd, ParseInt(a[1])));
        Point to;
        if (a[2] == "outside") {
            to = ToScreen(hWnd, {wm().ClientRect(hWnd).Width() + 10, ControlPoint(hWnd, 0).y});
        } else {
            to = ToScreen(hWnd, ControlPoint(hWnd, ParseInt(a[2])));
        }
        Queue([from] { Input::MouseDown(from, false, false); });
        Queue([to] { Input::MouseMove(to); });
        Queue([to] { Input::MouseUp(to, false); });
        return std::string("ok");
    });
    AddCommand("menu", [this, need](const Args& a) {
        need(a, 1, "menu TEXT");
        TrackedMenu* menu = GetTrackedMenu();
        if (menu == nullptr) throw DriverError("no menu is open");
        for (std::size_t i = 0; i < menu->menu->items.size(); ++i) {
            const MenuItem& item = menu->menu->items[i];
            if (item.IsSeparator() || !MenuLabelMatches(MenuItemLabel(item.text), a[0])) continue;
            if (!item.IsEnabled()) throw DriverError("menu item is disabled: " + a[0]);
            Queue([index = static_cast<int>(i)] { ChooseMenuItem(index); });
            return std::string("ok");
        }
        throw DriverError("no menu item " + a[0]);
    });
    AddCommand("quit", [this, need](const Args& a) {
        need(a, 0, "quit");
        HWND dialog = wm().ActiveDialog();
        if (dialog == nullptr) throw DriverError("no dialog is open");
        Queue([dialog] { SendMessage(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); });
        return std::string("ok");
    });
}

// Questions about what the program shows; they change nothing.
void Driver::AddReadingCommands() {
    const auto need = &Need;
    AddCommand("text", [need](const Args& a) {
        need(a, 1, "text ID");
        return Quote(ControlText(Control(a[0])));
    });
    AddCommand("shown", [need](const Args& a) {
        need(a, 1, "shown ID");
        HWND hWnd = Control(a[0]);
        EditControl* edit = EditControlOf(hWnd);
        return Quote(edit ? edit->Model().Text() : hWnd->text);
    });
    AddCommand("sel", [need](const Args& a) {
        need(a, 1, "sel ID");
        DWORD start = 0, end = 0;
        SendMessage(Control(a[0]), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return std::to_string(start) + " " + std::to_string(end);
    });
    AddCommand("clipboard", [need](const Args& a) {
        need(a, 0, "clipboard");
        return Quote(ClipboardText());
    });
    AddCommand("state", [need](const Args& a) {
        need(a, 0, "state");
        HWND dialog = wm().ActiveDialog();
        if (dialog == nullptr) throw DriverError("no dialog is open");
        std::string answer;
        for (HWND child : dialog->children)
            if (child->windowClass == WindowClass::Edit) answer += std::to_string(child->id) + " " + Quote(ControlText(child)) + "\n";
        HWND focus = GetFocus();
        answer += "focus " + (IsWindow(focus) ? std::to_string(focus->id) : std::string("none")) + "\nend";
        return answer;
    });
    AddCommand("color", [need](const Args& a) {
        need(a, 1, "color ID");
        const COLORREF c = QueryControlColors(Control(a[0])).text;
        char text[8];
        std::snprintf(text, sizeof text, "#%02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
        return std::string(text);
    });
    AddCommand("caret", [need](const Args& a) {
        need(a, 1, "caret ID");
        HWND hWnd = Control(a[0]);
        const Caret& caret = wm().GetCaret();
        // Where the caret shows: a control may place it itself at either end of a selection.
        if (caret.owner == hWnd) {
            const LRESULT index = SendMessage(hWnd, EM_CHARFROMPOS, 0, MAKELPARAM(static_cast<unsigned>(caret.pos.x), static_cast<unsigned>(caret.pos.y)));
            return std::to_string(LOWORD(index));
        }
        const EditControl* edit = EditControlOf(hWnd);
        return std::to_string(edit ? edit->Model().Caret() : 0);
    });
    AddCommand("tooltip", [need](const Args& a) {
        need(a, 1, "tooltip ID");
        const ToolInfo* tool = FindTool(Control(a[0]));
        return Quote(tool ? tool->text : "");
    });
    AddCommand("cursor", [need](const Args& a) {
        need(a, 1, "cursor ID");
        HWND hWnd = Control(a[0]);
        // The pointer as it would be after moving onto the control from the dialog's face.
        SetCursor(LoadCursor(nullptr, IDC_ARROW));
        SendMessage(hWnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        const HCURSOR cursor = GetCursor();
        const int shape = cursor != nullptr ? cursor->systemCursor : 0;
        return std::string(shape == kCursorHand ? "hand" : shape == kCursorIBeam ? "ibeam" : "arrow");
    });
    AddCommand("sysmenu", [need](const Args& a) {
        need(a, 0, "sysmenu");
        HWND dialog = wm().ActiveDialog();
        if (dialog == nullptr || dialog->systemMenu == nullptr) throw DriverError("no system menu");
        std::string answer;
        for (const MenuItem& item : dialog->systemMenu->items) {
            if (!answer.empty()) answer += ' ';
            answer += item.IsSeparator() ? std::string("-") : Quote(item.text);
        }
        return answer;
    });
    AddCommand("dialogs", [need](const Args& a) {
        need(a, 0, "dialogs");
        std::string answer;
        for (HWND dialog : wm().Dialogs()) {
            if (!answer.empty()) answer += ' ';
            answer += std::to_string(dialog->templateId);
        }
        return answer;
    });
}

// What other programs do: write a field's text and selection, or the clipboard.
void Driver::AddWritingCommands() {
    const auto need = &Need;
    AddCommand("settext", [need](const Args& a) {
        need(a, 2, "settext ID TEXT");
        return std::to_string(SendMessage(Control(a[0]), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(a[1].c_str())));
    });
    AddCommand("setsel", [need](const Args& a) {
        need(a, 3, "setsel ID START END");
        const int start = ParseInt(a[1]);
        const int end = ParseInt(a[2]);
        return std::to_string(SendMessage(Control(a[0]), EM_SETSEL, static_cast<WPARAM>(static_cast<std::intptr_t>(start)), end));
    });
    AddCommand("setclipboard", [need](const Args& a) {
        need(a, 1, "setclipboard TEXT");
        SetClipboardText(a[0]);
        return std::string("ok");
    });
}
