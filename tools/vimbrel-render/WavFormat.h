#pragma once

#include <stdexcept>

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
} // namespace vimbrel::render
