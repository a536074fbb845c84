#pragma once

#include <cstdint>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace vimbrel::render
{
// Something wrong with a file: its message is a whole sentence for the user.
struct FileError : std::runtime_error
{
    using std::runtime_error::runtime_error;
};

// The sample formats the renderer reads and writes.
struct WavFormat
{
    int channels = 2;
    double sampleRate = 48000.0;
    int bitsPerSample = 16;
    bool isFloat = false;
};

// Reads the samples of a PCM (16, 24 or 32-bit integer) or 32-bit float WAV file, block by block.
class WavReader
{
public:
    explicit WavReader (const std::string& path); // throws FileError

    const WavFormat& format() const { return fmt; }
    std::int64_t numFrames() const { return frames; }

    // Reads up to numFrames frames into one array per channel, scaled to -1..1; gives the count.
    int read (std::vector<std::vector<double>>& channels, int numFrames);

private:
    std::ifstream stream;
    WavFormat fmt;
    std::int64_t frames = 0, framesRead = 0;
    std::vector<unsigned char> bytes;
};

// Writes a WAV file of a known length under a temporary name, and gives it its real name only
// when it is complete: a failed render leaves no partial file behind.
class WavWriter
{
public:
    WavWriter (const std::string& path, const WavFormat& format, std::int64_t numFrames); // throws FileError
    ~WavWriter();

    void write (const std::vector<std::vector<double>>& channels, int numFrames);
    void finish(); // throws FileError

private:
    std::string finalPath, temporaryPath;
    std::ofstream stream;
    WavFormat fmt;
    bool finished = false;
    std::vector<unsigned char> bytes;
};
} // namespace vimbrel::render
