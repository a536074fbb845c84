// vimbrel-render: renders a WAV file through the plug-in's processor, the code the bundle ships.
#include "FixedTempoPlayHead.h"
#include "HostPreparation.h"
#include "RenderOptions.h"
#include "SlotNames.h"
#include "WavInput.h"
#include "WavOutput.h"

#include "processor/SlotRows.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <iomanip>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>

namespace
{
using namespace vimbrel::render;

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

// Every slot with its names and the value a host starts it at, shown as the host shows it;
// then the programs.
void list()
{
    auto processor = std::make_unique<NewProjectAudioProcessor>();

    std::cout << "Parameters (--set takes the slot, the word on the panel or the host's name, in any case,\n"
                 "and a value from 0 to 1):\n"
              << "slot  panel         host                  default   shown as\n";
    for (const auto& row : slotRows)
    {
        const char* panel = panelName (row.slot);
        std::ostringstream defaultValue;
        defaultValue << row.hostDefault;

        std::string shown = "(keeps nothing a host can set)";
        if (row.automatable)
        {
            processor->setParameter (row.slot, row.hostDefault);
            shown = processor->getParameterText (row.slot).trim().toStdString();
        }

        std::ostringstream line;
        line << std::setw (4) << row.slot << "  " << std::left << std::setw (12) << (panel != nullptr ? panel : "-")
             << "  " << std::setw (20) << row.name << "  " << std::setw (8) << defaultValue.str() << "  " << shown;
        std::cout << juce::String (line.str()).trimEnd() << "\n";
    }

    std::cout << "\nPrograms (--program takes the number or the name, in any case):\n";
    for (int i = 0; i < processor->getNumPrograms(); ++i)
        std::cout << std::setw (4) << i << "  " << processor->getProgramName (i) << "\n";
}

// Whether two paths lead to one file (the same path, a symbolic link to it, a hard link).
bool sameFile (const std::string& a, const std::string& b)
{
    struct stat first, second;
    return stat (a.c_str(), &first) == 0 && stat (b.c_str(), &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}

// Shows how far a long render is, on the terminal only: a log file gets no carriage returns.
class Progress
{
public:
    Progress (std::int64_t total, double sampleRate, bool quiet)
        : totalFrames (total),
          shown (! quiet && isatty (STDERR_FILENO) != 0 && total > (std::int64_t) (sampleRate * 30.0))
    {
    }

    void update (std::int64_t done)
    {
        const int percent = (int) (100 * std::min (done, totalFrames) / std::max<std::int64_t> (totalFrames, 1));
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

// Where a render without --tail ends: at the first frame from the end of the input on at which
// the output has stayed below -96 dBFS for half a second (or since its start: an empty or silent
// input gets no tail), and 30 s after the input at most, since the echo's repeats can sound for
// ever.
class QuietEnding
{
public:
    static constexpr double quietSeconds = 0.5, longestTailSeconds = 30.0;

    QuietEnding (std::int64_t inputFrames, double sampleRate)
        : input (inputFrames), quietFramesNeeded (std::llround (quietSeconds * sampleRate)), reached (inputFrames == 0)
    {
    }

    bool ended() const { return reached; }

    // How many frames of a block starting at frame `start` the output keeps: all of them, or
    // those up to its end.
    int framesToKeep (const std::vector<std::vector<double>>& channels, std::int64_t start, int count)
    {
        for (int i = 0; i < count && ! reached; ++i)
        {
            bool quiet = true;
            for (const auto& channel : channels)
                quiet = quiet && std::abs (channel[(size_t) i]) < quietLevel;
            quietFrames = quiet ? quietFrames + 1 : 0;

            const std::int64_t frames = start + i + 1;
            if (frames >= input && (quietFrames >= quietFramesNeeded || quietFrames == frames))
            {
                reached = true;
                return i + 1;
            }
        }
        return count;
    }

private:
    static constexpr double quietLevel = 1.5848931924611134e-5; // -96 dBFS

    std::int64_t input, quietFramesNeeded, quietFrames = 0;
    bool reached;
};

void render (const RenderOptions& options)
{
    if (sameFile (options.inputPath, options.outputPath))
        throw UsageError ("the output '" + options.outputPath +
                          "' is the input file itself (the same file under this name); write to another file");

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
        processor->setParameter (settableSlotNamed (setting.name), setting.value);
    processor->setDependentParameters();

    auto outputFormat = format;
    if (options.floatOutput)
    {
        outputFormat.isFloat = true;
        outputFormat.bitsPerSample = 32;
    }

    const std::int64_t inputFrames = reader.numFrames();
    const double tailSeconds = options.tailSeconds.value_or (QuietEnding::longestTailSeconds);
    const std::int64_t mostFrames = inputFrames + std::llround (tailSeconds * format.sampleRate);
    WavOutput writer (options.outputPath, outputFormat, mostFrames);
    std::optional<QuietEnding> ending;
    if (! options.tailSeconds)
        ending.emplace (inputFrames, format.sampleRate);

    std::vector<std::vector<double>> channels ((size_t) format.channels,
                                               std::vector<double> ((size_t) options.blockSize));
    std::vector<double*> pointers;
    for (auto& channel : channels)
        pointers.push_back (channel.data());

    Progress progress (options.tailSeconds ? mostFrames : inputFrames, format.sampleRate, options.quiet);
    for (std::int64_t done = 0; done < mostFrames && ! (ending && ending->ended());)
    {
        const int count = (int) std::min<std::int64_t> (options.blockSize, mostFrames - done);
        const int read = reader.read (channels, count);
        for (auto& channel : channels)
            std::fill (channel.begin() + read, channel.begin() + count, 0.0); // the tail is silence

        juce::AudioBuffer<double> block (pointers.data(), format.channels, count);
        processor->processBlock (block, midi);

        const int kept = ending ? ending->framesToKeep (channels, done, count) : count;
        writer.write (channels, kept);

        done += kept;
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
        if (options.showVersion)
        {
            std::cout << "vimbrel-render " JucePlugin_VersionString "\n";
            return 0;
        }

        const juce::ScopedJuceInitialiser_GUI framework;
        if (options.showList)
            list();
        else
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
