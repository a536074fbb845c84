#pragma once

namespace vimbrel::test
{
// Makes the display ready for the framework's windows. Outside a stand-alone application the
// framework leaves X errors to Xlib's default handler, which ends the program; and on a bare X
// server (no window manager, no earlier client) the framework's first window causes some, as it
// uses atoms (WM_PROTOCOLS, WM_STATE) that it looked up but did not create. The tests ignore X
// errors as the framework's own applications do, and keep Xlib loaded to the end (see the .cpp).
void prepareDisplayForWindows();
} // namespace vimbrel::test
