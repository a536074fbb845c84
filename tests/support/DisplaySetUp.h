#pragma once

namespace vimbrel::test
{
// Makes the display ready for the framework's windows. Outside a stand-alone application the
// framework leaves X errors to Xlib's default handler, which ends the program; and on a bare X
// server (no window manager, no earlier client) the framework's first window causes one, as it
// sets a property through an atom (WM_PROTOCOLS) that it looked up but did not create. The tests
// ignore X errors as the framework's own applications do.
void prepareDisplayForWindows();
} // namespace vimbrel::test
