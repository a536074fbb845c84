#pragma once

#include "../model/PanelLayout.h"

#include <cmath>

// The size the user gives the window by dragging its corner, as a multiple of the panel's own
// 876 x 300: from 75 % to 200 %, the panel's proportions kept. It is kept in the user's settings
// file for the next window.
namespace windowsize
{
constexpr double smallest = 0.75;
constexpr double largest = 2.0;

// The settings file's key; versions that do not know it ignore it.
constexpr const char* settingsKey = "windowSize";

// A host's rounding can leave the window up to this many pixels larger than the size it was
// given; the panel then keeps its size rather than growing by a fraction of a pixel.
constexpr int roundingSlack = 3;

// A stored size made usable: anything that is not a positive number is 100 %, the rest is held
// within the limits.
inline double limited (double size)
{
    if (! (size > 0.0) || ! std::isfinite (size))
        return 1.0;

    return size < smallest ? smallest : (size > largest ? largest : size);
}

inline int widthFor (double size) { return (int) std::lround (panel::width * size); }
inline int heightFor (double size) { return (int) std::lround (panel::height * size); }
} // namespace windowsize
