#pragma once

#include "WavFormat.h"

#include <juce_core/juce_core.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vimbrel::render
{
// Writes a plain WAV file under a temporary name, and gives it its real name only when it is
// complete: a failed render leaves no partial file behind. Integer samples follow a 44-byte
// header; float samples a header with the parts the float format requires (the format's
// extension size and a fact chunk with the length), 58 bytes. The lengths in the header are
// written when the file is finished. The framework's WAV writer pads its header and writes
// 32-bit samples only as floats, so the renderer keeps its own.
class WavOutput
{
public:
    // Refuses up front a file that could grow past what a WAV file can hold.
    WavOutput (const std::string& path, const WavFormat& format, std::int64_t maxFrames); // throws FileError

    void write (const std::vector<std::vector<double>>& channels, int numFrames);
    void finish(); // throws FileError

private:
    void writeHeader();

    std::string path;
    juce::TemporaryFile temporary;
    std::unique_ptr<juce::FileOutputStream> stream;
    WavFormat fmt;
    std::int64_t framesWritten = 0;
};
} // namespace vimbrel::render
