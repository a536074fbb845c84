#include "lookandfeel/PanelPictures.h"

#include <gtest/gtest.h>
#include <juce_graphics/juce_graphics.h>

#include <cstring>

namespace
{
using panelpictures::embeddedGroups;

juce::String text (std::string_view s) { return juce::String (s.data(), s.size()); }

// The name under which the framework embeds a file: every character that cannot be part of an
// identifier becomes an underscore, "pleknob11_.png" becomes pleknob11__png.
juce::String symbolOf (std::string_view fileName)
{
    auto symbol = text (fileName) + ".png";

    for (int i = 0; i < symbol.length(); ++i)
        if (! juce::CharacterFunctions::isLetterOrDigit (symbol[i]))
            symbol = symbol.replaceSection (i, 1, "_");

    return symbol;
}

// Each group of each set embeds exactly the catalogue's pictures, and hands them out in the
// catalogue's order: 16 groups, 194 pictures per set, a 1x and a 2x set, with the film strips
// the frame formulas walk at their lengths.
TEST (PanelPictures, EachGroupEmbedsItsCataloguePicturesInStoredOrder)
{
    size_t total = 0;

    for (const auto& group : embeddedGroups())
    {
        const auto& listed = group.catalogue;
        SCOPED_TRACE (text (listed.nameSpace) + " in " + text (group.set.folder));
        EXPECT_EQ ((int) listed.count, group.embeddedCount) << "pictures embedded but not listed";

        for (size_t i = 0; i < listed.count; ++i)
        {
            const auto symbol = symbolOf (listed.names[i]);
            int size = 0;
            const char* data = group.findByName (symbol.toRawUTF8(), size);
            ASSERT_NE (nullptr, data) << symbol << " is not embedded";
            EXPECT_EQ (group.pictures[i].data, data) << "position " << i << " is not " << symbol;
            EXPECT_EQ (group.pictures[i].size, size) << symbol;
        }

        total += listed.count;
    }

    ASSERT_EQ (2u, panelpictures::pictureSets.size());
    EXPECT_EQ (1, panelpictures::pictureSets[0].scale);
    EXPECT_EQ (2, panelpictures::pictureSets[1].scale);
    EXPECT_EQ (2u * 16u, embeddedGroups().size());
    EXPECT_EQ (2u * 194u, total);

    // The sets are different pictures, not one embedded twice.
    EXPECT_NE (panelpictures::knob (0)[0].size, panelpictures::knob (1)[0].size);

    namespace catalogue = panelpictures::catalogue;
    EXPECT_EQ (115u, catalogue::knob.count);
    EXPECT_EQ (3u, catalogue::knob3.count);
    EXPECT_EQ (12u, catalogue::knob12.count);
    EXPECT_EQ (25u, catalogue::cateye.count);
}

// Every picture is an 8-bit, non-interlaced PNG of its group's size times its set's scale, RGBA
// (the panel RGB), and decodes to an image of that size, with an alpha channel exactly when the
// file has one.
TEST (PanelPictures, EveryPictureDecodesAtItsGroupsSizeAndColourType)
{
    constexpr int rgb = 2, rgba = 6;

    for (const auto& group : embeddedGroups())
    {
        const auto& listed = group.catalogue;
        const int width = listed.width * group.set.scale;
        const int height = listed.height * group.set.scale;

        for (size_t i = 0; i < listed.count; ++i)
        {
            SCOPED_TRACE (text (group.set.folder) + "/" + text (listed.names[i]));
            const auto& picture = group.pictures[i];
            ASSERT_GT (picture.size, 33);

            const auto* header = reinterpret_cast<const unsigned char*> (picture.data);
            const auto bigEndian = [header] (int at)
            { return (int) ((header[at] << 24) | (header[at + 1] << 16) | (header[at + 2] << 8) | header[at + 3]); };
            EXPECT_EQ (0, std::memcmp (header, "\x89PNG\r\n\x1a\n", 8));
            EXPECT_EQ (0, std::memcmp (header + 12, "IHDR", 4));
            EXPECT_EQ (width, bigEndian (16));
            EXPECT_EQ (height, bigEndian (20));
            EXPECT_EQ (8, header[24]) << "bit depth";
            EXPECT_EQ (listed.alpha ? rgba : rgb, header[25]) << "colour type";
            EXPECT_EQ (0, header[28]) << "interlace method";

            const auto image = juce::ImageCache::getFromMemory (picture.data, picture.size);
            ASSERT_TRUE (image.isValid());
            EXPECT_EQ (width, image.getWidth());
            EXPECT_EQ (height, image.getHeight());
            EXPECT_EQ (listed.alpha, image.hasAlphaChannel());
        }
    }
}
} // namespace
