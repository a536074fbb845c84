// Not a test: the one place the tests use the framework's X11 declarations, which clash with the
// test framework's names. Lives here so that it is compiled into the unit tests.
#define JUCE_GUI_BASICS_INCLUDE_XHEADERS 1
#include <juce_gui_basics/juce_gui_basics.h>

#include "DisplaySetUp.h"

namespace vimbrel::test
{
void prepareDisplayForWindows()
{
    // The window system loads Xlib and connects first; only then is there a handler to replace.
    juce::XWindowSystem::getInstance();
    juce::X11Symbols::getInstance()->xSetErrorHandler ([] (::Display*, XErrorEvent*) { return 0; });
}
} // namespace vimbrel::test
