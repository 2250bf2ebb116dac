// The driver: the protocol's commands, written on the desktop API alone, so
// that one source drives the program on our window system and on Windows
// alike. Input goes in as hardware input does (SendInput); everything else
// is read or written through the API, as another program would. Message
// boxes are answered with OK and reported. Back ends feed it lines and let
// it run its queued events; a back end may add commands of its own.
#pragma once

#include <string>
#include <vector>

#include <windows.h>

#include "DriverScript.h"

class Driver : public DriverScript {
public:
    explicit Driver(AnswerWriter write);
    ~Driver() override;
    // Starts answering message boxes; false when the hook that sees them cannot be set.
    bool Start();

    // The control `id` of the dialog that takes input.
    static HWND Control(const std::string& id);
    // Input has ended: closes the open menu, or else the newest dialog not yet
    // closed, as its close box would. False once only dialogs that refused to close are left.
    bool CloseOneAtEnd();

private:
    using Handler = std::string (Driver::*)(const Args&);
    void AddCommands();

    std::string Type(const Args& a);
    std::string Key(const Args& a);
    std::string Focus(const Args& a);
    std::string Click(const Args& a);
    std::string RightClick(const Args& a);
    std::string DoubleClick(const Args& a);
    std::string Drag(const Args& a);
    std::string Menu(const Args& a);
    std::string Quit(const Args& a);
    std::string Text(const Args& a);
    std::string Shown(const Args& a);
    std::string Selection(const Args& a);
    std::string Clipboard(const Args& a);
    std::string State(const Args& a);
    std::string Labels(const Args& a);
    std::string LabelBox(const Args& a);
    std::vector<HWND> LabelWindows();
    std::string Color(const Args& a);
    std::string CaretIndex(const Args& a);
    std::string ToolTip(const Args& a);
    std::string Rectangle(const Args& a);
    std::string Cursor(const Args& a);
    std::string OpenMenuItems(const Args& a);
    std::string Focused(const Args& a);
    static std::string MenuItems(HMENU menu);
    std::string SystemMenu(const Args& a);
    std::string DialogList(const Args& a);
    std::string SetText(const Args& a);
    std::string SetSelection(const Args& a);
    std::string SetClipboard(const Args& a);

    void QueueKey(UINT vk, bool up);
    void QueueKeyPress(UINT vk, bool shift, bool ctrl, bool alt);
    void QueueCharacter(UINT codePoint);
    void QueueMouse(HWND hWnd, int index, DWORD buttonFlags, bool outside = false, bool quickly = false);
    std::string QueueClick(const Args& a, bool right, bool twice);

    static LRESULT CALLBACK CbtHook(int code, WPARAM wParam, LPARAM lParam);

    HHOOK m_cbtHook = nullptr;
    // The time stamps of the driver's mouse buttons: a second apart, so that
    // two commands never make a double click, save the one that asks for it.
    DWORD m_clock = 0;
    std::vector<HWND> m_closedAtEnd;
};

// The client point of character `index` in an edit (behind the last one for
// an index past the end), or the centre of another control.
POINT ControlPoint(HWND hWnd, int index);

// The text an edit shows, read from the standard control beneath any control
// of its own that answers its window text differently.
std::string ShownText(HWND hWnd);
