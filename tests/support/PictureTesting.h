#pragma once

#include "lookandfeel/PanelPictures.h"

#include <gtest/gtest.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include <string_view>
#include <vector>

// Helpers for tests that check what a control draws against the embedded pictures, in every
// picture set: set 0 is the 1x set, set 1 the 2x set drawn on screens scaled above 100 %.
namespace vimbrel::test
{
inline constexpr size_t pictureSetCount = panelpictures::pictureSets.size();
inline int scaleOf (size_t set) { return panelpictures::pictureSets[set].scale; }

// An embedded picture, decoded, by its group's namespace and its file name without ".png":
// pictureIn ("knob", "knobsfinal0097", 1) is frame 97 of the 2x knob strip. Null if not embedded.
inline juce::Image pictureIn (std::string_view group, const juce::String& fileName, size_t set)
{
    // The framework's symbol for a file: every character outside [A-Za-z0-9] becomes '_'.
    auto symbol = fileName + ".png";

    for (int i = 0; i < symbol.length(); ++i)
        if (! juce::CharacterFunctions::isLetterOrDigit (symbol[i]))
            symbol = symbol.replaceSection (i, 1, "_");

    for (const auto& embedded : panelpictures::embeddedGroups())
    {
        if (embedded.catalogue.nameSpace != group || embedded.set.folder != panelpictures::pictureSets[set].folder)
            continue;

        int size = 0;

        if (const char* data = embedded.findByName (symbol.toRawUTF8(), size))
            return juce::ImageCache::getFromMemory (data, size);
    }

    return {};
}

// An embedded picture named by its group and file name, to be decoded from any set:
// PICTURE (knob, knobsfinal0097).in (set).
struct NamedPicture
{
    const char* group;
    const char* name;

    juce::Image in (size_t set) const { return pictureIn (group, name, set); }
};

#define PICTURE(group, name) (::vimbrel::test::NamedPicture { #group, #name })

// The control as it paints itself, on a transparent image of its own size times `scale`: what a
// screen scaled to `scale` shows of it.
inline juce::Image snapshot (juce::Component& component, int scale = 1)
{
    return component.createComponentSnapshot (component.getLocalBounds(), false, (float) scale);
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

// The same with the pictures of one set, over a w x h control at the set's scale.
inline juce::Image layered (int width, int height, size_t set, const std::vector<NamedPicture>& layers)
{
    std::vector<juce::Image> images;

    for (const auto& layer : layers)
        images.push_back (layer.in (set));

    return layered (width * scaleOf (set), height * scaleOf (set), images);
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
