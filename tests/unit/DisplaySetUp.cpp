// Not a test: the one place the tests use the framework's X11 declarations, which clash with the
// test framework's names. Lives here so that it is compiled into the unit tests.
#define JUCE_GUI_BASICS_INCLUDE_XHEADERS 1
#include <juce_gui_basics/juce_gui_basics.h>

#include "DisplaySetUp.h"

#include <dlfcn.h>

namespace vimbrel::test
{
void prepareDisplayForWindows()
{
    // The window system loads Xlib and connects first; only then is there a handler to replace.
    juce::XWindowSystem::getInstance();
    juce::X11Symbols::getInstance()->xSetErrorHandler ([] (::Display*, XErrorEvent*) { return 0; });

    // The framework unloads Xlib when it shuts down, before the leak checker of a sanitizer
    // build reports what Xlib keeps until the process ends; kept loaded, those allocations
    // stay attributable to Xlib and are suppressed as such.
    dlopen ("libX11.so.6", RTLD_LAZY | RTLD_NODELETE);
}
} // namespace vimbrel::test
