#pragma once

#include <juce_graphics/juce_graphics.h>

// Where the editor puts each control on the 876 x 300 panel. The background prints its legends,
// scales and recesses around these rectangles, and the preview composes the pictures into them.
namespace layout
{
constexpr int panelWidth = 876;
constexpr int panelHeight = 300;

inline const juce::Rectangle<int> inputKnob{ 88, 105, 91, 91 };
inline const juce::Rectangle<int> lengthKnob{ 191, 105, 91, 91 };
inline const juce::Rectangle<int> volumeKnob{ 295, 105, 91, 91 };
inline const juce::Rectangle<int> toneKnob{ 491, 105, 91, 91 };
inline const juce::Rectangle<int> selectionKnob{ 596, 105, 91, 91 };
inline const juce::Rectangle<int> headKnob{ 699, 105, 91, 91 };
inline const juce::Rectangle<int> magicEye{ 395, 105, 86, 86 };

inline const juce::Rectangle<int> bpmFader{ 325, 253, 190, 32 };

inline const juce::Rectangle<int> effectButton1{ 352, 39, 60, 42 };
inline const juce::Rectangle<int> effectButton2{ 410, 39, 56, 42 };
inline const juce::Rectangle<int> effectButton3{ 464, 39, 60, 42 };

inline const juce::Rectangle<int> classicKey{ 145, 263, 42, 22 };
inline const juce::Rectangle<int> hostKey{ 195, 263, 42, 22 };
inline const juce::Rectangle<int> manualKey{ 245, 263, 42, 22 };

inline const juce::Rectangle<int> beatKey58{ 654, 263, 31, 20 };
inline const juce::Rectangle<int> beatKey68{ 686, 263, 31, 20 };
inline const juce::Rectangle<int> beatKey78{ 718, 263, 31, 20 };
inline const juce::Rectangle<int> beatKey88{ 750, 263, 31, 20 };

// The logo button is an invisible hot-spot: what the user sees there is the printed logo.
inline const juce::Rectangle<int> logo{ 60, 48, 100, 45 };

// The editor prints its version in grey here, and the tempo readout (two labels of light and
// black text) sits in the second rectangle; both need a plain, quiet panel behind them.
inline const juce::Rectangle<int> versionText{ 5, 5, 50, 11 };
inline const juce::Rectangle<int> tempoReadout{ 550, 263, 120, 10 };

// The white pointer fin of the knob pictures reaches this far from the knob's centre; the
// printed scales start just outside it.
constexpr float knobPointerTipRadius = 36.0f;

// Knob pointers sweep 300 degrees clockwise, from 7 o'clock to 5 o'clock.
constexpr float knobSweepStartDegrees = -150.0f;
constexpr float knobSweepDegrees = 300.0f;

inline float knobAngleDegrees (int frame, int frameCount)
{
    return knobSweepStartDegrees + knobSweepDegrees * (float) frame / (float) (frameCount - 1);
}

// The three-way switch rests at 10, 12 and 2 o'clock.
inline float switchAngleDegrees (int position)
{
    return -60.0f + 60.0f * (float) position;
}

// The tempo fader (a horizontal JUCE slider without text box, range 0.2 to 1.0, shown times 200
// as BPM) centres its handle on the thumb position. LookAndFeel_V2 insets the thumb track by the
// thumb radius, min (7, height / 2, width / 2) + 2 = 9 pixels on each side, so the thumb runs
// over x + 9 .. x + width - 9.
constexpr float faderMinBpm = 40.0f;
constexpr float faderMaxBpm = 200.0f;
constexpr int faderThumbInset = 9;

inline float faderThumbX (float bpm)
{
    const float start = (float) (bpmFader.getX() + faderThumbInset);
    const float length = (float) (bpmFader.getWidth() - 2 * faderThumbInset);
    return start + length * (bpm - faderMinBpm) / (faderMaxBpm - faderMinBpm);
}

// The look and feel draws the 27 x 32 handle from x = trunc (thumb - 13.5) in the slider's own
// coordinates, clipped to the slider. At either end of the travel up to 4 pixels of the picture
// fall outside the slider, so the handle's visible body keeps clear of the outer 4 pixels.
constexpr int faderClippedMargin = 4;
} // namespace layout
