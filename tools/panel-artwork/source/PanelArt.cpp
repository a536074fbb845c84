#include "PanelArt.h"
#include "ControlGeometry.h"

#include <cmath>
#include <tuple>
#include <vector>

namespace artwork
{
namespace
{
constexpr float pi = juce::MathConstants<float>::pi;

// Charcoal stove enamel with ivory silk-screen print.
const juce::Colour panelTop (0xff353836);
const juce::Colour panelBottom (0xff2a2c2b);
const juce::Colour ink (0xffe6dec4);
const juce::Colour inkSoft (0xffc4bca4);
const juce::Colour wellFill (0xff151615);

// Tick marks start just beyond the pointer tip; labels keep a small gap from the ticks.
constexpr float tickInner = knobPointerTipRadius + 1.5f;
constexpr float tickOuter = tickInner + 3.5f;
constexpr float labelGap = tickOuter + 1.8f;
constexpr float knobLegendY = 205.0f;

juce::Point<float> centreOf (juce::Rectangle<int> r) { return r.toFloat().getCentre(); }

void drawTick (juce::Graphics& g, juce::Point<float> centre, float angle, float inner, float outer, float width,
               juce::Colour colour = ink)
{
    g.setColour (colour);
    g.drawLine ({ polar (centre, inner, angle), polar (centre, outer, angle) }, width);
}

// A recess pressed into the panel: its upper and left walls throw a shadow inside, its lower
// and right walls catch the light.
void drawRecess (juce::Graphics& g, juce::Rectangle<float> area, float corner, juce::Colour fill)
{
    juce::Path hole;
    hole.addRoundedRectangle (area, corner);

    g.setColour (fill);
    g.fillPath (hole);

    juce::Path surround;
    surround.setUsingNonZeroWinding (false);
    surround.addRectangle (area.expanded (20.0f));
    surround.addPath (hole);

    {
        juce::Graphics::ScopedSaveState state (g);
        g.reduceClipRegion (hole);

        for (float h : { 0.8f, 1.6f, 2.6f })
        {
            g.setColour (juce::Colours::black.withAlpha (0.32f));
            g.fillPath (surround, juce::AffineTransform::translation (shadowOffset (h)));
        }

        g.setColour (juce::Colours::white.withAlpha (0.10f));
        g.fillPath (surround, juce::AffineTransform::translation (shadowOffset (-0.7f)));
    }

    juce::ColourGradient lip (juce::Colours::black.withAlpha (0.55f), area.getTopLeft(),
                              juce::Colours::white.withAlpha (0.22f), area.getBottomRight(), false);
    g.setGradientFill (lip);
    g.strokePath (hole, juce::PathStrokeType (0.9f));
}

void drawScrew (juce::Graphics& g, juce::Point<float> centre, float slotDegrees)
{
    constexpr float radius = 5.2f;
    const auto head = juce::Rectangle<float> (radius * 2.0f, radius * 2.0f).withCentre (centre);

    fillSoftDisc (g, centre + shadowOffset (1.0f), radius, 1.4f, juce::Colours::black.withAlpha (0.7f));

    juce::ColourGradient dome (chrome (0.85f), polar (centre, radius, degrees (-45.0f)), chrome (-0.75f),
                               polar (centre, radius, degrees (135.0f)), false);
    dome.addColour (0.5, chrome (0.0f));
    g.setGradientFill (dome);
    g.fillEllipse (head);
    g.setColour (juce::Colours::black.withAlpha (0.6f));
    g.drawEllipse (head, 0.5f);

    const float angle = degrees (slotDegrees);
    const auto a = polar (centre, radius - 1.0f, angle);
    const auto b = polar (centre, radius - 1.0f, angle + pi);
    const auto lit = shadowOffset (0.5f);
    g.setColour (juce::Colours::white.withAlpha (0.45f));
    g.drawLine ({ a + lit, b + lit }, 0.7f);
    g.setColour (juce::Colour (0xff141516));
    g.drawLine ({ a, b }, 1.3f);
}

struct PrintedLegend
{
    juce::String text;
    juce::Rectangle<float> bounds;
};

// Paints the panel section by section and keeps a record of every legend it prints, so that
// the layout can be checked afterwards.
class PanelPainter
{
public:
    PanelPainter (juce::Graphics& graphics, const Fonts& typefaces) : g (graphics), fonts (typefaces) {}

