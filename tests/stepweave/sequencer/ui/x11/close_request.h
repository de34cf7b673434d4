#pragma once
// What a window manager sends when the user clicks a window's close button:
// the WM_DELETE_WINDOW message of the window manager protocols. It comes from
// a connection of its own, as from another program. (Apart from the test, so
// that X11's macros stay out of the Qt code.)
namespace stepweave::test {

void SendCloseRequest(unsigned long window);

}  // namespace stepweave::test
