#include "ControlArt.h"

#include <cmath>

namespace artwork
{
namespace
{
constexpr float pi = juce::MathConstants<float>::pi;

constexpr float glassRadius = 35.5f;
constexpr float targetInner = 11.0f;
constexpr float targetOuter = 30.0f;
constexpr float capRadius = 11.5f;

// At rest the shadow wedge is wide open; at full level its two edges meet at 12 o'clock.
constexpr float openWedgeHalfDegrees = 50.0f;

juce::Rectangle<float> circle (juce::Point<float> centre, float radius)
{
    return juce::Rectangle<float> (radius * 2.0f, radius * 2.0f).withCentre (centre);
}

juce::Path sector (juce::Point<float> centre, float inner, float outer, float from, float to)
{
    juce::Path path;
    path.addPieSegment (circle (centre, outer), from, to, inner / outer);
    return path;
}

juce::Colour phosphor (float intensity)
{
    // Zinc-silicate green: dull grey-green when cold, vivid green, nearly white at its hottest.
    const juce::Colour cold (0xff1a2a1f), warm (0xff35d06a), hot (0xff9dffb8);
    return intensity < 0.7f ? cold.interpolatedWith (warm, intensity / 0.7f)
                            : warm.interpolatedWith (hot, (intensity - 0.7f) / 0.3f);
}
} // namespace

juce::Image drawMagicEye (int scale, int frame, int frameCount)
{
    const float level = (float) frame / (float) (frameCount - 1);

    return render (
        scale, 86, 86, true,
        [level] (juce::Graphics& g)
        {
            const juce::Point<float> centre (43.0f, 43.0f);
            const float glow = std::pow (level, 0.85f);
            const float wedge = degrees (openWedgeHalfDegrees) * (1.0f - level);

            // Dark glass bulb; its depth is a little lighter at the centre.
            juce::ColourGradient bulb (juce::Colour (0xff101712), centre, juce::Colour (0xff030504),
                                       centre.translated (glassRadius, 0.0f), true);
            g.setGradientFill (bulb);
            g.fillEllipse (circle (centre, glassRadius));

            // Light spilling from the target into the glass.
            if (glow > 0.0f)
                fillSoftDisc (g, centre, targetOuter, 5.0f, juce::Colour (0xff3ee070).withAlpha (0.28f * glow));

            // The whole target as it looks cold, then the glowing part outside the shadow wedge.
            g.setColour (phosphor (0.0f));
            g.fillPath (sector (centre, targetInner, targetOuter, 0.0f, 2.0f * pi));

            if (glow > 0.0f)
            {
                juce::ColourGradient lit (phosphor (0.25f + 0.75f * glow), centre, phosphor (0.12f + 0.55f * glow),
                                          centre.translated (targetOuter, 0.0f), true);
                lit.addColour (targetInner / targetOuter, phosphor (0.3f + 0.7f * glow));
                g.setGradientFill (lit);
                g.fillPath (sector (centre, targetInner, targetOuter, wedge, 2.0f * pi - wedge));

                // The shadow's edges are soft, and the fluorescence crowds along them.
                constexpr int penumbraSteps = 6;
                const float penumbra = degrees (5.0f);

                for (int i = 0; i < penumbraSteps; ++i)
                {
                    const float t = ((float) i + 0.5f) / penumbraSteps;
                    g.setColour (phosphor (0.2f + 0.6f * glow).withAlpha (0.5f * (1.0f - t)));
                    const float inset = penumbra * t;
                    g.fillPath (sector (centre, targetInner, targetOuter, wedge - inset,
                                        wedge - inset + penumbra / penumbraSteps));
                    g.fillPath (sector (centre, targetInner, targetOuter, -wedge + inset - penumbra / penumbraSteps,
                                        -wedge + inset));
                }

                g.setColour (phosphor (juce::jmin (1.0f, 0.45f + 0.6f * glow)).withAlpha (0.9f));

                for (float side : { -1.0f, 1.0f })
                    g.drawLine ({ polar (centre, targetInner + 0.5f, side * wedge),
                                  polar (centre, targetOuter - 0.5f, side * wedge) },
                                0.9f);
            }

            // Fine radial structure of the coating, fixed on the glass.
            juce::Random rays (0x6579655f);
            constexpr int rayCount = 140;

            for (int i = 0; i < rayCount; ++i)
            {
                const float a = 2.0f * pi * (float) i / rayCount;
                g.setColour (juce::Colours::black.withAlpha (0.04f + 0.12f * rays.nextFloat()));
                g.fillPath (sector (centre, targetInner, targetOuter, a, a + pi / rayCount));
            }

            // The target's rim.
            g.setColour (juce::Colours::black.withAlpha (0.5f));
            g.drawEllipse (circle (centre, targetOuter), 0.6f);

            // The shield cap over the cathode: blackened metal with a turned rim.
            fillSoftDisc (g, centre + shadowOffset (0.8f), capRadius, 1.5f, juce::Colours::black.withAlpha (0.6f));
            juce::ColourGradient rim (juce::Colour (0xff8d949a), polar (centre, capRadius, degrees (-45.0f)),
                                      juce::Colour (0xff15171a), polar (centre, capRadius, degrees (135.0f)), false);
            g.setGradientFill (rim);
            g.fillEllipse (circle (centre, capRadius));
            juce::ColourGradient shield (juce::Colour (0xff25282b), centre.translated (-3.0f, -3.0f),
                                         juce::Colour (0xff070809), centre.translated (5.0f, 5.0f), false);
            g.setGradientFill (shield);
            g.fillEllipse (circle (centre, capRadius - 1.3f));

            // A faint green reflection of the target on the shield at higher levels.
            if (glow > 0.0f)
            {
                g.setColour (juce::Colour (0xff3ee070).withAlpha (0.12f * glow));
                g.drawEllipse (circle (centre, capRadius - 1.6f), 0.8f);
            }

            // The bulb's glass: a window reflection from the upper left and a dark edge.
            juce::Path reflection;
            reflection.addCentredArc (centre.x, centre.y, glassRadius - 4.0f, glassRadius - 4.0f, 0.0f,
                                      degrees (-95.0f), degrees (-5.0f), true);
            g.setColour (juce::Colours::white.withAlpha (0.16f));
            g.strokePath (reflection,
                          juce::PathStrokeType (3.5f, juce::PathStrokeType::curved, juce::PathStrokeType::rounded));
            g.setColour (juce::Colours::white.withAlpha (0.22f));
            g.strokePath (reflection,
                          juce::PathStrokeType (1.2f, juce::PathStrokeType::curved, juce::PathStrokeType::rounded));

            juce::ColourGradient sheen (juce::Colours::white.withAlpha (0.10f), centre.translated (-16.0f, -18.0f),
                                        juce::Colours::white.withAlpha (0.0f), centre.translated (4.0f, 2.0f), true);
            g.setGradientFill (sheen);
            g.fillEllipse (circle (centre, glassRadius - 1.0f));

            g.setColour (juce::Colours::black.withAlpha (0.85f));
            g.drawEllipse (circle (centre, glassRadius - 0.4f), 0.8f);
        });
}
} // namespace artwork
