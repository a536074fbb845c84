#pragma once

#include <juce_graphics/juce_graphics.h>

#include <functional>

namespace artwork
{
// Every picture is drawn at this many times its pixel size and box-filtered down, which gives
// fine structures (knurling, scale ticks, phosphor rays) clean anti-aliased edges.
constexpr int supersampling = 4;

// The typefaces come from font files, never from whatever the system's default font resolves
// to, so that the artwork is the same on every machine that has the font package.
struct Fonts
{
    juce::Typeface::Ptr sans;
    juce::Typeface::Ptr sansBold;
    juce::Typeface::Ptr scriptSerif;

    // Returns an empty string on success, otherwise a message naming the missing file.
    juce::String load (const juce::File& fontFolder);

    // Legends are set in a slightly condensed bold sans, the way panel engravers did.
    juce::Font legend (float height, float tracking = 0.06f) const;
    juce::Font plain (float height) const;
    juce::Font script (float height) const;
};

// A width x height picture drawn `scale` times larger: `scale` times as many pixels each way, the
// same drawing at that size (the 2x set is drawn, never enlarged from the 1x set).
// Draws at `supersampling` times that size and returns the box-filtered picture. The callback
// draws in the coordinates of the 1x picture. An RGB picture is drawn over opaque black.
juce::Image render (int scale, int width, int height, bool withAlpha,
                    const std::function<void (juce::Graphics&)>& draw);

// Adds a little monochrome grain to an opaque picture (powder-coat / hammer finish).
void addGrain (juce::Image& image, juce::Rectangle<int> area, float amount, juce::int64 seed);

// The single light of the whole panel shines from the upper left. For a surface whose normal,
// projected onto the panel, points at `angle` (radians, clockwise from 12 o'clock), this is the
// cosine towards the light: +1 facing the upper left, -1 facing the lower right.
float towardsLight (float angle);

// Offset of every cast shadow: away from the light, down and to the right.
juce::Point<float> shadowOffset (float height);

// Chrome mirrors its surroundings: dark floor, bright sky, a sharp horizon in between.
juce::Colour chrome (float lit);

// Text placed by its visual centre: the centre of the capital height, not the font box.
void drawTextCentred (juce::Graphics& g, const juce::String& text, const juce::Font& font, juce::Point<float> centre);
juce::Rectangle<float> textBounds (const juce::String& text, const juce::Font& font, juce::Point<float> centre);
juce::Path textPath (const juce::String& text, const juce::Font& font, juce::Point<float> centre);
float capHeight (const juce::Font& font);

// A point at `radius` from `centre` in the direction `angle` (radians, clockwise from 12).
juce::Point<float> polar (juce::Point<float> centre, float radius, float angle);

float degrees (float value);

// A soft round shadow: opaque-ish in the middle, fading to nothing at `radius + softness`.
void fillSoftDisc (juce::Graphics& g, juce::Point<float> centre, float radius, float softness, juce::Colour colour);

// A soft-edged rounded-rectangle shadow built from stacked translucent layers.
void fillSoftRoundedRect (juce::Graphics& g, juce::Rectangle<float> area, float corner, float softness,
                          juce::Colour colour);
} // namespace artwork
