#include "ScratchHome.h"

#include <gtest/gtest.h>
#include <juce_events/juce_events.h>
#include <juce_graphics/juce_graphics.h>

#include <X11/Xlib.h>

#include <cstdlib>

namespace
{
// Outside a stand-alone application the framework leaves X errors to Xlib's default handler,
// which ends the program; and on a bare X server the framework's first window causes some (it
// uses window-manager atoms it looked up but never created). The tests ignore X errors as the
// framework's own applications do. Linking Xlib also keeps it loaded to the end, so that what
// it holds until the process ends stays attributable to it for the leak checker.
int ignoreXError (Display*, XErrorEvent*) { return 0; }
} // namespace

// The framework is started once for the whole program, on the thread that runs the tests,
// which thereby becomes the message thread; before it, the program moves into a home of its own.
int main (int argc, char** argv)
{
    const vimbrel::test::ScratchHome home;
    ::testing::InitGoogleTest (&argc, argv);

    if (std::getenv ("DISPLAY") != nullptr)
    {
        XInitThreads();
        XSetErrorHandler (ignoreXError);
    }

    const juce::ScopedJuceInitialiser_GUI framework;
    return RUN_ALL_TESTS();
}
