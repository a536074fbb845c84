#pragma once

#include <juce_graphics/juce_graphics.h>

// The panel's own colours, as tools/panel-artwork paints them, for what the window draws itself.
namespace panelcolours
{
inline const juce::Colour wellFill (0xff151615); // the recessed wells around the knobs
inline const juce::Colour rim (0xff4a4d4b);      // an edge a shade lighter than the lacquer (0xff353836)
inline const juce::Colour ink (0xffe6dec4);      // the cream legends
inline const juce::Colour inkSoft (0xffc4bca4);  // the smaller legends
} // namespace panelcolours
