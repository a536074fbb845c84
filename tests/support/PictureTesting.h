#pragma once

#include <gtest/gtest.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include <vector>

// Helpers for tests that check what a control draws against the embedded pictures.
namespace vimbrel::test
{
// An embedded picture, decoded, named by its symbol: PICTURE (knob, knobsfinal0097).
#define PICTURE(group, name) juce::ImageCache::getFromMemory (group::name##_png, group::name##_pngSize)

// The control as it paints itself, on a transparent image of its own size.
inline juce::Image snapshot (juce::Component& component)
{
    return component.createComponentSnapshot (component.getLocalBounds(), false);
}

// The pictures drawn one over the other, each stretched whole over a transparent w x h image.
inline juce::Image layered (int width, int height, const std::vector<juce::Image>& layers)
{
    juce::Image image (juce::Image::ARGB, width, height, true);
    juce::Graphics g (image);

    for (const auto& layer : layers)
        g.drawImage (layer, 0, 0, width, height, 0, 0, layer.getWidth(), layer.getHeight());

    return image;
}

inline bool hasInk (const juce::Image& image)
{
    for (int y = 0; y < image.getHeight(); ++y)
        for (int x = 0; x < image.getWidth(); ++x)
            if (image.getPixelAt (x, y).getAlpha() != 0)
                return true;

    return false;
}

// Pixel-for-pixel equality, naming the first pixel that differs.
inline ::testing::AssertionResult samePixels (const juce::Image& actual, const juce::Image& expected)
{
    if (actual.getBounds() != expected.getBounds())
        return ::testing::AssertionFailure()
               << "size " << actual.getBounds().toString() << " instead of " << expected.getBounds().toString();

    for (int y = 0; y < expected.getHeight(); ++y)
        for (int x = 0; x < expected.getWidth(); ++x)
            if (actual.getPixelAt (x, y) != expected.getPixelAt (x, y))
                return ::testing::AssertionFailure()
                       << "pixel (" << x << ", " << y << ") is " << actual.getPixelAt (x, y).toDisplayString (true)
                       << " instead of " << expected.getPixelAt (x, y).toDisplayString (true);

    return ::testing::AssertionSuccess();
}
} // namespace vimbrel::test
