#include "WavOutput.h"

#include <algorithm>
#include <cmath>

namespace vimbrel::render
{
namespace
{
int frameBytesOf (const WavFormat& format) { return format.channels * format.bitsPerSample / 8; }

// What the RIFF size counts besides the samples: the header after the RIFF size field.
std::uint32_t headerBytesAfterRiffSize (const WavFormat& format) { return format.isFloat ? 50 : 36; }
} // namespace

WavOutput::WavOutput (const std::string& outputPath, const WavFormat& format, std::int64_t maxFrames)
    : path (outputPath),
      temporary (juce::File::getCurrentWorkingDirectory().getChildFile (juce::String::fromUTF8 (outputPath.c_str()))),
      fmt (format)
{
    const std::uint64_t dataBytes = (std::uint64_t) maxFrames * (std::uint64_t) frameBytesOf (fmt);
    if (dataBytes > 0xffffffffull - headerBytesAfterRiffSize (fmt) - 8)
        throw FileError ("the output would exceed the 4 GB a WAV file can hold");

    stream = std::make_unique<juce::FileOutputStream> (temporary.getFile());
    if (! stream->openedOk())
        throw FileError ("cannot write '" + path + "': the folder does not exist or is not writable");

    writeHeader();
}

// The header for the frames written so far: written first with none, then again at the end.
void WavOutput::writeHeader()
{
    const int frameBytes = frameBytesOf (fmt);
    const auto dataBytes = (std::uint32_t) (framesWritten * frameBytes);

    stream->setPosition (0);
    stream->write ("RIFF", 4);
    stream->writeInt ((int) (headerBytesAfterRiffSize (fmt) + dataBytes));
    stream->write ("WAVEfmt ", 8);
    stream->writeInt (fmt.isFloat ? 18 : 16);
    stream->writeShort (fmt.isFloat ? 3 : 1);
    stream->writeShort ((short) fmt.channels);
    stream->writeInt ((int) (std::uint32_t) fmt.sampleRate);
    stream->writeInt ((int) (std::uint32_t) (fmt.sampleRate * frameBytes));
    stream->writeShort ((short) frameBytes);
    stream->writeShort ((short) fmt.bitsPerSample);
    if (fmt.isFloat)
    {
        stream->writeShort (0); // no format extension
        stream->write ("fact", 4);
        stream->writeInt (4);
        stream->writeInt ((int) (std::uint32_t) framesWritten);
    }
    stream->write ("data", 4);
    stream->writeInt ((int) dataBytes);
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

    framesWritten += numFrames;
}

void WavOutput::finish()
{
    writeHeader();
    stream->flush();
    const bool written = stream->getStatus().wasOk();
    stream.reset();
    if (! written)
        throw FileError ("cannot write '" + path + "': the disk may be full");

    if (! temporary.overwriteTargetFileWithTemporary())
        throw FileError ("cannot write '" + path + "': the finished file could not replace it");
}
} // namespace vimbrel::render
