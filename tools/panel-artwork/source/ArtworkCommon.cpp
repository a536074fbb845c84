#include "ArtworkCommon.h"

#include <cmath>
#include <iterator>

namespace artwork
{
namespace
{
juce::Typeface::Ptr loadTypeface (const juce::File& file, juce::String& error)
{
    juce::MemoryBlock bytes;

    if (! file.loadFileAsData (bytes) || bytes.getSize() == 0)
    {
        error << "missing font file " << file.getFullPathName() << "\n";
        return {};
    }

    auto typeface = juce::Typeface::createSystemTypefaceFor (bytes.getData(), bytes.getSize());

    if (typeface == nullptr)
        error << "cannot read font file " << file.getFullPathName() << "\n";

    return typeface;
}
} // namespace

juce::String Fonts::load (const juce::File& fontFolder)
{
    juce::String error;
    sans = loadTypeface (fontFolder.getChildFile ("LiberationSans-Regular.ttf"), error);
    sansBold = loadTypeface (fontFolder.getChildFile ("LiberationSans-Bold.ttf"), error);
    scriptSerif = loadTypeface (fontFolder.getChildFile ("LiberationSerif-BoldItalic.ttf"), error);
    return error;
}

juce::Font Fonts::legend (float height, float tracking) const
{
    juce::Font font (sansBold);
    font.setHeight (height);
    font.setHorizontalScale (0.9f);
    font.setExtraKerningFactor (tracking);
    return font;
}

juce::Font Fonts::plain (float height) const
{
    juce::Font font (sans);
    font.setHeight (height);
    return font;
}

juce::Font Fonts::script (float height) const
{
    juce::Font font (scriptSerif);
    font.setHeight (height);
    return font;
}

juce::Image render (int scale, int logicalWidth, int logicalHeight, bool withAlpha,
                    const std::function<void (juce::Graphics&)>& draw)
{
    constexpr int s = supersampling;
    const int width = logicalWidth * scale;
    const int height = logicalHeight * scale;
    juce::Image big (juce::Image::ARGB, width * s, height * s, true, juce::SoftwareImageType());

    {
        juce::Graphics g (big);

        if (! withAlpha)
            g.fillAll (juce::Colours::black);

        g.addTransform (juce::AffineTransform::scale ((float) (s * scale)));
        draw (g);
    }

    juce::Image small (withAlpha ? juce::Image::ARGB : juce::Image::RGB, width, height, true,
                       juce::SoftwareImageType());

    const juce::Image::BitmapData src (big, juce::Image::BitmapData::readOnly);
    juce::Image::BitmapData dst (small, juce::Image::BitmapData::writeOnly);
    constexpr int area = s * s;

    for (int y = 0; y < height; ++y)
    {
        for (int x = 0; x < width; ++x)
        {
            // The software image keeps premultiplied pixels, so a plain average is the correct
            // coverage-weighted filter.
            int sum[4] = { 0, 0, 0, 0 };

            for (int sy = 0; sy < s; ++sy)
            {
                for (int sx = 0; sx < s; ++sx)
                {
                    auto* p = reinterpret_cast<const juce::PixelARGB*> (src.getPixelPointer (x * s + sx, y * s + sy));
                    sum[0] += p->getAlpha();
                    sum[1] += p->getRed();
                    sum[2] += p->getGreen();
                    sum[3] += p->getBlue();
                }
            }

            auto average = [&] (int i) { return (juce::uint8) ((sum[i] + area / 2) / area); };

            if (withAlpha)
                reinterpret_cast<juce::PixelARGB*> (dst.getPixelPointer (x, y))
                    ->setARGB (average (0), average (1), average (2), average (3));
            else
                reinterpret_cast<juce::PixelRGB*> (dst.getPixelPointer (x, y))
                    ->setARGB (255, average (1), average (2), average (3));
        }
    }

    return small;
}

void addGrain (juce::Image& image, juce::Rectangle<int> area, float amount, juce::int64 seed)
{
    juce::Random random (seed);
    area = area.getIntersection (image.getBounds());
    juce::Image::BitmapData data (image, juce::Image::BitmapData::readWrite);

    for (int y = area.getY(); y < area.getBottom(); ++y)
    {
        for (int x = area.getX(); x < area.getRight(); ++x)
        {
            const int delta = juce::roundToInt ((random.nextFloat() - 0.5f) * 2.0f * amount * 255.0f);
            auto shift = [delta] (juce::uint8 c) { return (juce::uint8) juce::jlimit (0, 255, c + delta); };
            auto colour = data.getPixelColour (x, y);
            data.setPixelColour (x, y,
                                 juce::Colour (shift (colour.getRed()), shift (colour.getGreen()),
                                               shift (colour.getBlue()), colour.getAlpha()));
        }
    }
}

float towardsLight (float angle) { return std::cos (angle + juce::MathConstants<float>::pi * 0.25f); }

juce::Point<float> shadowOffset (float height) { return { 0.75f * height, 1.0f * height }; }

juce::Colour chrome (float lit)
{
    // A mirror finish: below the horizon the dark floor, above it the pale sky, with a narrow
    // bright band right at the horizon.
    const float t = juce::jlimit (0.0f, 1.0f, 0.5f + 0.5f * lit);

    struct Stop
    {
        float at;
        juce::uint32 argb;
    };

    static const Stop stops[] = {
        { 0.00f, 0xff2b2e33 }, { 0.30f, 0xff4c5159 }, { 0.47f, 0xff7d838c }, { 0.53f, 0xffc9ced4 },
        { 0.62f, 0xffa9afb7 }, { 0.85f, 0xffe3e7eb }, { 1.00f, 0xfffbfcfd },
    };

    for (size_t i = 1; i < std::size (stops); ++i)
    {
        if (t <= stops[i].at)
        {
            const float f = (t - stops[i - 1].at) / (stops[i].at - stops[i - 1].at);
            return juce::Colour (stops[i - 1].argb).interpolatedWith (juce::Colour (stops[i].argb), f);
        }
    }

    return juce::Colour (stops[std::size (stops) - 1].argb);
}

float capHeight (const juce::Font& font)
{
    juce::GlyphArrangement glyphs;
    glyphs.addLineOfText (font, "H", 0.0f, 0.0f);
    juce::Path path;
    glyphs.createPath (path);
    return path.getBounds().getHeight();
}

namespace
{
juce::GlyphArrangement arrangeCentred (const juce::String& text, const juce::Font& font, juce::Point<float> centre)
{
    juce::GlyphArrangement probe;
    probe.addLineOfText (font, text, 0.0f, 0.0f);
    // The extra letter spacing also trails the last glyph; it must not shift the centre.
    const float trailing = font.getExtraKerningFactor() * font.getHeight() * font.getHorizontalScale();
    const auto box = probe.getBoundingBox (0, -1, false);
    const float width = box.getWidth() - trailing;

    juce::GlyphArrangement glyphs;
    glyphs.addLineOfText (font, text, centre.x - box.getX() - width * 0.5f, centre.y + capHeight (font) * 0.5f);
    return glyphs;
}
} // namespace

void drawTextCentred (juce::Graphics& g, const juce::String& text, const juce::Font& font, juce::Point<float> centre)
{
    arrangeCentred (text, font, centre).draw (g);
}

juce::Path textPath (const juce::String& text, const juce::Font& font, juce::Point<float> centre)
{
    juce::Path path;
    arrangeCentred (text, font, centre).createPath (path);
    return path;
}

juce::Rectangle<float> textBounds (const juce::String& text, const juce::Font& font, juce::Point<float> centre)
{
    return textPath (text, font, centre).getBounds();
}

juce::Point<float> polar (juce::Point<float> centre, float radius, float angle)
{
    return centre.getPointOnCircumference (radius, angle);
}

float degrees (float value) { return juce::degreesToRadians (value); }

void fillSoftDisc (juce::Graphics& g, juce::Point<float> centre, float radius, float softness, juce::Colour colour)
{
    const float outer = radius + softness;
    const float inner = juce::jmax (0.0f, radius - softness);
    juce::ColourGradient gradient (colour, centre, colour.withAlpha (0.0f), centre.translated (outer, 0.0f), true);
    gradient.clearColours();
    gradient.addColour (0.0, colour);

    constexpr int steps = 10;

    for (int i = 0; i <= steps; ++i)
    {
        const float t = (float) i / steps;
        const float smooth = t * t * (3.0f - 2.0f * t);
        const float position = (inner + (outer - inner) * t) / outer;
        gradient.addColour (juce::jlimit (0.0, 1.0, (double) position), colour.withMultipliedAlpha (1.0f - smooth));
    }

    g.setGradientFill (gradient);
    g.fillEllipse (juce::Rectangle<float> (outer * 2.0f, outer * 2.0f).withCentre (centre));
}

void fillSoftRoundedRect (juce::Graphics& g, juce::Rectangle<float> area, float corner, float softness,
                          juce::Colour colour)
{
    constexpr int layers = 8;
    g.setColour (colour.withMultipliedAlpha (1.0f / layers));

    for (int i = 0; i < layers; ++i)
    {
        const float grow = softness * (1.0f - 2.0f * ((float) i + 0.5f) / layers);
        auto layer = area.expanded (grow);

        if (! layer.isEmpty())
            g.fillRoundedRectangle (layer, juce::jmax (0.0f, corner + grow));
    }
}
} // namespace artwork
