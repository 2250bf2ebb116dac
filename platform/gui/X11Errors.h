// Xlib ends the process on any protocol error it is not told to expect. One
// kind is no fault of ours: a request already on its way to a window of ours
// that the server destroyed first, such as the wake-up SDL sends to the
// window from the thread that reads the driver's commands.
#pragma once

typedef struct _XDisplay Display;  // NOLINT(bugprone-reserved-identifier): Xlib's own name

// Before the display is opened: errors about our destroyed windows are let
// pass, every other error goes to the handler that was there before.
void GuardX11Errors();
// The X window `xid` is about to be destroyed.
void ForgetX11Window(unsigned long xid);
// Every error on `display` is expected and answered where it arises: the
// connection speaks only to other clients' windows and atoms, which those
// clients may destroy or make up at any moment.
void TolerateX11Errors(Display* display);
