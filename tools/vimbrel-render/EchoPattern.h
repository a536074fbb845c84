#pragma once

#include <juce_graphics/juce_graphics.h>

#include <vector>

namespace vimbrel::render
{
// The loudness over time of a program's answer to one click, per channel, in dB.
struct EchoPattern
{
    juce::String programName;
    double secondsPerColumn = 0.0;
    std::vector<float> left, right; // peak level per column, dB
};

// Plays a click through a fresh processor set to the program (48 kHz, 120 BPM, after the drum
// has settled) and follows the echoes for the given time.
EchoPattern measureEchoPattern (int program, double seconds, int columns);

// Draws the pattern: time across, level up, both channels, with the time marks labelled.
juce::Image drawEchoPattern (const EchoPattern& pattern, int width, int height);
} // namespace vimbrel::render