    void paint()
    {
        drawPanelBody();
        drawVersionPlate();

        for (auto [x, y, slot] : { std::tuple { 18.0f, 34.0f, 30.0f }, std::tuple { 858.0f, 34.0f, -20.0f },
                                   std::tuple { 18.0f, 266.0f, 75.0f }, std::tuple { 858.0f, 266.0f, 10.0f } })
            drawScrew (g, { x, y }, slot);

        drawLogo();
        drawNameplate();
        drawEffectButtonWell();

        drawLevelScale (panel::inputSlider.bounds);
        drawLevelScale (panel::lengthSlider.bounds);
        drawLevelScale (panel::volumeSlider.bounds);
        drawToneScale();
        drawSelectionScale();
        drawNumberedScale (panel::delaySelectionSlider.bounds, 12, [] (int i) { return juce::String (i + 1); });
        drawMagicEyeBezel();
        drawKnobLegends();

        drawDivider();
        drawTempoSourceKeys();
        drawFaderSlot();
        drawTempoReadout();
        drawBeatKeys();
    }

    std::vector<PrintedLegend> legends;

private:
    juce::Graphics& g;
    const Fonts& fonts;

    void print (const juce::String& text, const juce::Font& font, juce::Point<float> centre, juce::Colour colour = ink)
    {
        const auto path = textPath (text, font, centre);
        g.setColour (colour);
        g.fillPath (path);
        legends.push_back ({ text, path.getBounds() });
    }

    // A label set radially outside a dial: the side of its box nearest the dial sits at `radius`.
    void printRadial (const juce::String& text, const juce::Font& font, juce::Point<float> centre, float radius,
                      float angle, juce::Colour colour = inkSoft)
    {
        const auto box = textBounds (text, font, {});
        const float reach =
            std::abs (std::sin (angle)) * box.getWidth() * 0.5f + std::abs (std::cos (angle)) * box.getHeight() * 0.5f;
        print (text, font, polar (centre, radius + reach, angle), colour);
    }

    void drawPanelBody()
    {
        const auto bounds = juce::Rectangle<float> ((float) panel::width, (float) panel::height);

        juce::ColourGradient enamel (panelTop, 0.0f, 0.0f, panelBottom, 0.0f, bounds.getHeight(), false);
        g.setGradientFill (enamel);
        g.fillRect (bounds);

        // The light from the upper left falls off gently across the panel.
        juce::ColourGradient falloff (juce::Colours::white.withAlpha (0.05f), 0.0f, 0.0f,
                                      juce::Colours::white.withAlpha (0.0f), 700.0f, 300.0f, true);
        g.setGradientFill (falloff);
        g.fillRect (bounds);

        // Folded panel edge: lit on top and left, shaded on the bottom and right.
        g.setColour (juce::Colours::white.withAlpha (0.16f));
        g.fillRect (0.0f, 0.0f, bounds.getWidth(), 1.0f);
        g.fillRect (0.0f, 0.0f, 1.0f, bounds.getHeight());
        g.setColour (juce::Colours::black.withAlpha (0.45f));
        g.fillRect (0.0f, bounds.getHeight() - 1.0f, bounds.getWidth(), 1.0f);
        g.fillRect (bounds.getWidth() - 1.0f, 0.0f, 1.0f, bounds.getHeight());
    }

    // The version plate: plain black so that the editor's grey version text reads on it.
    void drawVersionPlate()
    {
        const auto plate = panel::versionText.toFloat().expanded (2.0f, 2.5f);
        drawRecess (g, plate, 2.0f, juce::Colour (0xff0d0e0d));
    }

