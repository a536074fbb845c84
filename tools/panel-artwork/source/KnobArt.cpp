#include "ControlArt.h"
#include "ControlGeometry.h"

#include <cmath>

namespace artwork
{
namespace
{
constexpr float pi = juce::MathConstants<float>::pi;

constexpr float capRadius = 18.0f;
constexpr float chamferRadius = 19.8f;
constexpr float skirtRadius = 26.5f;
constexpr float pointerBaseRadius = 23.0f;
constexpr float pointerTipRadius = knobPointerTipRadius;
constexpr float pointerBaseHalfWidth = 5.4f;
constexpr int knurlRidges = 54;

juce::Rectangle<float> circle (juce::Point<float> centre, float radius)
{
    return juce::Rectangle<float> (radius * 2.0f, radius * 2.0f).withCentre (centre);
}

juce::Path ring (juce::Point<float> centre, float inner, float outer, float from, float to)
{
    juce::Path path;
    path.addPieSegment (circle (centre, outer), from, to, inner / outer);
    return path;
}

juce::Path pointerFin (juce::Point<float> centre, float angle, float side)
{
    // One half of the fin: from its centre line to the edge on `side` (-1 left, +1 right).
    const auto across = juce::Point<float> (std::cos (angle), std::sin (angle)) * side;
    const auto base = polar (centre, pointerBaseRadius, angle);
    const auto tip = polar (centre, pointerTipRadius, angle);
    juce::Path path;
    path.startNewSubPath (base);
    path.lineTo (base + across * pointerBaseHalfWidth);
    path.lineTo (tip);
    path.closeSubPath();
    return path;
}

void drawPointer (juce::Graphics& g, juce::Point<float> centre, float angle)
{
    juce::Path whole = pointerFin (centre, angle, -1.0f);
    whole.addPath (pointerFin (centre, angle, 1.0f));

    // Cast shadow of the fin on the panel, softened by two offsets.
    for (float h : { 1.1f, 1.8f })
    {
        g.setColour (juce::Colours::black.withAlpha (0.28f));
        g.fillPath (whole, juce::AffineTransform::translation (shadowOffset (h)));
    }

    // The fin is a shallow ridge: each half faces away from the centre line and is lit by how
    // much it faces the upper left.
    for (float side : { -1.0f, 1.0f })
    {
        const float facing = towardsLight (angle + side * pi * 0.5f);
        const float level = 0.9f + 0.1f * facing;
        g.setColour (juce::Colour::fromFloatRGBA (level, level * 0.99f, level * 0.96f, 1.0f));
        g.fillPath (pointerFin (centre, angle, side));
    }

    g.setColour (juce::Colour (0xff1d1e20).withAlpha (0.4f));
    g.strokePath (whole, juce::PathStrokeType (0.5f, juce::PathStrokeType::mitered));
}

void drawKnurledSkirt (juce::Graphics& g, juce::Point<float> centre, float angle)
{
    g.setColour (chrome (-0.6f));
    g.fillEllipse (circle (centre, skirtRadius));

    // Each ridge has two flanks; a flank's normal leans sideways from the radius, so its
    // brightness follows both the ridge's place on the circle and which side it faces.
    const float pitch = 2.0f * pi / knurlRidges;

    for (int i = 0; i < knurlRidges; ++i)
    {
        const float ridge = angle + pitch * (float) i;

        for (float side : { -1.0f, 1.0f })
        {
            const float from = side < 0 ? ridge - pitch * 0.5f : ridge;
            const float to = side < 0 ? ridge : ridge + pitch * 0.5f;
            const float lit = 0.55f * towardsLight (ridge) + 0.55f * towardsLight (ridge + side * pi * 0.5f);
            g.setColour (chrome (lit));
            g.fillPath (ring (centre, chamferRadius - 0.5f, skirtRadius, from, to));
        }
    }

    // The skirt's outer edge: a dark seam against the panel, a glint where it faces the light.
    g.setColour (juce::Colours::black.withAlpha (0.65f));
    g.drawEllipse (circle (centre, skirtRadius - 0.25f), 0.7f);

    g.setColour (juce::Colours::white.withAlpha (0.45f));
    juce::Path glint;
    glint.addCentredArc (centre.x, centre.y, skirtRadius - 0.9f, skirtRadius - 0.9f, 0.0f, degrees (-115.0f),
                         degrees (25.0f), true);
    g.strokePath (glint, juce::PathStrokeType (0.6f, juce::PathStrokeType::curved, juce::PathStrokeType::rounded));
}

void drawCap (juce::Graphics& g, juce::Point<float> centre, float angle)
{
    // A polished chamfer between the knurl and the flat top.
    juce::ColourGradient chamfer (chrome (0.95f), polar (centre, chamferRadius, degrees (-45.0f)), chrome (-0.85f),
                                  polar (centre, chamferRadius, degrees (135.0f)), false);
    chamfer.addColour (0.45, chrome (0.15f));
    g.setGradientFill (chamfer);
    g.fillEllipse (circle (centre, chamferRadius));

    // The top is spun metal: brighter towards the light, with the radial sheen that circular
    // brushing gives along the light's axis.
    juce::ColourGradient top (chrome (0.8f), polar (centre, capRadius, degrees (-45.0f)), chrome (-0.3f),
                              polar (centre, capRadius, degrees (135.0f)), false);
    g.setGradientFill (top);
    g.fillEllipse (circle (centre, capRadius));

    constexpr int sheenSteps = 180;

    for (int i = 0; i < sheenSteps; ++i)
    {
        const float a = 2.0f * pi * (float) i / sheenSteps;
        const float lobe = std::cos (2.0f * (a + pi * 0.25f));
        const auto colour = lobe > 0 ? juce::Colours::white.withAlpha (0.38f * lobe * lobe)
                                     : juce::Colours::black.withAlpha (0.24f * lobe * lobe);
        g.setColour (colour);
        juce::Path wedge;
        wedge.addPieSegment (circle (centre, capRadius), a, a + 2.0f * pi / sheenSteps + 0.004f, 0.0f);
        g.fillPath (wedge);
    }

    // Fine concentric tool marks; the same on every frame since they are round.
    juce::Random marks (0x6b6e6f62);

    for (int i = 0; i < 46; ++i)
    {
        const float r = 2.5f + marks.nextFloat() * (capRadius - 3.0f);
        const bool light = marks.nextBool();
        g.setColour (
            (light ? juce::Colours::white : juce::Colours::black).withAlpha (0.05f + 0.06f * marks.nextFloat()));
        g.drawEllipse (circle (centre, r), 0.3f);
    }

    g.setColour (juce::Colours::black.withAlpha (0.45f));
    g.drawEllipse (circle (centre, capRadius), 0.5f);

    // The engraved index line turns with the pointer: a dark groove whose far wall catches the
    // light.
    const auto inner = polar (centre, 6.0f, angle);
    const auto outer = polar (centre, capRadius - 2.2f, angle);
    const auto lit = shadowOffset (0.45f);
    g.setColour (juce::Colours::white.withAlpha (0.55f));
    g.drawLine ({ inner + lit, outer + lit }, 0.7f);
    g.setColour (juce::Colour (0xff1b1c1f).withAlpha (0.85f));
    g.drawLine ({ inner, outer }, 1.2f);

    // A shallow centre dimple: concave, so lit on its lower right.
    juce::ColourGradient dimple (chrome (-0.5f), centre.translated (-2.0f, -2.0f), chrome (0.8f),
                                 centre.translated (2.0f, 2.0f), false);
    g.setGradientFill (dimple);
    g.fillEllipse (circle (centre, 2.4f));
}
} // namespace

juce::Image drawKnob (int scale, float pointerDegrees)
{
    return render (
        scale, 91, 91, true,
        [pointerDegrees] (juce::Graphics& g)
        {
            const juce::Point<float> centre (45.5f, 45.5f);
            const float angle = degrees (pointerDegrees);

            fillSoftDisc (g, centre + shadowOffset (2.6f), skirtRadius, 4.5f, juce::Colours::black.withAlpha (0.6f));
            fillSoftDisc (g, centre + shadowOffset (0.8f), skirtRadius, 1.2f, juce::Colours::black.withAlpha (0.5f));

            drawPointer (g, centre, angle);
            drawKnurledSkirt (g, centre, angle);
            drawCap (g, centre, angle);
        });
}
} // namespace artwork
