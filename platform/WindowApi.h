// The window-system calls the program makes, under their usual names.
#pragma once

#include <string>

#include "Win32Types.h"

LRESULT SendMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
BOOL PostMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
BOOL IsWindow(HWND hWnd);
HWND GetFocus();
HWND SetFocus(HWND hWnd);
HWND GetParent(HWND hWnd);
HWND GetDlgItem(HWND hDlg, int nID);
HWND GetNextDlgTabItem(HWND hDlg, HWND hCtl, BOOL bPrevious);
BOOL EnableWindow(HWND hWnd, BOOL bEnable);
BOOL IsWindowEnabled(HWND hWnd);
BOOL DestroyWindow(HWND hWnd);
BOOL InvalidateRect(HWND hWnd, const RECT* rect, BOOL bErase);
short GetAsyncKeyState(int vKey);
COLORREF GetSysColor(int index);
HBRUSH GetSysColorBrush(int index);
COLORREF BrushColor(HBRUSH brush);
int GetSystemMetrics(int index);

BOOL CreateCaret(HWND hWnd, int width, int height);
BOOL ShowCaret(HWND hWnd);
BOOL HideCaret(HWND hWnd);
BOOL DestroyCaret();
BOOL SetCaretPos(int x, int y);
BOOL GetCaretPos(POINT* point);

HWND SetCapture(HWND hWnd);
BOOL ReleaseCapture();
HWND GetCapture();

int MessageBox(HWND hWnd, const char* text, const char* caption, UINT type);
// The caption message boxes get: the executable's base file name.
const std::string& ApplicationName();
void SetApplicationName(std::string name);