    void drawLogo()
    {
        const auto area = panel::fhaButton.bounds.toFloat();
        const auto badge = area.reduced (0.5f);

        // An enamelled badge with a polished rim, fixed to the panel.
        fillSoftRoundedRect (g, badge.translated (1.4f, 2.0f), 5.0f, 2.0f, juce::Colours::black.withAlpha (0.65f));

        juce::ColourGradient rim (chrome (0.9f), badge.getTopLeft(), chrome (-0.7f), badge.getBottomRight(), false);
        rim.addColour (0.5, chrome (0.05f));
        g.setGradientFill (rim);
        g.fillRoundedRectangle (badge, 5.0f);

        const auto field = badge.reduced (2.2f);
        juce::ColourGradient enamel (juce::Colour (0xff1d1c1b), field.getTopLeft(), juce::Colour (0xff0c0c0b),
                                     field.getBottomRight(), false);
        g.setGradientFill (enamel);
        g.fillRoundedRectangle (field, 3.2f);

        // Maker line, wordmark, and a fine rule between.
        const float cx = field.getCentreX();
        const juce::Colour brass (0xffb8a77e);
        g.setColour (brass);
        g.fillPath (textPath ("K V O R", fonts.legend (6.2f, 0.12f), { cx, field.getY() + 6.0f }));

        const auto wordmarkFont = fonts.script (23.0f);
        const auto wordmark = textPath ("Vimbrel", wordmarkFont, { cx - 8.0f, field.getY() + 21.5f });
        const auto numeral =
            textPath ("2", fonts.script (23.0f), { wordmark.getBounds().getRight() + 8.0f, field.getY() + 21.5f });
        g.setColour (juce::Colours::black.withAlpha (0.8f));
        g.fillPath (wordmark, juce::AffineTransform::translation (shadowOffset (0.7f)));
        g.fillPath (numeral, juce::AffineTransform::translation (shadowOffset (0.7f)));
        g.setColour (ink);
        g.fillPath (wordmark);
        g.setColour (juce::Colour (0xffd9a441));
        g.fillPath (numeral);

        g.setColour (brass.withAlpha (0.8f));
        g.fillRect (juce::Rectangle<float> (cx - 30.0f, field.getBottom() - 8.6f, 60.0f, 0.5f));
        g.setColour (brass);
        g.fillPath (textPath ("DRUM ECHO", fonts.legend (5.6f, 0.16f), { cx, field.getBottom() - 4.6f }));
    }

    void drawNameplate()
    {
        // A small top view of the drum: the record head (amber) and the four playback heads spaced
        // 1 : 2 : 3 : 4 after it along the direction of rotation, and the unit's name beside it.
        const juce::Point<float> drum (584.0f, 62.0f);
        constexpr float drumRadius = 12.5f;

        g.setColour (ink);
        g.drawEllipse (juce::Rectangle<float> (drumRadius * 2.0f, drumRadius * 2.0f).withCentre (drum), 1.2f);
        g.fillEllipse (juce::Rectangle<float> (3.6f, 3.6f).withCentre (drum));

        juce::Path spin;
        const float spinRadius = drumRadius - 4.5f;
        spin.addCentredArc (drum.x, drum.y, spinRadius, spinRadius, 0.0f, degrees (-20.0f), degrees (130.0f), true);
        g.strokePath (spin, juce::PathStrokeType (0.8f));
        juce::Path arrow;
        arrow.addTriangle (0.0f, -2.0f, 3.2f, 0.0f, 0.0f, 2.0f);
        g.fillPath (
            arrow,
            juce::AffineTransform::rotation (degrees (130.0f)).translated (polar (drum, spinRadius, degrees (130.0f))));

        auto head = [this, drum] (float angleDegrees, juce::Colour colour)
        {
            juce::Path block;
            block.addRoundedRectangle (-3.0f, -1.8f, 6.0f, 3.6f, 0.8f);
            const float angle = degrees (angleDegrees);
            g.setColour (colour);
            g.fillPath (block,
                        juce::AffineTransform::rotation (angle).translated (polar (drum, drumRadius + 3.2f, angle)));
        };

        constexpr float recordHead = -90.0f;
        constexpr float degreesPerSpacing = 36.0f;
        head (recordHead, juce::Colour (0xffd9a441));

        for (float ratio : { 1.0f, 2.02f, 3.0f, 4.0f })
            head (recordHead + degreesPerSpacing * ratio, ink);

        const float left = 612.0f;
        const auto titleFont = fonts.legend (15.0f, 0.2f);
        const auto title = textPath ("MAGNETIC DRUM ECHO", titleFont, {});
        const float titleWidth = title.getBounds().getWidth();
        print ("MAGNETIC DRUM ECHO", titleFont, { left + titleWidth * 0.5f, 55.0f });

        g.setColour (juce::Colour (0xffd9a441));
        g.fillRect (juce::Rectangle<float> (left, 64.5f, titleWidth, 1.0f));

        const auto subFont = fonts.legend (7.2f, 0.18f);
        const juce::String sub (juce::CharPointer_UTF8 ("FOUR HEADS  \xc2\xb7  TWELVE PATTERNS  \xc2\xb7  SWELL"));
        const float subWidth = textBounds (sub, subFont, {}).getWidth();
        print (sub, subFont, { left + subWidth * 0.5f, 73.5f }, inkSoft);
    }

