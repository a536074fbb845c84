#include <gtest/gtest.h>
#include <juce_events/juce_events.h>
#include <juce_graphics/juce_graphics.h>

// The framework is started once for the whole program, on the thread that runs the tests,
// which thereby becomes the message thread.
int main (int argc, char** argv)
{
    ::testing::InitGoogleTest (&argc, argv);
    const juce::ScopedJuceInitialiser_GUI framework;
    return RUN_ALL_TESTS();
}
