#pragma once

#include "lookandfeel/EchoLookAndFeel.h"

#include <array>

// The panel's controls as the editor lays them out, on the panel picture: real sliders and
// buttons with the editor's names, bounds, ranges and styles, drawn by the plug-in's look and
// feel and set to one plausible playing state.
class ControlStandIn : public juce::Component
{
public:
    ControlStandIn();
    ~ControlStandIn() override;

    void paint (juce::Graphics&) override;

private:
    EchoLookAndFeel lookAndFeel;
    std::array<juce::Slider, 8> sliders;
    std::array<juce::TextButton, 11> buttons;
};
