#include "Catalogue.h"
#include "ControlGeometry.h"

#include <iterator>

namespace artwork
{
namespace
{
const juce::Colour sheetGround (0xff2f3130);

struct PanelState
{
    float inputValue, lengthValue, volumeValue, toneValue; // 0..1, as the knob sliders hold them
    float selectionValue, headValue, levelValue;           // the switch, selector and lamp values
    float bpm;                                             // 40..200
    bool effect[3];
    int hoveredEffect;   // -1 for none
    int tempoSource;     // 0 classic, 1 host, 2 manual
    int hoveredTempoKey; // -1 for none
    int beat;            // 0 for 5/8 .. 3 for 8/8
    int hoveredBeatKey;  // -1 for none
    juce::String readout;
};

class Composer
{
public:
    Composer (const std::vector<Picture>& p, juce::Graphics& graphics) : pictures (p), g (graphics) {}

    const juce::Image& image (const juce::String& folder, const juce::String& name) const
    {
        static const juce::Image none;
        const auto* picture = findPicture (pictures, folder, name);
        return picture != nullptr ? picture->image : none;
    }

    // Draws a picture stretched into a component's bounds and clipped to them, as the editor's
    // look and feel does.
    void place (const juce::Image& picture, juce::Rectangle<int> bounds) const
    {
        juce::Graphics::ScopedSaveState state (g);
        g.reduceClipRegion (bounds);
        g.drawImage (picture, bounds.getX(), bounds.getY(), bounds.getWidth(), bounds.getHeight(), 0, 0,
                     picture.getWidth(), picture.getHeight());
    }

