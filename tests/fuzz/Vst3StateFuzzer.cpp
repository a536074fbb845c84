// Hands any bytes to the plug-in's VST3 component as the state of a project a host reopens: the
// path on which the framework's VST3 layer reads its private trailer (guarded by
// cmake/Vst3StateGuard.cmake) before the plug-in reads its settings. Then plays a block and saves.
// The built bundle, loaded once through the framework's VST3 hosting as a DAW loads it, must
// neither crash nor read outside what it was given, and must save a state that comes back as
// exactly itself. The sound is not judged here: a state may carry settings no host can make, and
// the saved-state fuzzer judges the sound of those a host can.

#include "PluginLoading.h"
#include "RawComponentState.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

extern "C" int LLVMFuzzerInitialize (int* argc, char*** argv);
extern "C" int LLVMFuzzerTestOneInput (const std::uint8_t* data, std::size_t size);

namespace
{
constexpr double sampleRate = 48000.0;
constexpr int blockSize = 512;

[[noreturn]] void fail (const char* what)
{
    std::fprintf (stderr, "\n*** %s\n", what);
    std::abort();
}

// The host: the framework started on this thread, which becomes its message thread, and the
// bundle loaded once (loading costs far more than an input), with the state it starts with.
struct Host
{
    Host()
    {
        juce::String error;
        plugin = vimbrel::host::loadPlugin (vimbrel::host::bundleUnderTest(), sampleRate, blockSize, error);
        if (plugin == nullptr)
        {
            std::fprintf (stderr, "%s\n", error.toRawUTF8());
            fail ("the bundle could not be loaded");
        }
        startingState = vimbrel::host::componentStateOf (*plugin);
    }

    juce::ScopedJuceInitialiser_GUI framework;
    std::unique_ptr<juce::AudioPluginInstance> plugin;
    juce::MemoryBlock startingState;
    juce::AudioBuffer<float> buffer { 2, blockSize };
};

Host& host()
{
    static Host instance;
    return instance;
}
} // namespace

extern "C" int LLVMFuzzerInitialize (int*, char***)
{
    host();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput (const std::uint8_t* data, std::size_t size)
{
    auto& h = host();
    auto& plugin = *h.plugin;

    // Every input starts from the same settings: those of a fresh instance.
    vimbrel::host::restoreComponentState (plugin, h.startingState);
    vimbrel::host::restoreComponentState (plugin, juce::MemoryBlock (data, size));

    juce::Random random (1);
    for (int channel = 0; channel < 2; ++channel)
        for (int i = 0; i < blockSize; ++i)
            h.buffer.setSample (channel, i, random.nextFloat() * 2.0f - 1.0f);
    juce::MidiBuffer midi;
    plugin.processBlock (h.buffer, midi);

    const auto saved = vimbrel::host::componentStateOf (plugin);
    vimbrel::host::restoreComponentState (plugin, saved);

    if (vimbrel::host::componentStateOf (plugin) != saved)
        fail ("a state saved through the VST3 component did not come back as itself");

    return 0;
}
