// vimbrel-demo: makes the demo material scripts/install renders: a short dry phrase, and a
// picture of the echo pattern of every factory program.
#include "EchoPattern.h"
#include "WavOutput.h"

#include "processor/EchoPluginProcessor.h"

#include <iostream>

namespace
{
using namespace vimbrel::render;

// A plucked phrase made here: a few notes, each a decaying tone with two overtones, panned
// a little apart, then silence for the echoes.
void writeDryPhrase (const juce::File& file)
{
    constexpr double rate = 48000.0;
    const double notes[] = { 220.0, 277.18, 329.63, 440.0, 329.63, 277.18, 246.94, 220.0 };
    const double noteLength = 0.3, total = 3.0;

    const int frames = (int) (rate * total);
    std::vector<std::vector<double>> channels (2, std::vector<double> ((size_t) frames, 0.0));

    for (int i = 0; i < frames; ++i)
    {
        const double t = i / rate;
        const int note = (int) (t / noteLength);
        if (note >= (int) std::size (notes))
            continue;

        const double age = t - note * noteLength, f = notes[note];
        const double twoPi = juce::MathConstants<double>::twoPi;
        const double tone =
            std::exp (-age * 9.0) * (std::sin (twoPi * f * age) + 0.4 * std::sin (twoPi * 2.0 * f * age) +
                                     0.15 * std::sin (twoPi * 3.0 * f * age));
        const double pan = note % 2 == 0 ? 0.35 : 0.65;
        channels[0][(size_t) i] = 0.3 * tone * (1.0 - pan) * 2.0;
        channels[1][(size_t) i] = 0.3 * tone * pan * 2.0;
    }

    WavOutput writer (file.getFullPathName().toStdString(), { 2, rate, 16, false }, frames);
    writer.write (channels, frames);
    writer.finish();
}

juce::String slugOf (const juce::String& programName) { return programName.toLowerCase().replaceCharacter (' ', '-'); }
} // namespace

int main (int argc, char** argv)
{
    if (argc != 2)
    {
        std::cerr << "usage: vimbrel-demo FOLDER\n";
        return 2;
    }

    try
    {
        const juce::ScopedJuceInitialiser_GUI framework;
        const juce::File folder = juce::File::getCurrentWorkingDirectory().getChildFile (argv[1]);
        if (! folder.createDirectory())
            throw FileError ("cannot create the folder " + folder.getFullPathName().toStdString());

        writeDryPhrase (folder.getChildFile ("dry-phrase.wav"));

        for (int program = 0; program < NewProjectAudioProcessor::numPrograms; ++program)
        {
            const auto pattern = measureEchoPattern (program, 2.0, 500);
            const auto file = folder.getChildFile ("echo-pattern-" + slugOf (pattern.programName) + ".png");
            juce::PNGImageFormat png;
            file.deleteFile();
            juce::FileOutputStream out (file);
            if (! out.openedOk() || ! png.writeImageToStream (drawEchoPattern (pattern, 1000, 260), out))
                throw FileError ("cannot write " + file.getFullPathName().toStdString());
        }
        return 0;
    }
    catch (const std::exception& error)
    {
        std::cerr << "vimbrel-demo: " << error.what() << "\n";
        return 1;
    }
}