    void drawEffectButtonWell()
    {
        const auto bank = panel::btn1Button.bounds.getUnion (panel::btn3Button.bounds).toFloat();
        drawRecess (g, bank.reduced (1.0f, 2.0f), 4.0f, wellFill);

        const auto font = fonts.legend (7.4f, 0.08f);
        const float y = bank.getY() - 7.5f;
        print ("STEREO FB 1", font, { 383.0f, y });
        print ("DOUBLE TIME", font, { 438.0f, y });
        print ("STEREO FB 2", font, { 493.0f, y });
    }

    void drawNumberedScale (juce::Rectangle<int> knob, int positions, const std::function<juce::String (int)>& label)
    {
        const auto centre = centreOf (knob);
        const auto font = fonts.legend (7.6f, 0.02f);

        for (int i = 0; i < positions; ++i)
        {
            const float angle = degrees (knobAngleDegrees (i, positions));
            drawTick (g, centre, angle, tickInner, tickOuter, 1.1f);
            printRadial (label (i), font, centre, labelGap, angle);
        }
    }

    void drawLevelScale (juce::Rectangle<int> knob)
    {
        drawNumberedScale (knob, 11, [] (int i) { return juce::String (i); });
    }

    void drawToneScale()
    {
        const auto centre = centreOf (panel::toneSlider.bounds);

        for (int i = 0; i < 11; ++i)
        {
            const float angle = degrees (knobAngleDegrees (i, 11));
            const bool middle = i == 5;
            drawTick (g, centre, angle, tickInner, middle ? tickOuter + 2.0f : tickOuter, middle ? 1.4f : 1.1f);
        }

        const auto font = fonts.legend (10.0f, 0.0f);
        printRadial (juce::CharPointer_UTF8 ("\xe2\x80\x93"), font, centre, labelGap, degrees (-150.0f), ink);
        printRadial ("+", font, centre, labelGap, degrees (150.0f), ink);
        printRadial ("0", fonts.legend (7.6f, 0.0f), centre, labelGap + 2.0f, 0.0f);
    }

    void drawSelectionScale()
    {
        const auto centre = centreOf (panel::selectionSlider.bounds);
        const auto font = fonts.legend (6.8f, 0.06f);
        const char* names[] = { "ECHO", "REPEAT", "SWELL" };

        for (int i = 0; i < 3; ++i)
        {
            const float angle = degrees (switchAngleDegrees (i));
            drawTick (g, centre, angle, tickInner, tickOuter + 1.5f, 1.6f);
            printRadial (names[i], font, centre, labelGap + 1.5f, angle);
        }
    }

    void drawKnobLegends()
    {
        const auto font = fonts.legend (9.0f, 0.1f);

        struct ControlLegend
        {
            juce::Rectangle<int> control;
            const char* text;
        };

        const ControlLegend controlLegends[] = {
            { panel::inputSlider.bounds, "INPUT" },
            { panel::lengthSlider.bounds, "LENGTH" },
            { panel::volumeSlider.bounds, "VOLUME" },
            { panel::vuSlider.bounds, "LEVEL" },
            { panel::toneSlider.bounds, "TONE" },
            { panel::selectionSlider.bounds, "MODE" },
            { panel::delaySelectionSlider.bounds, "HEADS" },
        };

        for (const auto& legend : controlLegends)
            print (legend.text, font, { centreOf (legend.control).x, knobLegendY });
    }

    void drawMagicEyeBezel()
    {
        const auto centre = centreOf (panel::vuSlider.bounds);
        constexpr float inner = 35.0f;
        constexpr float outer = 40.0f;
        auto disc = [centre] (float r) { return juce::Rectangle<float> (r * 2.0f, r * 2.0f).withCentre (centre); };

        fillSoftDisc (g, centre + shadowOffset (1.8f), outer, 2.5f, juce::Colours::black.withAlpha (0.7f));

        // Polished ring: its outer slope faces away from the lamp and is lit at the upper left,
        // its inner slope faces the lamp and is lit at the lower right.
        juce::ColourGradient outerSlope (chrome (0.95f), polar (centre, outer, degrees (-45.0f)), chrome (-0.8f),
                                         polar (centre, outer, degrees (135.0f)), false);
        outerSlope.addColour (0.5, chrome (0.05f));
        g.setGradientFill (outerSlope);
        g.fillEllipse (disc (outer));

        juce::ColourGradient innerSlope (chrome (-0.7f), polar (centre, inner + 2.5f, degrees (-45.0f)), chrome (0.85f),
                                         polar (centre, inner + 2.5f, degrees (135.0f)), false);
        g.setGradientFill (innerSlope);
        g.fillEllipse (disc (inner + 2.3f));

        g.setColour (juce::Colour (0xff050605));
        g.fillEllipse (disc (inner));
        g.setColour (juce::Colours::black.withAlpha (0.6f));
        g.drawEllipse (disc (outer - 0.2f), 0.5f);
    }

