#include "EchoPattern.h"
#include "HostPreparation.h"

#include "processor/EchoPluginProcessor.h"

#include <cmath>

namespace vimbrel::render
{
namespace
{
constexpr double rate = 48000.0;
constexpr float floorDb = -72.0f;
} // namespace

EchoPattern measureEchoPattern (int program, double seconds, int columns)
{
    auto processor = std::make_unique<NewProjectAudioProcessor>();
    processor->setCurrentProgram (program);
    hostsim::prepareLikeHost (*processor, rate, 2);

    juce::MidiBuffer midi;
    juce::AudioBuffer<float> settle (2, (int) rate);
    settle.clear();
    processor->processBlock (settle, midi);

    juce::AudioBuffer<float> response (2, (int) (rate * seconds));
    response.clear();
    response.setSample (0, 0, 0.5f);
    response.setSample (1, 0, 0.5f);
    hostsim::processInBlocks (*processor, response, 512);

    EchoPattern pattern;
    pattern.programName = processor->getProgramName (program);
    pattern.secondsPerColumn = seconds / columns;
    const int perColumn = response.getNumSamples() / columns;

    for (int column = 0; column < columns; ++column)
    {
        auto db = [&] (int channel)
        {
            const float peak = response.getMagnitude (channel, column * perColumn, perColumn);
            return std::max (floorDb, juce::Decibels::gainToDecibels (peak, floorDb));
        };
        pattern.left.push_back (db (0));
        pattern.right.push_back (db (1));
    }

    return pattern;
}

juce::Image drawEchoPattern (const EchoPattern& pattern, int width, int height)
{
    juce::Image image (juce::Image::RGB, width, height, true);
    juce::Graphics g (image);
    g.fillAll (juce::Colour (0xff14171c));

    const juce::Rectangle<float> plot (50.0f, 34.0f, (float) width - 66.0f, (float) height - 62.0f);
    const auto columns = (int) pattern.left.size();
    auto xOf = [&] (double column) { return plot.getX() + (float) (column / columns) * plot.getWidth(); };
    auto yOf = [&] (float db) { return plot.getBottom() - (db - floorDb) / -floorDb * plot.getHeight(); };

    g.setFont (13.0f);
    for (float db = 0.0f; db >= floorDb; db -= 12.0f)
    {
        g.setColour (juce::Colour (0xff2a2f38));
        g.drawHorizontalLine ((int) yOf (db), plot.getX(), plot.getRight());
        g.setColour (juce::Colour (0xff8a93a3));
        g.drawText (juce::String ((int) db) + " dB", 0, (int) yOf (db) - 7, 46, 14, juce::Justification::centredRight);
    }

    const double seconds = pattern.secondsPerColumn * columns;
    for (double t = 0.0; t <= seconds + 1e-9; t += 0.25)
    {
        const float x = xOf (t / pattern.secondsPerColumn);
        g.setColour (juce::Colour (0xff2a2f38));
        g.drawVerticalLine ((int) x, plot.getY(), plot.getBottom());
        g.setColour (juce::Colour (0xff8a93a3));
        g.drawText (juce::String (t, 2) + " s", (int) x - 30, (int) plot.getBottom() + 4, 60, 16,
                    juce::Justification::centred);
    }

    auto trace = [&] (const std::vector<float>& levels, juce::Colour colour)
    {
        juce::Path fill;
        fill.startNewSubPath (plot.getX(), plot.getBottom());
        for (int column = 0; column < columns; ++column)
            fill.lineTo (xOf (column + 0.5), yOf (levels[(size_t) column]));
        fill.lineTo (plot.getRight(), plot.getBottom());
        fill.closeSubPath();
        g.setColour (colour.withAlpha (0.45f));
        g.fillPath (fill);
    };
    trace (pattern.left, juce::Colour (0xffe0a040));
    trace (pattern.right, juce::Colour (0xff40a8e0));

    g.setColour (juce::Colours::white);
    g.setFont (16.0f);
    g.drawText ("Echo pattern: " + pattern.programName + " (a click at 120 BPM, 48 kHz)", 12, 6, width - 24, 22,
                juce::Justification::centredLeft);
    g.setFont (13.0f);
    g.setColour (juce::Colour (0xffe0a040));
    g.drawText ("left", width - 110, 8, 40, 18, juce::Justification::centredRight);
    g.setColour (juce::Colour (0xff40a8e0));
    g.drawText ("right", width - 60, 8, 44, 18, juce::Justification::centredRight);

    return image;
}
} // namespace vimbrel::render
