#pragma once

#include "WavFormat.h"

#include <juce_audio_formats/juce_audio_formats.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vimbrel::render
{
// Reads a mono or stereo WAV file of 16, 24 or 32-bit integer or 32-bit float samples, block by
// block. The framework decodes the samples; a walk over the chunks first gives every other file
// a one-line reason, and finds the audio data wherever the file keeps it.
class WavInput
{
public:
    explicit WavInput (const std::string& path); // throws FileError

    const WavFormat& format() const { return fmt; }
    std::int64_t numFrames() const { return frames; }

    // Reads up to numFrames frames into one array per channel, scaled to -1..1; gives the count.
    int read (std::vector<std::vector<double>>& channels, int numFrames);

private:
    std::unique_ptr<juce::AudioFormatReader> reader;
    WavFormat fmt;
    std::int64_t frames = 0, framesRead = 0;
    std::vector<std::vector<int>> samples;
};
} // namespace vimbrel::render
