#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace vimbrel::render
{
// A mistake on the command line: its message is a whole sentence for the user.
struct UsageError : std::runtime_error
{
    using std::runtime_error::runtime_error;
};

struct SlotSetting
{
    std::string name; // a parameter name or a slot index, as given
    float value;
};

struct RenderOptions
{
    std::string inputPath, outputPath;
    std::optional<std::string> program; // a program name or index
    std::vector<SlotSetting> settings;  // in the order given
    double hostTempo = 120.0;
    double tailSeconds = 0.0;
    int blockSize = 512;
    bool floatOutput = false;
    bool showHelp = false;
};

RenderOptions parseRenderOptions (const std::vector<std::string>& arguments); // throws UsageError

extern const char* const renderUsage;
} // namespace vimbrel::render
