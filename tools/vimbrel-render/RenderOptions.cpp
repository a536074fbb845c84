#include "RenderOptions.h"

#include <cmath>
#include <cstdlib>

namespace vimbrel::render
{
const char* const renderUsage =
    "usage: vimbrel-render [options] INPUT.wav OUTPUT.wav\n"
    "       vimbrel-render --list\n"
    "Renders a mono or stereo WAV file (16, 24 or 32-bit integer, or 32-bit float) through FHA_Vimbrel2.\n"
    "  --program NAME|INDEX  start from a factory program (Standard, \"Stereo delay\", \"Mono Swell\",\n"
    "                        \"Stereo Swell\", Doubling, Guitar, or 0 to 5)\n"
    "  --set NAME=VALUE      set a parameter by its name (\"Lenght\", \"tone\", \"Delay Selection\", ...),\n"
    "                        the word on the panel (\"Length\", \"Heads\", \"Mode\", ...), in any case,\n"
    "                        or slot index (0 to 21) to a value from 0 to 1, as a host would; repeatable\n"
    "  --bpm BPM             the host tempo the head spacing follows (default 120)\n"
    "  --tail SECONDS        render this much silence after the input, for the last echoes (default:\n"
    "                        until the output has stayed below -96 dBFS for half a second, 30 s at most;\n"
    "                        0 ends the output with the input)\n"
    "  --block SAMPLES       block size handed to the plug-in (default 512)\n"
    "  --float               write 32-bit float instead of the input's format\n"
    "  --quiet               show no progress (it shows only on a terminal anyway)\n"
    "  --list                list the parameters (slot, panel word, host name, default) and the programs\n"
    "  --help                show this text\n"
    "  --version             show the version\n";

namespace
{
double parseNumber (const std::string& text, const std::string& what)
{
    char* end = nullptr;
    const double value = std::strtod (text.c_str(), &end);
    if (text.empty() || end != text.c_str() + text.size() || ! std::isfinite (value))
        throw UsageError (what + " must be a number, not '" + text + "'");
    return value;
}
} // namespace

int indexIn (const std::string& text, int count)
{
    if (text.empty() || text.size() > 3 || text.find_first_not_of ("0123456789") != std::string::npos)
        return -1;
    const int index = std::stoi (text);
    return index < count ? index : -1;
}

RenderOptions parseRenderOptions (const std::vector<std::string>& arguments)
{
    RenderOptions options;
    std::vector<std::string> paths;

    for (size_t i = 0; i < arguments.size(); ++i)
    {
        const std::string& argument = arguments[i];
        auto valueOf = [&]() -> const std::string&
        {
            if (i + 1 >= arguments.size())
                throw UsageError (argument + " needs a value");
            return arguments[++i];
        };

        if (argument == "--help" || argument == "-h")
            options.showHelp = true;
        else if (argument == "--version")
            options.showVersion = true;
        else if (argument == "--program")
            options.program = valueOf();
        else if (argument == "--set")
        {
            const std::string& setting = valueOf();
            const auto equals = setting.rfind ('=');
            if (equals == std::string::npos || equals == 0)
                throw UsageError ("--set takes NAME=VALUE, not '" + setting + "'");
            const auto name = setting.substr (0, equals), text = setting.substr (equals + 1);
            const double value = parseNumber (text, "the value of " + name);
            if (value < 0.0 || value > 1.0)
                throw UsageError ("the value of " + name + " must be from 0 to 1, as a host sends it, not " + text);
            options.settings.push_back ({ name, (float) value });
        }
        else if (argument == "--bpm")
        {
            options.hostTempo = parseNumber (valueOf(), "--bpm");
            if (options.hostTempo <= 0.0)
                throw UsageError ("--bpm must be above 0");
        }
        else if (argument == "--tail")
        {
            options.tailSeconds = parseNumber (valueOf(), "--tail");
            if (*options.tailSeconds < 0.0 || *options.tailSeconds > 3600.0)
                throw UsageError ("--tail must be from 0 to 3600 seconds");
        }
        else if (argument == "--block")
        {
            const double block = parseNumber (valueOf(), "--block");
            if (block < 1.0 || block > 65536.0 || block != std::floor (block))
                throw UsageError ("--block must be a whole number from 1 to 65536");
            options.blockSize = (int) block;
        }
        else if (argument == "--float")
            options.floatOutput = true;
        else if (argument == "--quiet")
            options.quiet = true;
        else if (argument == "--list")
            options.showList = true;
        else if (argument.size() > 1 && argument[0] == '-')
            throw UsageError ("unknown option '" + argument + "'");
        else
            paths.push_back (argument);
    }

    if (options.showHelp || options.showVersion || options.showList)
        return options;

    if (paths.size() != 2)
        throw UsageError ("give one input and one output file");

    options.inputPath = paths[0];
    options.outputPath = paths[1];
    return options;
}
} // namespace vimbrel::render