    const std::vector<Picture>& pictures;
    juce::Graphics& g;
};

// Frame choices copied from the look and feel's film-strip rules.
int knobFrame (float p) { return (int) ((double) (p * 114.0f) * 0.99); }

int stripFrame (float p, int frames) { return juce::jmin ((int) (p * (float) frames), frames - 1); }

juce::Image composePanel (const std::vector<Picture>& pictures, const Fonts& fonts, const PanelState& s)
{
    juce::Image panel (juce::Image::RGB, panel::width, panel::height, true, juce::SoftwareImageType());
    juce::Graphics g (panel);
    Composer c (pictures, g);

    g.drawImageAt (c.image ("bg", "bg"), 0, 0);

    // Version text and tempo labels as the editor paints them (the plug-in uses the system's
    // default sans; the preview stands it in with the regular sans).
    g.setColour (juce::Colours::grey);
    g.setFont (fonts.plain (11.0f));
    g.drawText ("v1.2.4", panel::versionText, juce::Justification::centred, true);

    auto knob = [&c] (juce::Rectangle<int> bounds, float p)
    { c.place (c.image ("knob", "knobsfinal" + juce::String (knobFrame (p)).paddedLeft ('0', 4)), bounds); };

    knob (panel::inputSlider.bounds, s.inputValue);
    knob (panel::lengthSlider.bounds, s.lengthValue);
    knob (panel::volumeSlider.bounds, s.volumeValue);
    knob (panel::toneSlider.bounds, s.toneValue);
    c.place (c.image ("knob3", "trippleknob" + juce::String (stripFrame (s.selectionValue, 3) + 1)),
             panel::selectionSlider.bounds);

    const int head = stripFrame (s.headValue, 12);
    c.place (c.image ("knob12", head == 10 ? juce::String ("pleknob11_") : "pleknob" + juce::String (head + 1)),
             panel::delaySelectionSlider.bounds);

    // Fader thumb: the slider's own coordinates, then the handle centred on the thumb.
    {
        const float thumb =
            (float) faderThumbInset +
            (float) (panel::bpmSlider.bounds.getWidth() - 2 * faderThumbInset) * (s.bpm / 200.0f - 0.2f) / 0.8f;
        const int x = (int) ((double) thumb - 27.0 * 0.5);
        juce::Graphics::ScopedSaveState state (g);
        g.reduceClipRegion (panel::bpmSlider.bounds);
        g.drawImageAt (c.image ("fader", "fader"), panel::bpmSlider.bounds.getX() + x, panel::bpmSlider.bounds.getY());
    }

    const juce::Rectangle<int> effectBounds[] = { panel::btn1Button.bounds, panel::btn2Button.bounds,
                                                  panel::btn3Button.bounds };

    for (int i = 0; i < 3; ++i)
    {
        const auto prefix = "btn" + juce::String (i + 1);
        c.place (c.image (prefix, prefix + (s.effect[i] ? "on" : "off")), effectBounds[i]);

        if (s.hoveredEffect == i)
            c.place (c.image (prefix, prefix + (s.effect[i] ? "onover" : "offover")), effectBounds[i]);
    }

    const char* beatFolders[] = { "58", "6-8", "7-8", "8-8" };
    const juce::Rectangle<int> beatBounds[] = { panel::btn58Button.bounds, panel::btn68Button.bounds,
                                                panel::btn78Button.bounds, panel::btn88Button.bounds };

    for (int i = 0; i < 4; ++i)
    {
        const auto prefix = "btn_bpm_" + juce::String (5 + i) + "8";
        c.place (c.image (beatFolders[i], prefix + (s.beat == i ? "_off" : "_on")), beatBounds[i]);

        if (s.hoveredBeatKey == i)
            c.place (c.image (beatFolders[i], prefix + "_over"), beatBounds[i]);
    }

    // Added in the editor's order: manual, host, classic.
    const char* tempoFolders[] = { "classic", "host", "manual" };
    const juce::Rectangle<int> tempoBounds[] = { panel::btnclassicButton.bounds, panel::btnhostButton.bounds,
                                                 panel::btnmanualButton.bounds };

    for (int i : { 2, 1, 0 })
    {
        const auto prefix = juce::String ("btn_tempo_") + tempoFolders[i];
        const bool on = s.tempoSource == i;
        c.place (c.image (tempoFolders[i], prefix + (on ? "_off" : "_on")), tempoBounds[i]);

        if (! on && s.hoveredTempoKey == i)
            c.place (c.image (tempoFolders[i], prefix + "_over"), tempoBounds[i]);
    }

    c.place (c.image ("cateye", "cats_eye_small" + juce::String (stripFrame (s.levelValue, 25)).paddedLeft ('0', 4)),
             panel::vuSlider.bounds);

    // The two tempo labels: 14-pixel text in 10-pixel boxes with the label's usual 5-pixel side
    // border, at 70 % opacity; the caption in the default black, the value in light yellow.
    auto label = [&g, &fonts] (const juce::String& text, juce::Rectangle<int> bounds, juce::Colour colour)
    {
        juce::Graphics::ScopedSaveState state (g);
        g.reduceClipRegion (bounds);
        g.setColour (colour.withMultipliedAlpha (0.7f));
        g.setFont (fonts.plain (14.0f));
        g.drawFittedText (text, bounds.reduced (5, 1), juce::Justification::centredLeft, 1, 0.7f);
    };

    label ("BPM DAW:", panel::tempoCaptionLabel, juce::Colours::black);
    label (s.readout, panel::tempoValueLabel, juce::Colours::lightyellow);

    return panel;
}

juce::Image frameSheet (const std::vector<Picture>& pictures, const juce::StringArray& folders, int columns, float zoom)
{
    std::vector<const Picture*> chosen;

    for (const auto& p : pictures)
        if (folders.contains (p.folder))
            chosen.push_back (&p);

    int cellW = 0, cellH = 0;

    for (auto* p : chosen)
    {
        cellW = juce::jmax (cellW, p->image.getWidth());
        cellH = juce::jmax (cellH, p->image.getHeight());
    }

    const int pad = 4;
    const int rows = ((int) chosen.size() + columns - 1) / columns;
    const int w = juce::roundToInt ((float) (columns * (cellW + pad) + pad) * zoom);
    const int h = juce::roundToInt ((float) (rows * (cellH + pad) + pad) * zoom);
    juce::Image sheet (juce::Image::RGB, w, h, true, juce::SoftwareImageType());
    juce::Graphics g (sheet);
    g.fillAll (sheetGround);
    g.addTransform (juce::AffineTransform::scale (zoom));
    g.setImageResamplingQuality (juce::Graphics::lowResamplingQuality);

    for (size_t i = 0; i < chosen.size(); ++i)
    {
        const int col = (int) i % columns, row = (int) i / columns;
        g.drawImageAt (chosen[i]->image, pad + col * (cellW + pad), pad + row * (cellH + pad));
    }

    return sheet;
}

juce::Image zoomed (const juce::Image& image, juce::Rectangle<int> area, float zoom)
{
    juce::Image result (juce::Image::RGB, juce::roundToInt ((float) area.getWidth() * zoom),
                        juce::roundToInt ((float) area.getHeight() * zoom), true, juce::SoftwareImageType());
    juce::Graphics g (result);
    g.setImageResamplingQuality (juce::Graphics::lowResamplingQuality);
    g.drawImageTransformed (image.getClippedImage (area), juce::AffineTransform::scale (zoom));
    return result;
}

bool writePng (const juce::Image& image, const juce::File& file)
{
    juce::MemoryOutputStream bytes;
    return juce::PNGImageFormat().writeImageToStream (image, bytes) &&
           file.replaceWithData (bytes.getData(), bytes.getDataSize());
}
} // namespace

bool writePreviews (const std::vector<Picture>& pictures, const Fonts& fonts, const juce::File& folder)
{
    if (! folder.createDirectory())
        return false;

    PanelState playing { 0.72f, 0.45f, 0.8f, 0.5f, 0.66f, 0.5f, 0.64f, 120.0f, { true, false, true },
                         2,     1,     2,    3,    1,     "120" };
    PanelState resting { 0.0f, 1.0f, 0.2f, 0.0f, 0.99f, 0.996f, 0.0f, 40.0f, { false, true, false },
                         0,    0,    0,    2,    0,     "98.5" };

    const auto playingPanel = composePanel (pictures, fonts, playing);
    const juce::Rectangle<int> details[] = { { 0, 0, 300, 220 },    { 280, 0, 320, 220 },  { 576, 0, 300, 220 },
                                             { 100, 215, 250, 85 }, { 300, 215, 300, 85 }, { 560, 215, 316, 85 },
                                             { 540, 25, 300, 70 } };

    for (int i = 0; i < (int) std::size (details); ++i)
        if (! writePng (zoomed (playingPanel, details[i], 3.0f),
                        folder.getChildFile ("zoom-" + juce::String (i + 1) + ".png")))
            return false;

    return writePng (playingPanel, folder.getChildFile ("panel-playing.png")) &&
           writePng (composePanel (pictures, fonts, resting), folder.getChildFile ("panel-resting.png")) &&
           writePng (frameSheet (pictures, { "knob" }, 15, 1.0f), folder.getChildFile ("sheet-knob.png")) &&
           writePng (frameSheet (pictures, { "knob3", "knob12" }, 8, 2.0f),
                     folder.getChildFile ("sheet-switches.png")) &&
           writePng (frameSheet (pictures, { "cateye" }, 9, 2.0f), folder.getChildFile ("sheet-cateye.png")) &&
           writePng (frameSheet (pictures, { "btn1", "btn2", "btn3", "fader" }, 4, 3.0f),
                     folder.getChildFile ("sheet-buttons.png")) &&
           writePng (frameSheet (pictures, { "classic", "manual", "host", "58", "6-8", "7-8", "8-8" }, 4, 4.0f),
                     folder.getChildFile ("sheet-keys.png"));
}
} // namespace artwork
