// What a screen reader is told of a control on Windows: the system's own
// accessible object for it, with the answers the system cannot know put in
// front. A field's name is the label on its row (the templates list every
// label before the fields, so "the static before it" names them all after the
// last label); a badge's is its tooltip's text, and its default action clicks
// it as the mouse would.
#pragma once

#include <windows.h>

// The object a WM_GETOBJECT for the control's client area answers with, or 0
// for the system's default answer. The libraries it needs load on the first call.
LRESULT AnswerAccessibleObject(HWND control, WPARAM flags);

// Marks a result field a polite live region, as UI Automation reads one through MSAA:
// a reader says its new value when the program announces it, not only while it has
// the focus.
void MarkAsLiveRegion(HWND field);

// Whether a client has asked for an accessible object yet: until then, nothing
// is announced that nobody would hear.
bool AccessibilityClientsAsked();