    // The divider between the echo controls and the tempo row.
    void drawDivider()
    {
        const float y = 219.0f;
        g.setColour (juce::Colours::black.withAlpha (0.55f));
        g.fillRect (juce::Rectangle<float> (24.0f, y, 828.0f, 1.0f));
        g.setColour (juce::Colours::white.withAlpha (0.09f));
        g.fillRect (juce::Rectangle<float> (24.0f, y + 1.0f, 828.0f, 1.0f));
    }

    // A printed bracket over a group: title in the middle of a line whose ends turn down.
    void drawGroupBracket (const juce::String& title, float left, float right, float y, float drop)
    {
        const auto font = fonts.legend (7.6f, 0.14f);
        const auto box = textBounds (title, font, { (left + right) * 0.5f, y });
        const float gap = 4.0f;

        g.setColour (inkSoft);
        g.fillRect (juce::Rectangle<float> (left, y - 0.4f, box.getX() - gap - left, 0.8f));
        g.fillRect (juce::Rectangle<float> (box.getRight() + gap, y - 0.4f, right - box.getRight() - gap, 0.8f));
        g.fillRect (juce::Rectangle<float> (left, y - 0.4f, 0.8f, drop));
        g.fillRect (juce::Rectangle<float> (right - 0.8f, y - 0.4f, 0.8f, drop));
        print (title, font, { (left + right) * 0.5f, y });
    }

    void drawTempoSourceKeys()
    {
        for (auto key : { panel::btnclassicButton.bounds, panel::btnhostButton.bounds, panel::btnmanualButton.bounds })
            drawRecess (g, key.toFloat().expanded (1.5f), 3.0f, wellFill);

        const auto keys = panel::btnclassicButton.bounds.getUnion (panel::btnmanualButton.bounds).toFloat();
        drawGroupBracket ("TEMPO SOURCE", keys.getX() - 1.0f, keys.getRight() + 1.0f, 250.0f, 6.0f);
    }

    void drawBeatKeys()
    {
        const auto keys = panel::btn58Button.bounds.getUnion (panel::btn88Button.bounds).toFloat();
        drawRecess (g, keys.expanded (1.5f), 3.0f, wellFill);
        drawGroupBracket ("BEAT", keys.getX() - 1.0f, keys.getRight() + 1.0f, 250.0f, 6.0f);
    }

    void drawFaderSlot()
    {
        const auto fader = panel::bpmSlider.bounds.toFloat();
        const float midY = fader.getCentreY();
        const float start = faderThumbX (faderMinBpm);
        const float end = faderThumbX (faderMaxBpm);

        // A shallow plate recess with the slot cut into it; the handle rides over the slot.
        drawRecess (g, juce::Rectangle<float> (start - 18.0f, midY - 12.0f, end - start + 36.0f, 24.0f), 3.0f,
                    juce::Colour (0xff202221));
        drawRecess (g, juce::Rectangle<float> (start - 6.0f, midY - 2.5f, end - start + 12.0f, 5.0f), 2.5f,
                    juce::Colour (0xff040404));

        // The scale: a tick every 10 BPM, numbered every 20, each under a position the handle's
        // index line can take.
        const auto font = fonts.legend (7.0f, 0.0f);
        const float tickBottom = fader.getY() - 2.0f;

        for (int bpm = 40; bpm <= 200; bpm += 10)
        {
            const float x = faderThumbX ((float) bpm);
            const bool major = bpm % 20 == 0;
            g.setColour (ink);
            g.fillRect (
                juce::Rectangle<float> (x - 0.5f, tickBottom - (major ? 5.0f : 3.0f), 1.0f, major ? 5.0f : 3.0f));

            if (major)
                print (juce::String (bpm), font, { x, tickBottom - 10.5f }, inkSoft);
        }

        drawGroupBracket ("MANUAL TEMPO  BPM", start - 6.0f, end + 6.0f, 229.0f, 4.0f);
    }

