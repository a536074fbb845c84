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
    std::optional<double> tailSeconds; // none: until the echoes have died away
    int blockSize = 512;
    bool floatOutput = false;
    bool quiet = false; // no progress, even on a terminal
    bool showHelp = false;
    bool showVersion = false;
    bool showList = false;
};

RenderOptions parseRenderOptions (const std::vector<std::string>& arguments); // throws UsageError

// A whole number from 0 to count - 1 as the command line writes an index, or -1.
int indexIn (const std::string& text, int count);

extern const char* const renderUsage;
} // namespace vimbrel::render
