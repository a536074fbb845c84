#include "Catalogue.h"
#include "ControlArt.h"
#include "ControlGeometry.h"
#include "PanelArt.h"

namespace artwork
{
namespace
{
void addKnobFilmStrip (std::vector<Picture>& pictures)
{
    constexpr int frames = 115;

    for (int i = 0; i < frames; ++i)
        pictures.push_back (
            { "knob", "knobsfinal" + juce::String (i).paddedLeft ('0', 4), drawKnob (knobAngleDegrees (i, frames)) });
}

void addSwitchKnobs (std::vector<Picture>& pictures)
{
    for (int i = 0; i < 3; ++i)
        pictures.push_back ({ "knob3", "trippleknob" + juce::String (i + 1), drawKnob (switchAngleDegrees (i)) });

    for (int i = 0; i < 12; ++i)
    {
        // The eleventh picture's file name really has a second underscore.
        const auto name = i == 10 ? juce::String ("pleknob11_") : "pleknob" + juce::String (i + 1);
        pictures.push_back ({ "knob12", name, drawKnob (knobAngleDegrees (i, 12)) });
    }
}

void addMagicEye (std::vector<Picture>& pictures)
{
    constexpr int frames = 25;

    for (int i = 0; i < frames; ++i)
        pictures.push_back (
            { "cateye", "cats_eye_small" + juce::String (i).paddedLeft ('0', 4), drawMagicEye (i, frames) });
}

void addEffectButtons (std::vector<Picture>& pictures, const Fonts& fonts)
{
    // The three buttons share one well on the panel and overlap by two pixels; each picture
    // places its face so that the faces are equally wide with three-pixel gaps between them.
    struct Button
    {
        juce::Rectangle<int> bounds;
        float faceLeftOnPanel;
    };

    const Button buttons[] = { { panel::btn1Button.bounds, 357.0f },
                               { panel::btn2Button.bounds, 412.0f },
                               { panel::btn3Button.bounds, 467.0f } };
    constexpr float faceWidth = 52.0f;

    for (int i = 0; i < 3; ++i)
    {
        const auto& b = buttons[i];
        const auto face = juce::Rectangle<float> (b.faceLeftOnPanel - (float) b.bounds.getX(), 5.0f, faceWidth,
                                                  (float) b.bounds.getHeight() - 10.0f);
        const auto numeral = juce::String (i + 1);
        const auto prefix = "btn" + numeral;
        const auto folder = prefix;
        const int w = b.bounds.getWidth(), h = b.bounds.getHeight();

        pictures.push_back (
            { folder, prefix + "off", drawEffectButton (fonts, w, h, face, numeral, EffectButtonLook::off) });
        pictures.push_back (
            { folder, prefix + "offover", drawEffectButton (fonts, w, h, face, numeral, EffectButtonLook::offHover) });
        pictures.push_back (
            { folder, prefix + "on", drawEffectButton (fonts, w, h, face, numeral, EffectButtonLook::on) });
        pictures.push_back (
            { folder, prefix + "onover", drawEffectButton (fonts, w, h, face, numeral, EffectButtonLook::onHover) });
    }
}

void addTempoSourceKeys (std::vector<Picture>& pictures, const Fonts& fonts)
{
    // The editor squeezes the 50-pixel CLASSIC and MANUAL pictures into 42-pixel buttons, so
    // they are drawn as 42-pixel keys stretched to 50: squeezed, they match the HOST key.
    struct Key
    {
        const char* folder;
        const char* legend;
        int width;
    };

    const Key keys[] = { { "classic", "CLASSIC", 50 }, { "manual", "MANUAL", 50 }, { "host", "HOST", 42 } };
    constexpr float keyWidthOnPanel = 42.0f;
    constexpr float legendHeight = 8.0f;

    for (const auto& key : keys)
    {
        const auto prefix = juce::String ("btn_tempo_") + key.folder;
        auto draw = [&] (KeyLook look)
        { return drawKey (fonts, key.width, 22, keyWidthOnPanel, key.legend, legendHeight, look); };

        pictures.push_back ({ key.folder, prefix + "_off", draw (KeyLook::cream) });
        pictures.push_back ({ key.folder, prefix + "_on", draw (KeyLook::darkLit) });
        pictures.push_back ({ key.folder, prefix + "_over", draw (KeyLook::creamHover) });
    }
}

void addBeatKeys (std::vector<Picture>& pictures, const Fonts& fonts)
{
    const char* folders[] = { "58", "6-8", "7-8", "8-8" };
    constexpr float legendHeight = 9.5f;

    for (int i = 0; i < 4; ++i)
    {
        const auto eighths = juce::String (5 + i);
        const auto prefix = "btn_bpm_" + eighths + "8";
        const auto legend = eighths + "/8";
        auto draw = [&] (KeyLook look) { return drawKey (fonts, 31, 20, 31.0f, legend, legendHeight, look); };

        pictures.push_back ({ folders[i], prefix + "_off", draw (KeyLook::cream) });
        pictures.push_back ({ folders[i], prefix + "_on", draw (KeyLook::darkLit) });
        pictures.push_back ({ folders[i], prefix + "_over", draw (KeyLook::creamHover) });
        pictures.push_back ({ folders[i], prefix + "_disabled", draw (KeyLook::disabled) });
    }
}
} // namespace

std::vector<Picture> drawCatalogue (const Fonts& fonts, juce::StringArray& layoutProblems)
{
    std::vector<Picture> pictures;
    pictures.push_back ({ "bg", "bg", drawPanel (fonts, layoutProblems) });
    addKnobFilmStrip (pictures);
    addSwitchKnobs (pictures);
    addMagicEye (pictures);
    pictures.push_back ({ "fader", "fader", drawFaderHandle() });
    addEffectButtons (pictures, fonts);
    addTempoSourceKeys (pictures, fonts);
    addBeatKeys (pictures, fonts);
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
