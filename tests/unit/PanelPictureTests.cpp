#include "lookandfeel/PanelPictures.h"

#include <gtest/gtest.h>
#include <juce_graphics/juce_graphics.h>

#include <cstring>
#include <vector>

namespace
{
using panelpictures::EmbeddedPicture;

struct Group
{
    const char* name;
    std::vector<EmbeddedPicture> pictures; // in the order the look and feel keeps them
    std::vector<juce::String> names;       // the embedded symbols, in the same order
    const char* (*findByName) (const char*, int&);
    int embeddedCount;
    int width, height;
    bool rgba;
};

template <typename Pictures>
std::vector<EmbeddedPicture> list (const Pictures& pictures)
{
    return { pictures.begin(), pictures.end() };
}

std::vector<juce::String> numbered (const juce::String& prefix, int count)
{
    std::vector<juce::String> names;

    for (int i = 0; i < count; ++i)
        names.push_back (prefix + juce::String (i).paddedLeft ('0', 4) + "_png");

    return names;
}

std::vector<juce::String> withSuffixes (const juce::String& prefix, std::initializer_list<const char*> suffixes)
{
    std::vector<juce::String> names;

    for (auto* suffix : suffixes)
        names.push_back (prefix + suffix + "_png");

    return names;
}

std::vector<Group> catalogue()
{
    namespace stored = panelpictures;
    std::vector<juce::String> pleknob;

    for (int i = 1; i <= 12; ++i)
        pleknob.push_back ("pleknob" + juce::String (i) + (i == 11 ? "__png" : "_png"));

    const auto effectButton = [] (const char* prefix) {
        return withSuffixes (prefix, { "off", "offover", "on", "onover" });
    };
    const auto tempoKey = [] (const char* key) {
        return withSuffixes (juce::String ("btn_tempo_") + key + "_", { "off", "on", "over" });
    };
    const auto beatKey = [] (const char* key) {
        return withSuffixes (juce::String ("btn_bpm_") + key + "_", { "off", "on", "over", "disabled" });
    };

    return {
        { "bg", { stored::background() }, { "bg_png" },
          bg::getNamedResource, bg::namedResourceListSize, 876, 300, false },
        { "knob", list (stored::knob()), numbered ("knobsfinal", 115),
          knob::getNamedResource, knob::namedResourceListSize, 91, 91, true },
        { "knob3", list (stored::knob3()), withSuffixes ("trippleknob", { "1", "2", "3" }),
          knob3::getNamedResource, knob3::namedResourceListSize, 91, 91, true },
        { "knob12", list (stored::knob12()), pleknob,
          knob12::getNamedResource, knob12::namedResourceListSize, 91, 91, true },
        { "cateye", list (stored::cateye()), numbered ("cats_eye_small", 25),
          cateye::getNamedResource, cateye::namedResourceListSize, 86, 86, true },
        { "fader", { stored::fader() }, { "fader_png" },
          fader::getNamedResource, fader::namedResourceListSize, 27, 32, true },
        { "btn1", list (stored::btn1()), effectButton ("btn1"),
          btn1::getNamedResource, btn1::namedResourceListSize, 60, 42, true },
        { "btn2", list (stored::btn2()), effectButton ("btn2"),
          btn2::getNamedResource, btn2::namedResourceListSize, 56, 42, true },
        { "btn3", list (stored::btn3()), effectButton ("btn3"),
          btn3::getNamedResource, btn3::namedResourceListSize, 60, 42, true },
        { "classic", list (stored::classic()), tempoKey ("classic"),
          classic::getNamedResource, classic::namedResourceListSize, 50, 22, true },
        { "manual", list (stored::manual()), tempoKey ("manual"),
          manual::getNamedResource, manual::namedResourceListSize, 50, 22, true },
        { "host", list (stored::host()), tempoKey ("host"),
          host::getNamedResource, host::namedResourceListSize, 42, 22, true },
        { "btn58", list (stored::btn58()), beatKey ("58"),
          btn58::getNamedResource, btn58::namedResourceListSize, 31, 20, true },
        { "btn68", list (stored::btn68()), beatKey ("68"),
          btn68::getNamedResource, btn68::namedResourceListSize, 31, 20, true },
        { "btn78", list (stored::btn78()), beatKey ("78"),
          btn78::getNamedResource, btn78::namedResourceListSize, 31, 20, true },
        { "btn88", list (stored::btn88()), beatKey ("88"),
          btn88::getNamedResource, btn88::namedResourceListSize, 31, 20, true },
    };
}

// Each group lists every picture its folder embeds, in its stored order, under the
// catalogue's names: 16 groups, 194 pictures.
TEST (PanelPictures, EachGroupListsItsEmbeddedPicturesInStoredOrder)
{
    size_t total = 0;

    for (const auto& group : catalogue())
    {
        SCOPED_TRACE (group.name);
        ASSERT_EQ (group.pictures.size(), group.names.size());
        EXPECT_EQ ((int) group.pictures.size(), group.embeddedCount) << "pictures embedded but not listed";

        for (size_t i = 0; i < group.names.size(); ++i)
        {
            int size = 0;
            const char* data = group.findByName (group.names[i].toRawUTF8(), size);
            EXPECT_EQ (group.pictures[i].data, data) << "position " << i << " is not " << group.names[i];
            EXPECT_EQ (group.pictures[i].size, size) << group.names[i];
        }

        total += group.pictures.size();
    }

    EXPECT_EQ (194u, total);
}

// Every picture is an 8-bit, non-interlaced PNG of its group's size, RGBA (the panel RGB), and
// decodes to an image of that size, with an alpha channel exactly when the file has one.
TEST (PanelPictures, EveryPictureDecodesAtItsGroupsSizeAndColourType)
{
    constexpr int rgb = 2, rgba = 6;

    for (const auto& group : catalogue())
    {
        for (size_t i = 0; i < group.pictures.size(); ++i)
        {
            SCOPED_TRACE (group.names[i]);
            const auto& picture = group.pictures[i];
            ASSERT_GT (picture.size, 33);

            const auto* header = reinterpret_cast<const unsigned char*> (picture.data);
            const auto bigEndian = [header] (int at) {
                return (int) ((header[at] << 24) | (header[at + 1] << 16) | (header[at + 2] << 8) | header[at + 3]);
            };
            EXPECT_EQ (0, std::memcmp (header, "\x89PNG\r\n\x1a\n", 8));
            EXPECT_EQ (0, std::memcmp (header + 12, "IHDR", 4));
            EXPECT_EQ (group.width, bigEndian (16));
            EXPECT_EQ (group.height, bigEndian (20));
            EXPECT_EQ (8, header[24]) << "bit depth";
            EXPECT_EQ (group.rgba ? rgba : rgb, header[25]) << "colour type";
            EXPECT_EQ (0, header[28]) << "interlace method";

            const auto image = juce::ImageCache::getFromMemory (picture.data, picture.size);
            ASSERT_TRUE (image.isValid());
            EXPECT_EQ (group.width, image.getWidth());
            EXPECT_EQ (group.height, image.getHeight());
            EXPECT_EQ (group.rgba, image.hasAlphaChannel());
        }
    }
}
} // namespace
