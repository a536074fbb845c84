#include "WavFile.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>

namespace vimbrel::render
{
namespace
{
std::uint32_t readLittle (const unsigned char* p, int numBytes)
{
    std::uint32_t value = 0;
    for (int i = numBytes - 1; i >= 0; --i)
        value = (value << 8) | p[i];
    return value;
}

void writeLittle (std::vector<unsigned char>& out, std::uint32_t value, int numBytes)
{
    for (int i = 0; i < numBytes; ++i)
        out.push_back ((unsigned char) (value >> (8 * i)));
}

constexpr std::uint16_t pcmFormat = 1, floatFormat = 3, extensibleFormat = 0xfffe;
} // namespace

WavReader::WavReader (const std::string& path)
{
    std::error_code error;
    if (! std::filesystem::is_regular_file (path, error))
        throw FileError ("cannot read '" + path + "': no such file");

    stream.open (path, std::ios::binary);
    if (! stream)
        throw FileError ("cannot read '" + path + "': permission denied or unreadable");

    const auto fileSize = (std::uint64_t) std::filesystem::file_size (path, error);
    const std::string notWav = "'" + path + "' is not a WAV file";

    unsigned char header[12];
    if (! stream.read ((char*) header, 12) || std::memcmp (header, "RIFF", 4) != 0 ||
        std::memcmp (header + 8, "WAVE", 4) != 0)
        throw FileError (notWav);

    bool haveFormat = false;
    int formatTag = 0;

    for (;;)
    {
        unsigned char chunk[8];
        if (! stream.read ((char*) chunk, 8))
            throw FileError (haveFormat ? "'" + path + "' has no audio data" : notWav + " (no format chunk)");

        const std::uint32_t size = readLittle (chunk + 4, 4);
        const auto start = (std::uint64_t) stream.tellg();

        if (std::memcmp (chunk, "fmt ", 4) == 0)
        {
            if (size < 16 || size > 1024)
                throw FileError (notWav + " (damaged format chunk)");

            std::vector<unsigned char> f (size);
            if (! stream.read ((char*) f.data(), size))
                throw FileError (notWav + " (damaged format chunk)");

            formatTag = (int) readLittle (f.data(), 2);
            fmt.channels = (int) readLittle (f.data() + 2, 2);
            fmt.sampleRate = (double) readLittle (f.data() + 4, 4);
            fmt.bitsPerSample = (int) readLittle (f.data() + 14, 2);

            if (formatTag == extensibleFormat && size >= 26)
                formatTag = (int) readLittle (f.data() + 24, 2); // the sub-format's first two bytes

            haveFormat = true;
        }
        else if (std::memcmp (chunk, "data", 4) == 0)
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

            const int frameBytes = fmt.channels * fmt.bitsPerSample / 8;
            if (start + size > fileSize)
                throw FileError ("'" + path + "' is truncated: its audio data ends early");

            frames = size / (std::uint32_t) frameBytes;
            return;
        }
        else
        {
            stream.seekg ((std::streamoff) (size + (size & 1)), std::ios::cur);
        }
    }
}

int WavReader::read (std::vector<std::vector<double>>& channels, int numFrames)
{
    const int count = (int) std::min<std::int64_t> (numFrames, frames - framesRead);
    const int sampleBytes = fmt.bitsPerSample / 8;
    bytes.resize ((size_t) (count * fmt.channels * sampleBytes));

    if (count > 0 && ! stream.read ((char*) bytes.data(), (std::streamsize) bytes.size()))
        throw FileError ("the input file could not be read to its end");

    const unsigned char* p = bytes.data();
    for (int i = 0; i < count; ++i)
        for (int c = 0; c < fmt.channels; ++c, p += sampleBytes)
        {
            double value;
            if (fmt.isFloat)
            {
                float f;
                const std::uint32_t raw = readLittle (p, 4);
                std::memcpy (&f, &raw, 4);
                value = f;
            }
            else
            {
                const int shift = 32 - fmt.bitsPerSample;
                const auto raw = (std::int32_t) (readLittle (p, sampleBytes) << shift);
                value = (double) raw / 2147483648.0;
            }
            channels[(size_t) c][(size_t) i] = value;
        }

    framesRead += count;
    return count;
}

WavWriter::WavWriter (const std::string& path, const WavFormat& format, std::int64_t numFrames)
    : finalPath (path), fmt (format)
{
    const std::uint64_t dataBytes = (std::uint64_t) numFrames * (std::uint64_t) (fmt.channels * fmt.bitsPerSample / 8);
    if (dataBytes > 0xffffffffull - 44)
        throw FileError ("the output would exceed the 4 GB a WAV file can hold");

    std::random_device random;
    temporaryPath = path + ".partial-" + std::to_string (random());
    stream.open (temporaryPath, std::ios::binary | std::ios::trunc);
    if (! stream)
        throw FileError ("cannot write '" + path + "': the folder does not exist or is not writable");

    std::vector<unsigned char> h;
    const int frameBytes = fmt.channels * fmt.bitsPerSample / 8;
    h.insert (h.end(), { 'R', 'I', 'F', 'F' });
    writeLittle (h, (std::uint32_t) (36 + dataBytes), 4);
    h.insert (h.end(), { 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ' });
    writeLittle (h, 16, 4);
    writeLittle (h, fmt.isFloat ? floatFormat : pcmFormat, 2);
    writeLittle (h, (std::uint32_t) fmt.channels, 2);
    writeLittle (h, (std::uint32_t) fmt.sampleRate, 4);
    writeLittle (h, (std::uint32_t) (fmt.sampleRate * frameBytes), 4);
    writeLittle (h, (std::uint32_t) frameBytes, 2);
    writeLittle (h, (std::uint32_t) fmt.bitsPerSample, 2);
    h.insert (h.end(), { 'd', 'a', 't', 'a' });
    writeLittle (h, (std::uint32_t) dataBytes, 4);
    stream.write ((const char*) h.data(), (std::streamsize) h.size());
}

WavWriter::~WavWriter()
{
    if (! finished)
    {
        stream.close();
        std::remove (temporaryPath.c_str());
    }
}

void WavWriter::write (const std::vector<std::vector<double>>& channels, int numFrames)
{
    bytes.clear();
    const int sampleBytes = fmt.bitsPerSample / 8;

    for (int i = 0; i < numFrames; ++i)
        for (int c = 0; c < fmt.channels; ++c)
        {
            const double value = channels[(size_t) c][(size_t) i];
            if (fmt.isFloat)
            {
                const float f = (float) value;
                std::uint32_t raw;
                std::memcpy (&raw, &f, 4);
                writeLittle (bytes, raw, 4);
            }
            else
            {
                // Full scale is 2^(bits-1); the top code is one step below +1.0.
                const double scale = std::ldexp (1.0, fmt.bitsPerSample - 1);
                const double clipped =
                    std::isnan (value) ? 0.0 : std::clamp (std::round (value * scale), -scale, scale - 1.0);
                writeLittle (bytes, (std::uint32_t) (std::int64_t) clipped, sampleBytes);
            }
        }

    stream.write ((const char*) bytes.data(), (std::streamsize) bytes.size());
}

void WavWriter::finish()
{
    stream.close();
    if (! stream)
        throw FileError ("cannot write '" + finalPath + "': the disk may be full");

    std::error_code error;
    std::filesystem::rename (temporaryPath, finalPath, error);
    if (error)
        throw FileError ("cannot write '" + finalPath + "': " + error.message());

    finished = true;
}
} // namespace vimbrel::render
