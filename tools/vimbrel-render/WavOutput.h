#pragma once

#include "WavFormat.h"

#include <juce_core/juce_core.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vimbrel::render
{
// Writes a plain WAV file of a known length (a 44-byte header, then the samples) under a
// temporary name, and gives it its real name only when it is complete: a failed render leaves
// no partial file behind. The framework's WAV writer pads its header and writes 32-bit
// samples only as floats, so the renderer keeps its own.
class WavOutput
{
public:
    WavOutput (const std::string& path, const WavFormat& format, std::int64_t numFrames); // throws FileError

    void write (const std::vector<std::vector<double>>& channels, int numFrames);
    void finish(); // throws FileError

private:
    std::string path;
    juce::TemporaryFile temporary;
    std::unique_ptr<juce::FileOutputStream> stream;
    WavFormat fmt;
};
} // namespace vimbrel::render
