#pragma once

// How long the plug-in keeps sounding once its input falls silent, worked out from the settings
// the echo reads: for ever while anything feeds the echo back onto the drum, otherwise until
// the longest head has played back what the drum holds and the filters have rung out.
namespace EchoTail
{
struct Settings
{
    float selection;      // repeat mode
    float length;         // repeat gain
    float delaySelection; // head selector
    float headSpacing;    // seconds per beat fraction; the heads sit at 1 to 4 tenths of it
    int stages;           // delay stages per head
    double sampleRate;
};

// What the filters and the drum's drift add after the longest head (see EchoTail.cpp).
inline constexpr double ringOutSeconds = 0.5;

// The tail in seconds, or infinity. Reads nothing but its argument, so any thread may ask.
double seconds (const Settings& settings) noexcept;
} // namespace EchoTail