    // The tempo readout: the editor draws its labels here, so it is left as a plain dark window.
    void drawTempoReadout()
    {
        const auto window = juce::Rectangle<float> (546.0f, 258.0f, 98.0f, 25.0f);
        drawRecess (g, window, 3.0f, juce::Colour (0xff050505));
        drawGroupBracket ("TEMPO", window.getX(), window.getRight(), 250.0f, 6.0f);
    }
};

// Every printed legend must stand free: apart from the other legends, and clear of every place
// where a control, the version text or the tempo labels are drawn over the panel.
juce::StringArray checkLegends (const std::vector<PrintedLegend>& legends)
{
    struct Zone
    {
        juce::String name;
        juce::Rectangle<float> box;
        float radius; // > 0: a disc of this radius around the box's centre
    };

    std::vector<Zone> zones;
    auto disc = [&zones] (const char* name, juce::Rectangle<int> bounds, float radius) {
        zones.push_back ({ name, bounds.toFloat(), radius });
    };
    auto box = [&zones] (const char* name, juce::Rectangle<float> bounds) { zones.push_back ({ name, bounds, 0.0f }); };

    const float knobReach = knobPointerTipRadius + 0.5f;
    disc ("input knob", panel::inputSlider.bounds, knobReach);
    disc ("length knob", panel::lengthSlider.bounds, knobReach);
    disc ("volume knob", panel::volumeSlider.bounds, knobReach);
    disc ("tone knob", panel::toneSlider.bounds, knobReach);
    disc ("mode switch", panel::selectionSlider.bounds, knobReach);
    disc ("head selector", panel::delaySelectionSlider.bounds, knobReach);
    disc ("magic eye", panel::vuSlider.bounds, (float) panel::vuSlider.bounds.getWidth() * 0.5f);
    box ("effect buttons", panel::btn1Button.bounds.getUnion (panel::btn3Button.bounds).toFloat());
    box ("tempo keys", panel::btnclassicButton.bounds.getUnion (panel::btnmanualButton.bounds).toFloat());
    box ("beat keys", panel::btn58Button.bounds.getUnion (panel::btn88Button.bounds).toFloat());
    box ("fader travel", { faderThumbX (faderMinBpm) - 13.5f, (float) panel::bpmSlider.bounds.getY(),
                           faderThumbX (faderMaxBpm) - faderThumbX (faderMinBpm) + 27.0f,
                           (float) panel::bpmSlider.bounds.getHeight() });
    box ("logo", panel::fhaButton.bounds.toFloat());
    box ("version text", panel::versionText.toFloat());
    box ("tempo readout", panel::tempoCaptionLabel.getUnion (panel::tempoValueLabel).toFloat());

    auto hits = [] (const Zone& zone, juce::Rectangle<float> r)
    {
        if (zone.radius <= 0.0f)
            return zone.box.intersects (r);

        const auto centre = zone.box.getCentre();
        const juce::Point<float> nearest (juce::jlimit (r.getX(), r.getRight(), centre.x),
                                          juce::jlimit (r.getY(), r.getBottom(), centre.y));
        return nearest.getDistanceFrom (centre) < zone.radius;
    };

    juce::StringArray problems;

    for (size_t i = 0; i < legends.size(); ++i)
    {
        const auto inked = legends[i].bounds;

        if (! juce::Rectangle<float> ((float) panel::width, (float) panel::height).contains (inked))
            problems.add ("legend \"" + legends[i].text + "\" runs off the panel");

        for (const auto& zone : zones)
            if (hits (zone, inked))
                problems.add ("legend \"" + legends[i].text + "\" lies under the " + zone.name);

        for (size_t j = i + 1; j < legends.size(); ++j)
            if (inked.intersects (legends[j].bounds))
                problems.add ("legends \"" + legends[i].text + "\" and \"" + legends[j].text + "\" overlap");
    }

    return problems;
}
} // namespace

juce::Image drawPanel (int scale, const Fonts& fonts, juce::StringArray& layoutProblems)
{
    std::vector<PrintedLegend> legends;

    auto panel = render (scale, panel::width, panel::height, false,
                         [&fonts, &legends] (juce::Graphics& g)
                         {
                             PanelPainter painter (g, fonts);
                             painter.paint();
                             legends = painter.legends;
                         });

    addGrain (panel, panel.getBounds(), 0.012f, 0x70616e656c);
    layoutProblems.addArray (checkLegends (legends));
    return panel;
}
} // namespace artwork
