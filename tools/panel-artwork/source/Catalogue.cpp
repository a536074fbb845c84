#include "Catalogue.h"
#include "ControlArt.h"
#include "ControlGeometry.h"
#include "PanelArt.h"

#include <PictureCatalogue.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <utility>

namespace artwork
{
namespace
{
namespace catalogue = panelpictures::catalogue;
using panelpictures::PictureGroup;

juce::String text (std::string_view s) { return juce::String (s.data(), s.size()); }

// Draws the picture at a position of its group.
using Painter = std::function<juce::Image (int index)>;

EffectButtonLook effectButtonLook (int index)
{
    switch (index)
    {
        case panelpictures::effectOff: return EffectButtonLook::off;
        case panelpictures::effectOffOver: return EffectButtonLook::offHover;
        case panelpictures::effectOn: return EffectButtonLook::on;
        default: return EffectButtonLook::onHover;
    }
}

KeyLook keyLook (int index)
{
    switch (index)
    {
        case panelpictures::keyOff: return KeyLook::cream;
        case panelpictures::keyOn: return KeyLook::darkLit;
        case panelpictures::keyOver: return KeyLook::creamHover;
        default: return KeyLook::disabled;
    }
}

// The three buttons share one well on the panel and overlap by two pixels; each picture places
// its face so that the faces are equally wide with three-pixel gaps between them.
Painter effectButton (int scale, const Fonts& fonts, juce::Rectangle<int> bounds, float faceLeftOnPanel, int numeral)
{
    constexpr float faceWidth = 52.0f;
    const auto face = juce::Rectangle<float> (faceLeftOnPanel - (float) bounds.getX(), 5.0f, faceWidth,
                                              (float) bounds.getHeight() - 10.0f);

    return [scale, &fonts, bounds, face, numeral] (int index)
    {
        return drawEffectButton (scale, fonts, bounds.getWidth(), bounds.getHeight(), face, juce::String (numeral),
                                 effectButtonLook (index));
    };
}

// The editor squeezes the 50-pixel CLASSIC and MANUAL pictures into 42-pixel buttons, so they
// are drawn as 42-pixel keys stretched to 50: squeezed, they match the HOST key.
Painter tempoKey (int scale, const Fonts& fonts, const PictureGroup& group, const char* legend)
{
    constexpr float keyWidthOnPanel = 42.0f;
    constexpr float legendHeight = 8.0f;

    return [scale, &fonts, &group, legend] (int index) {
        return drawKey (scale, fonts, group.width, group.height, keyWidthOnPanel, legend, legendHeight,
                        keyLook (index));
    };
}

Painter beatKey (int scale, const Fonts& fonts, const PictureGroup& group, int eighths)
{
    constexpr float legendHeight = 9.5f;

    return [scale, &fonts, &group, eighths] (int index)
    {
        return drawKey (scale, fonts, group.width, group.height, (float) group.width, juce::String (eighths) + "/8",
                        legendHeight, keyLook (index));
    };
}
} // namespace

std::vector<Picture> drawCatalogue (const Fonts& fonts, int scale, juce::StringArray& problems)
{
    const int s = scale;
    const std::pair<const PictureGroup*, Painter> painters[] = {
        { &catalogue::bg, [&] (int) { return drawPanel (s, fonts, problems); } },
        { &catalogue::knob, [s] (int i) { return drawKnob (s, knobAngleDegrees (i, (int) catalogue::knob.count)); } },
        { &catalogue::knob3, [s] (int i) { return drawKnob (s, switchAngleDegrees (i)); } },
        { &catalogue::knob12,
          [s] (int i) { return drawKnob (s, knobAngleDegrees (i, (int) catalogue::knob12.count)); } },
        { &catalogue::cateye, [s] (int i) { return drawMagicEye (s, i, (int) catalogue::cateye.count); } },
        { &catalogue::fader, [s] (int) { return drawFaderHandle (s); } },
        { &catalogue::btn1, effectButton (s, fonts, panel::btn1Button.bounds, 357.0f, 1) },
        { &catalogue::btn2, effectButton (s, fonts, panel::btn2Button.bounds, 412.0f, 2) },
        { &catalogue::btn3, effectButton (s, fonts, panel::btn3Button.bounds, 467.0f, 3) },
        { &catalogue::classic, tempoKey (s, fonts, catalogue::classic, "CLASSIC") },
        { &catalogue::manual, tempoKey (s, fonts, catalogue::manual, "MANUAL") },
        { &catalogue::host, tempoKey (s, fonts, catalogue::host, "HOST") },
        { &catalogue::btn58, beatKey (s, fonts, catalogue::btn58, 5) },
        { &catalogue::btn68, beatKey (s, fonts, catalogue::btn68, 6) },
        { &catalogue::btn78, beatKey (s, fonts, catalogue::btn78, 7) },
        { &catalogue::btn88, beatKey (s, fonts, catalogue::btn88, 8) },
    };

    std::vector<Picture> pictures;

    for (const auto* group : catalogue::groups)
    {
        const auto painter = std::find_if (std::begin (painters), std::end (painters),
                                           [group] (const auto& p) { return p.first == group; });

        if (painter == std::end (painters))
        {
            problems.add ("no drawing for the picture group " + text (group->nameSpace));
            continue;
        }

        for (size_t i = 0; i < group->count; ++i)
        {
            const auto& name = group->names[i];
            auto image = painter->second ((int) i);

            if (image.getWidth() != group->width * scale || image.getHeight() != group->height * scale ||
                image.hasAlphaChannel() != group->alpha)
                problems.add (text (name) + " is drawn " + juce::String (image.getWidth()) + " x " +
                              juce::String (image.getHeight()) + (image.hasAlphaChannel() ? " RGBA" : " RGB") +
                              ", not as the catalogue lists it at " + juce::String (scale) + "x");

            pictures.push_back ({ text (group->folder), text (name), std::move (image) });
        }
    }

    return pictures;
}

const Picture* findPicture (const std::vector<Picture>& pictures, const juce::String& folder, const juce::String& name)
{
    for (const auto& picture : pictures)
        if (picture.folder == folder && picture.name == name)
            return &picture;

    return nullptr;
}
} // namespace artwork
