#include "Catalogue.h"
#include "ControlGeometry.h"

#include <PictureCatalogue.h>

#include <iterator>

namespace artwork
{
namespace
{
using namespace panelpictures;

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

    const juce::Image& image (const PictureGroup& group, int index) const
    {
        static const juce::Image none;
        const auto name = group.names[(size_t) index];
        const auto* picture = findPicture (pictures, juce::String (group.folder.data(), group.folder.size()),
                                           juce::String (name.data(), name.size()));
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

int stripFrame (float p, const PictureGroup& strip)
{
    const int frames = (int) strip.count;
    return juce::jmin ((int) (p * (float) frames), frames - 1);
}

juce::Image composePanel (const std::vector<Picture>& pictures, const Fonts& fonts, const PanelState& s)
{
    juce::Image panel (juce::Image::RGB, panel::width, panel::height, true, juce::SoftwareImageType());
    juce::Graphics g (panel);
    Composer c (pictures, g);

    g.drawImageAt (c.image (catalogue::bg, 0), 0, 0);

    // Version text and tempo labels as the editor paints them (the plug-in uses the system's
    // default sans; the preview stands it in with the regular sans).
    g.setColour (juce::Colours::grey);
    g.setFont (fonts.plain (11.0f));
    g.drawText (juce::String ("v") + JucePlugin_VersionString, panel::versionText, juce::Justification::centred, true);

    auto knob = [&c] (juce::Rectangle<int> bounds, float p)
    { c.place (c.image (catalogue::knob, knobFrame (p)), bounds); };

    knob (panel::inputSlider.bounds, s.inputValue);
    knob (panel::lengthSlider.bounds, s.lengthValue);
    knob (panel::volumeSlider.bounds, s.volumeValue);
    knob (panel::toneSlider.bounds, s.toneValue);
    c.place (c.image (catalogue::knob3, stripFrame (s.selectionValue, catalogue::knob3)),
             panel::selectionSlider.bounds);
    c.place (c.image (catalogue::knob12, stripFrame (s.headValue, catalogue::knob12)),
             panel::delaySelectionSlider.bounds);

    // Fader thumb: the slider's own coordinates, then the handle centred on the thumb.
    {
        const float thumb =
            (float) faderThumbInset +
            (float) (panel::bpmSlider.bounds.getWidth() - 2 * faderThumbInset) * (s.bpm / 200.0f - 0.2f) / 0.8f;
        const int x = (int) ((double) thumb - catalogue::fader.width * 0.5);
        juce::Graphics::ScopedSaveState state (g);
        g.reduceClipRegion (panel::bpmSlider.bounds);
        g.drawImageAt (c.image (catalogue::fader, 0), panel::bpmSlider.bounds.getX() + x,
                       panel::bpmSlider.bounds.getY());
    }

    const juce::Rectangle<int> effectBounds[] = { panel::btn1Button.bounds, panel::btn2Button.bounds,
                                                  panel::btn3Button.bounds };

    const PictureGroup* effectGroups[] = { &catalogue::btn1, &catalogue::btn2, &catalogue::btn3 };

    for (int i = 0; i < 3; ++i)
    {
        c.place (c.image (*effectGroups[i], s.effect[i] ? effectOn : effectOff), effectBounds[i]);

        if (s.hoveredEffect == i)
            c.place (c.image (*effectGroups[i], s.effect[i] ? effectOnOver : effectOffOver), effectBounds[i]);
    }

    const PictureGroup* beatGroups[] = { &catalogue::btn58, &catalogue::btn68, &catalogue::btn78, &catalogue::btn88 };
    const juce::Rectangle<int> beatBounds[] = { panel::btn58Button.bounds, panel::btn68Button.bounds,
                                                panel::btn78Button.bounds, panel::btn88Button.bounds };

    for (int i = 0; i < 4; ++i)
    {
        c.place (c.image (*beatGroups[i], s.beat == i ? keyOff : keyOn), beatBounds[i]);

        if (s.hoveredBeatKey == i)
            c.place (c.image (*beatGroups[i], keyOver), beatBounds[i]);
    }

    // Added in the editor's order: manual, host, classic.
    const PictureGroup* tempoGroups[] = { &catalogue::classic, &catalogue::host, &catalogue::manual };
    const juce::Rectangle<int> tempoBounds[] = { panel::btnclassicButton.bounds, panel::btnhostButton.bounds,
                                                 panel::btnmanualButton.bounds };

    for (int i : { 2, 1, 0 })
    {
        const bool on = s.tempoSource == i;
        c.place (c.image (*tempoGroups[i], on ? keyOff : keyOn), tempoBounds[i]);

        if (! on && s.hoveredTempoKey == i)
            c.place (c.image (*tempoGroups[i], keyOver), tempoBounds[i]);
    }

    c.place (c.image (catalogue::cateye, stripFrame (s.levelValue, catalogue::cateye)), panel::vuSlider.bounds);

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

juce::Image frameSheet (const std::vector<Picture>& pictures, std::initializer_list<const PictureGroup*> groups,
                        int columns, float zoom)
{
    std::vector<const Picture*> chosen;

    for (const auto& p : pictures)
        for (const auto* group : groups)
            if (p.folder == juce::String (group->folder.data(), group->folder.size()))
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
           writePng (frameSheet (pictures, { &catalogue::knob }, 15, 1.0f), folder.getChildFile ("sheet-knob.png")) &&
           writePng (frameSheet (pictures, { &catalogue::knob3, &catalogue::knob12 }, 8, 2.0f),
                     folder.getChildFile ("sheet-switches.png")) &&
           writePng (frameSheet (pictures, { &catalogue::cateye }, 9, 2.0f),
                     folder.getChildFile ("sheet-cateye.png")) &&
           writePng (frameSheet (pictures, { &catalogue::btn1, &catalogue::btn2, &catalogue::btn3, &catalogue::fader },
                                 4, 3.0f),
                     folder.getChildFile ("sheet-buttons.png")) &&
           writePng (frameSheet (pictures,
                                 { &catalogue::classic, &catalogue::manual, &catalogue::host, &catalogue::btn58,
                                   &catalogue::btn68, &catalogue::btn78, &catalogue::btn88 },
                                 4, 4.0f),
                     folder.getChildFile ("sheet-keys.png"));
}
} // namespace artwork
