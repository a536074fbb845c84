// vimbrel-render: renders a WAV file through the plug-in's processor, the code the bundle ships.
#include "FixedTempoPlayHead.h"
#include "HostPreparation.h"
#include "RenderOptions.h"
#include "WavInput.h"
#include "WavOutput.h"

#include "processor/EchoPluginProcessor.h"

#include <iostream>
#include <memory>

namespace
{
using namespace vimbrel::render;

// A whole number from 0 to count - 1, or -1.
int indexIn (const std::string& text, int count)
{
    if (text.empty() || text.size() > 3 || text.find_first_not_of ("0123456789") != std::string::npos)
        return -1;
    const int index = std::stoi (text);
    return index < count ? index : -1;
}

int programIndex (NewProjectAudioProcessor& processor, const std::string& name)
{
    if (const int index = indexIn (name, processor.getNumPrograms()); index >= 0)
        return index;

    for (int i = 0; i < processor.getNumPrograms(); ++i)
        if (processor.getProgramName (i).equalsIgnoreCase (juce::String (name)))
            return i;

    throw UsageError ("unknown program '" + name +
                      "' (Standard, \"Stereo delay\", \"Mono Swell\", \"Stereo Swell\", "
                      "Doubling, Guitar, or 0 to 5)");
}

int slotIndex (NewProjectAudioProcessor& processor, const std::string& name)
{
    if (const int index = indexIn (name, processor.getNumParameters()); index >= 0)
        return index;

    const juce::String wanted (name);
    if (! wanted.equalsIgnoreCase ("No Parameter"))
        for (int i = 0; i < processor.getNumParameters(); ++i)
            if (processor.getParameterName (i).equalsIgnoreCase (wanted))
                return i;

    throw UsageError ("unknown parameter '" + name +
                      "' (a name such as Lenght, tone, Volume, \"Delay Selection\", or a slot 0 to 21)");
}

// Shows how far a long render is, on the terminal's error stream.
class Progress
{
public:
    Progress (std::int64_t total, double sampleRate)
        : totalFrames (total), shown (total > (std::int64_t) (sampleRate * 30.0))
    {
    }

    void update (std::int64_t done)
    {
        const int percent = (int) (100 * done / std::max<std::int64_t> (totalFrames, 1));
        if (shown && percent != lastPercent)
        {
            std::cerr << "\rrendering: " << percent << " %" << std::flush;
            lastPercent = percent;
        }
    }

    ~Progress()
    {
        if (shown && lastPercent >= 0)
            std::cerr << "\n";
    }

private:
    std::int64_t totalFrames;
    bool shown;
    int lastPercent = -1;
};

void render (const RenderOptions& options)
{
    WavInput reader (options.inputPath);
    const auto format = reader.format();

    auto processor = std::make_unique<NewProjectAudioProcessor>();
    vimbrel::hostsim::prepareLikeHost (*processor, format.sampleRate, format.channels, {}, options.blockSize);

    // The host tempo arrives with a block; the settings below then build the spacing from it.
    vimbrel::hostsim::FixedTempoPlayHead playHead;
    playHead.bpm = options.hostTempo;
    processor->setPlayHead (&playHead);
    juce::AudioBuffer<double> empty (format.channels, 0);
    juce::MidiBuffer midi;
    processor->processBlock (empty, midi);

    if (options.program)
        processor->setCurrentProgram (programIndex (*processor, *options.program));
    for (const auto& setting : options.settings)
        processor->setParameter (slotIndex (*processor, setting.name), setting.value);
    processor->setDependentParameters();

    auto outputFormat = format;
    if (options.floatOutput)
    {
        outputFormat.isFloat = true;
        outputFormat.bitsPerSample = 32;
    }

    const auto tailFrames = (std::int64_t) std::llround (options.tailSeconds * format.sampleRate);
    const std::int64_t totalFrames = reader.numFrames() + tailFrames;
    WavOutput writer (options.outputPath, outputFormat, totalFrames);

    std::vector<std::vector<double>> channels ((size_t) format.channels,
                                               std::vector<double> ((size_t) options.blockSize));
    std::vector<double*> pointers;
    for (auto& channel : channels)
        pointers.push_back (channel.data());

    Progress progress (totalFrames, format.sampleRate);
    for (std::int64_t done = 0; done < totalFrames;)
    {
        const int count = (int) std::min<std::int64_t> (options.blockSize, totalFrames - done);
        const int read = reader.read (channels, count);
        for (auto& channel : channels)
            std::fill (channel.begin() + read, channel.begin() + count, 0.0); // the tail is silence

        juce::AudioBuffer<double> block (pointers.data(), format.channels, count);
        processor->processBlock (block, midi);
        writer.write (channels, count);

        done += count;
        progress.update (done);
    }

    processor->setPlayHead (nullptr);
    writer.finish();
}
} // namespace

int main (int argc, char** argv)
{
    try
    {
        const auto options = parseRenderOptions (std::vector<std::string> (argv + 1, argv + argc));
        if (options.showHelp)
        {
            std::cout << renderUsage;
            return 0;
        }

        const juce::ScopedJuceInitialiser_GUI framework;
        render (options);
        return 0;
    }
    catch (const UsageError& error)
    {
        std::cerr << "vimbrel-render: " << error.what() << " (see vimbrel-render --help)\n";
        return 2;
    }
    catch (const std::exception& error)
    {
        std::cerr << "vimbrel-render: " << error.what() << "\n";
        return 1;
    }
}
