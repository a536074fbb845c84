#pragma once

#include "ArtworkCommon.h"

namespace artwork
{
// A knurled chrome knob on a transparent ground, 91 x 91, its white pointer fin at
// `pointerDegrees` (clockwise from 12 o'clock).
juce::Image drawKnob (int scale, float pointerDegrees);

// The magic-eye lamp, 86 x 86: `frame` 0 is dark, `frameCount - 1` fully lit with the shadow
// wedge closed.
juce::Image drawMagicEye (int scale, int frame, int frameCount);

// The tempo fader's handle, 27 x 32, seen from the front.
juce::Image drawFaderHandle (int scale);

enum class EffectButtonLook
{
    off,      // pale milk-glass face, lamp out
    offHover, // the same, a little brighter
    on,       // dark face, numeral lit from behind
    onHover   // dark face, brighter glow
};

// The three lit push-buttons sit side by side in one well; `face` is the key's face inside
// the picture, so that the three faces line up with even gaps on the panel.
juce::Image drawEffectButton (int scale, const Fonts& fonts, int width, int height, juce::Rectangle<float> face,
                              const juce::String& numeral, EffectButtonLook look);

enum class KeyLook
{
    darkLit,    // dark face, legend glowing
    cream,      // cream face, dark legend
    creamHover, // cream face, brighter
    disabled    // dimmed dark face, faint legend
};

// A small key with a printed legend. The picture is `width` pixels wide; the key is drawn as if
// it were `drawnWidth` wide and stretched to `width`, so that a picture the editor squeezes into a
// narrower button shows an undistorted key and legend there.
juce::Image drawKey (int scale, const Fonts& fonts, int width, int height, float drawnWidth, const juce::String& legend,
                     float legendHeight, KeyLook look);
} // namespace artwork
