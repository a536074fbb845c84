#include "WavOutput.h"

#include <algorithm>
#include <cmath>

namespace vimbrel::render
{
WavOutput::WavOutput (const std::string& outputPath, const WavFormat& format, std::int64_t numFrames)
    : path (outputPath),
      temporary (juce::File::getCurrentWorkingDirectory().getChildFile (juce::String::fromUTF8 (outputPath.c_str()))),
      fmt (format)
{
    const int frameBytes = fmt.channels * fmt.bitsPerSample / 8;
    const std::uint64_t dataBytes = (std::uint64_t) numFrames * (std::uint64_t) frameBytes;
    if (dataBytes > 0xffffffffull - 44)
        throw FileError ("the output would exceed the 4 GB a WAV file can hold");

    stream = std::make_unique<juce::FileOutputStream> (temporary.getFile());
    if (! stream->openedOk())
        throw FileError ("cannot write '" + path + "': the folder does not exist or is not writable");

    stream->write ("RIFF", 4);
    stream->writeInt ((int) (std::uint32_t) (36 + dataBytes));
    stream->write ("WAVEfmt ", 8);
    stream->writeInt (16);
    stream->writeShort (fmt.isFloat ? 3 : 1);
    stream->writeShort ((short) fmt.channels);
    stream->writeInt ((int) (std::uint32_t) fmt.sampleRate);
    stream->writeInt ((int) (std::uint32_t) (fmt.sampleRate * frameBytes));
    stream->writeShort ((short) frameBytes);
    stream->writeShort ((short) fmt.bitsPerSample);
    stream->write ("data", 4);
    stream->writeInt ((int) (std::uint32_t) dataBytes);
}

void WavOutput::write (const std::vector<std::vector<double>>& channels, int numFrames)
{
    // Full scale is 2^(bits-1); the top code is one step below +1.0.
    const double scale = std::ldexp (1.0, fmt.bitsPerSample - 1);

    for (int i = 0; i < numFrames; ++i)
        for (int c = 0; c < fmt.channels; ++c)
        {
            const double value = channels[(size_t) c][(size_t) i];
            if (fmt.isFloat)
            {
                stream->writeFloat ((float) value);
                continue;
            }

            const auto code = (std::int64_t) (
                std::isnan (value) ? 0.0 : std::clamp (std::round (value * scale), -scale, scale - 1.0));
            for (int b = 0; b < fmt.bitsPerSample / 8; ++b)
                stream->writeByte ((char) (code >> (8 * b)));
        }
}

void WavOutput::finish()
{
    stream->flush();
    const bool written = stream->getStatus().wasOk();
    stream.reset();
    if (! written)
        throw FileError ("cannot write '" + path + "': the disk may be full");

    if (! temporary.overwriteTargetFileWithTemporary())
        throw FileError ("cannot write '" + path + "': the finished file could not replace it");
}
} // namespace vimbrel::render
