#include "WavInput.h"

#include <cstring>
#include <filesystem>

namespace vimbrel::render
{
namespace
{
constexpr int pcmFormat = 1, floatFormat = 3, extensibleFormat = 0xfffe;

bool isChunk (const char* header, const char* name) { return std::memcmp (header, name, 4) == 0; }

struct AudioData
{
    std::int64_t frames, end;
};

// The format and the audio data of a WAV file, from its first fmt and data chunks, in any order
// among other chunks (the RIFF size is not trusted).
AudioData readLayout (juce::InputStream& in, const std::string& path, WavFormat& fmt)
{
    const std::string notWav = "'" + path + "' is not a WAV file";

    char header[12];
    if (in.read (header, 12) != 12 || ! isChunk (header, "RIFF") || ! isChunk (header + 8, "WAVE"))
        throw FileError (notWav);

    bool haveFormat = false;
    int formatTag = 0;

    for (;;)
    {
        char chunk[8];
        if (in.read (chunk, 8) != 8)
            throw FileError (haveFormat ? "'" + path + "' has no audio data" : notWav + " (no format chunk)");

        const auto size = (std::uint32_t) juce::ByteOrder::littleEndianInt (chunk + 4);

        if (isChunk (chunk, "fmt "))
        {
            if (size < 16 || size > 1024)
                throw FileError (notWav + " (damaged format chunk)");

            char f[1024];
            if (in.read (f, (int) size) != (int) size)
                throw FileError (notWav + " (damaged format chunk)");

            formatTag = juce::ByteOrder::littleEndianShort (f);
            fmt.channels = juce::ByteOrder::littleEndianShort (f + 2);
            fmt.sampleRate = (double) juce::ByteOrder::littleEndianInt (f + 4);
            fmt.bitsPerSample = juce::ByteOrder::littleEndianShort (f + 14);

            if (formatTag == extensibleFormat && size >= 26)
                formatTag = juce::ByteOrder::littleEndianShort (f + 24); // the sub-format's first two bytes

            haveFormat = true;
        }
        else if (isChunk (chunk, "data"))
        {
            if (! haveFormat)
                throw FileError (notWav + " (audio data before the format chunk)");

            const std::string unsupported = "'" + path + "' is unsupported: ";
            fmt.isFloat = formatTag == floatFormat;

            if (formatTag != pcmFormat && formatTag != floatFormat)
                throw FileError (unsupported + "compressed WAV (format " + std::to_string (formatTag) + ")");
            if (fmt.channels != 1 && fmt.channels != 2)
                throw FileError (unsupported + std::to_string (fmt.channels) + " channels (mono or stereo only)");
            if (fmt.isFloat ? fmt.bitsPerSample != 32
                            : (fmt.bitsPerSample != 16 && fmt.bitsPerSample != 24 && fmt.bitsPerSample != 32))
                throw FileError (unsupported + std::to_string (fmt.bitsPerSample) + "-bit " +
                                 (fmt.isFloat ? "float" : "integer") + " samples");
            if (! (fmt.sampleRate >= 1.0))
                throw FileError (unsupported + "a sample rate of 0");
            if (in.getPosition() + size > in.getTotalLength())
                throw FileError ("'" + path + "' is truncated: its audio data ends early");

            return { size / (std::uint32_t) (fmt.channels * fmt.bitsPerSample / 8), in.getPosition() + size };
        }
        else
        {
            in.setPosition (in.getPosition() + size + (size & 1));
        }
    }
}
} // namespace

WavInput::WavInput (const std::string& path)
{
    std::error_code error;
    if (! std::filesystem::is_regular_file (path, error))
        throw FileError ("cannot read '" + path + "': no such file");

    auto stream = std::make_unique<juce::FileInputStream> (
        juce::File::getCurrentWorkingDirectory().getChildFile (juce::String::fromUTF8 (path.c_str())));
    if (! stream->openedOk())
        throw FileError ("cannot read '" + path + "': permission denied or unreadable");

    const auto data = readLayout (*stream, path, fmt);
    frames = data.frames;

    // The framework reads the file up to the end of that data chunk only: what follows it is
    // never looked at, as before. It trusts the RIFF size, so a file whose RIFF size hides the
    // data shows here.
    reader.reset (
        juce::WavAudioFormat().createReaderFor (new juce::SubregionStream (stream.release(), 0, data.end, true), true));
    if (reader == nullptr || reader->lengthInSamples != frames || (int) reader->numChannels != fmt.channels ||
        (int) reader->bitsPerSample != fmt.bitsPerSample || reader->usesFloatingPointData != fmt.isFloat)
        throw FileError ("'" + path + "' is damaged: its chunks do not agree on where the audio is");
}

int WavInput::read (std::vector<std::vector<double>>& channels, int numFrames)
{
    const int count = (int) std::min<std::int64_t> (numFrames, frames - framesRead);
    samples.resize ((size_t) fmt.channels);
    std::vector<int*> pointers;
    for (auto& channel : samples)
    {
        channel.resize ((size_t) std::max (count, 1));
        pointers.push_back (channel.data());
    }

    // Integers come left-aligned in 32 bits, floats as their bits.
    reader->read (pointers.data(), fmt.channels, framesRead, count, false);

    for (int c = 0; c < fmt.channels; ++c)
        for (int i = 0; i < count; ++i)
        {
            const int raw = samples[(size_t) c][(size_t) i];
            float f;
            std::memcpy (&f, &raw, 4);
            channels[(size_t) c][(size_t) i] = fmt.isFloat ? (double) f : (double) raw / 2147483648.0;
        }

    framesRead += count;
    return count;
}
} // namespace vimbrel::render
