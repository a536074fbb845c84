#pragma once

#include "model/PanelLayout.h"

// How the pictures of the controls move: where a knob's pointer points at each frame, and where
// the fader's handle lands for a tempo. The printed scales follow the same geometry.
namespace artwork
{
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
inline float switchAngleDegrees (int position) { return -60.0f + 60.0f * (float) position; }

// The tempo fader (a horizontal JUCE slider without text box, its value the tempo divided by
// 200) centres its handle on the thumb position. LookAndFeel_V2 insets the thumb track by the
// thumb radius, min (7, height / 2, width / 2) + 2 = 9 pixels on each side, so the thumb runs
// over x + 9 .. x + width - 9.
inline const float faderMinBpm = (float) (panel::bpmSlider.range.minimum * 200.0);
inline const float faderMaxBpm = (float) (panel::bpmSlider.range.maximum * 200.0);
constexpr int faderThumbInset = 9;

inline float faderThumbX (float bpm)
{
    const float start = (float) (panel::bpmSlider.bounds.getX() + faderThumbInset);
    const float length = (float) (panel::bpmSlider.bounds.getWidth() - 2 * faderThumbInset);
    return start + length * (bpm - faderMinBpm) / (faderMaxBpm - faderMinBpm);
}

// The look and feel draws the 27 x 32 handle from x = trunc (thumb - 13.5) in the slider's own
// coordinates, clipped to the slider. At either end of the travel up to 4 pixels of the picture
// fall outside the slider, so the handle's visible body keeps clear of the outer 4 pixels.
constexpr int faderClippedMargin = 4;
} // namespace artwork
