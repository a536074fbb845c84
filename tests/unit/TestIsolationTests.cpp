#include "ScratchHome.h"

#include <juce_core/juce_core.h>

#include <gtest/gtest.h>

#include <pwd.h>
#include <unistd.h>

// The tests run in a home of their own, never the user's: nothing the user installed or
// configured is found, and nothing of the user's is written.
TEST (TestIsolation, EveryProgramRunsInAScratchHomeOfItsOwn)
{
    const juce::File home (juce::SystemStats::getEnvironmentVariable ("HOME", {}));
    const auto* user = getpwuid (getuid());
    ASSERT_NE (user, nullptr);

    EXPECT_TRUE (home.isDirectory()) << home.getFullPathName();
    EXPECT_NE (home, juce::File (user->pw_dir)) << "the user's own home";
    EXPECT_TRUE (home.getFileName().startsWith ("vimbrel-test-home-")) << home.getFullPathName();
    EXPECT_EQ (juce::File::getSpecialLocation (juce::File::userHomeDirectory), home);

    for (const char* variable : { "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME", "XDG_STATE_HOME" })
        EXPECT_TRUE (juce::File (juce::SystemStats::getEnvironmentVariable (variable, {})).isAChildOf (home))
            << variable;

    // The framework's LV2 hosting reads ~/.lv2 whatever it is told: there, only the build's bundle.
    for (const auto& entry : home.getChildFile (".lv2").findChildFiles (juce::File::findFilesAndDirectories, false))
    {
#ifdef VIMBREL_BUILT_LV2_BUNDLE
        EXPECT_EQ (entry.getLinkedTarget(), juce::File (VIMBREL_BUILT_LV2_BUNDLE));
#else
        ADD_FAILURE() << "a build without an LV2 has " << entry.getFullPathName();
#endif
    }
}
