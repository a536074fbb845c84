#include "ControlArt.h"
#include "ControlGeometry.h"

namespace artwork
{
namespace
{
// Incandescent lamp behind tinted plastic.
const juce::Colour lampCore (0xffffe2a6);
const juce::Colour lampGlow (0xffffa531);

juce::Path glyphOutline (const juce::String& text, const juce::Font& font, juce::Point<float> centre)
{
    return textPath (text, font, centre);
}

// A legend lit from behind: a halo in the lamp's colour and a pale hot core.
void drawGlowingLegend (juce::Graphics& g, const juce::Path& legend, float strength, float haloWidth)
{
    for (int i = 4; i >= 1; --i)
    {
        const float width = haloWidth * (float) i / 4.0f;
        g.setColour (lampGlow.withAlpha (0.13f * strength));
        g.strokePath (legend,
                      juce::PathStrokeType (width, juce::PathStrokeType::curved, juce::PathStrokeType::rounded));
    }

    g.setColour (lampGlow.interpolatedWith (lampCore, 0.35f + 0.5f * strength));
    g.fillPath (legend);
}

// A legend printed on (or engraved into) a face: dark ink with a faint light lip below it.
void drawPrintedLegend (juce::Graphics& g, const juce::Path& legend, juce::Colour ink)
{
    g.setColour (juce::Colours::white.withAlpha (0.35f));
    g.fillPath (legend, juce::AffineTransform::translation (shadowOffset (0.4f)));
    g.setColour (ink);
    g.fillPath (legend);
}

// A raised key face: its cast shadow, the body in a top-left to bottom-right gradient, a bevel
// that is bright on the upper and left edges and dark on the lower and right ones.
void drawKeyFace (juce::Graphics& g, juce::Rectangle<float> face, float corner, juce::Colour light, juce::Colour dark,
                  float shadowStrength, float bevelStrength)
{
    fillSoftRoundedRect (g, face.translated (shadowOffset (1.2f).x, shadowOffset (1.2f).y), corner, 1.3f,
                         juce::Colours::black.withAlpha (shadowStrength));

    juce::ColourGradient body (light, face.getTopLeft(), dark, face.getBottomRight(), false);
    g.setGradientFill (body);
    g.fillRoundedRectangle (face, corner);

    juce::ColourGradient bevel (juce::Colours::white.withAlpha (0.55f * bevelStrength), face.getTopLeft(),
                                juce::Colours::black.withAlpha (0.45f * bevelStrength), face.getBottomRight(), false);
    bevel.addColour (0.5, juce::Colours::transparentWhite);
    g.setGradientFill (bevel);
    g.drawRoundedRectangle (face.reduced (0.6f), juce::jmax (0.0f, corner - 0.6f), 1.2f);

    g.setColour (juce::Colours::black.withAlpha (0.6f));
    g.drawRoundedRectangle (face.expanded (0.2f), corner + 0.2f, 0.5f);
}
} // namespace

juce::Image drawEffectButton (int scale, const Fonts& fonts, int width, int height, juce::Rectangle<float> face,
                              const juce::String& numeral, EffectButtonLook look)
{
    return render (scale, width, height, true,
                   [&fonts, face, numeral, look] (juce::Graphics& g)
                   {
                       const bool lit = look == EffectButtonLook::on || look == EffectButtonLook::onHover;
                       const bool hover = look == EffectButtonLook::offHover || look == EffectButtonLook::onHover;
                       const float corner = 3.5f;

                       if (lit)
                           drawKeyFace (g, face, corner, hover ? juce::Colour (0xff423a31) : juce::Colour (0xff342e28),
                                        hover ? juce::Colour (0xff1d1915) : juce::Colour (0xff161310), 0.6f, 0.7f);
                       else
                           drawKeyFace (g, face, corner, hover ? juce::Colour (0xfffffcf2) : juce::Colour (0xfff0ebdd),
                                        hover ? juce::Colour (0xffe3dac4) : juce::Colour (0xffcbc2ad), 0.6f, 1.0f);

                       // Milk glass is slightly domed: a soft highlight across its upper half.
                       auto dome = face.reduced (3.0f).withHeight (face.getHeight() * 0.42f);
                       juce::ColourGradient domeLight (juce::Colours::white.withAlpha (lit ? 0.07f : 0.35f),
                                                       dome.getTopLeft(), juce::Colours::white.withAlpha (0.0f),
                                                       dome.getBottomLeft(), false);
                       g.setGradientFill (domeLight);
                       g.fillRoundedRectangle (dome, corner - 1.0f);

                       const auto font = fonts.legend (21.0f, 0.0f);
                       const auto legend = glyphOutline (numeral, font, face.getCentre().translated (0.0f, 0.5f));

                       if (lit)
                       {
                           // The lamp also warms the face around the numeral.
                           fillSoftDisc (g, face.getCentre(), 8.0f, 11.0f, lampGlow.withAlpha (hover ? 0.30f : 0.20f));
                           drawGlowingLegend (g, legend, hover ? 1.0f : 0.75f, hover ? 7.0f : 5.0f);
                       }
                       else
                       {
                           drawPrintedLegend (g, legend, hover ? juce::Colour (0xff6a6253) : juce::Colour (0xff7a7262));
                       }
                   });
}

juce::Image drawKey (int scale, const Fonts& fonts, int width, int height, float drawnWidth,
                     const juce::String& legendText, float legendHeight, KeyLook look)
{
    return render (
        scale, width, height, true,
        [&fonts, width, height, drawnWidth, legendText, legendHeight, look] (juce::Graphics& g)
        {
            g.addTransform (juce::AffineTransform::scale ((float) width / drawnWidth, 1.0f));

            const auto face = juce::Rectangle<float> (1.0f, 1.0f, drawnWidth - 2.5f, (float) height - 2.5f);
            const float corner = 2.2f;

            switch (look)
            {
                case KeyLook::darkLit:
                    drawKeyFace (g, face, corner, juce::Colour (0xff38322b), juce::Colour (0xff15120f), 0.55f, 0.7f);
                    break;
                case KeyLook::cream:
                    drawKeyFace (g, face, corner, juce::Colour (0xfff1e8cf), juce::Colour (0xffcfc3a3), 0.55f, 1.0f);
                    break;
                case KeyLook::creamHover:
                    drawKeyFace (g, face, corner, juce::Colour (0xfffffbec), juce::Colour (0xffe6dbbd), 0.55f, 1.0f);
                    break;
                case KeyLook::disabled:
                    drawKeyFace (g, face, corner, juce::Colour (0xff2c2925), juce::Colour (0xff1c1a17), 0.35f, 0.35f);
                    break;
            }

            // The legend fits the face with a little margin whatever its length.
            auto font = fonts.legend (legendHeight, 0.04f);
            const float room = face.getWidth() - 6.0f;
            const float natural = textBounds (legendText, font, {}).getWidth();

            if (natural > room)
                font.setHorizontalScale (font.getHorizontalScale() * room / natural);

            const auto legend = glyphOutline (legendText, font, face.getCentre().translated (0.0f, 0.3f));

            switch (look)
            {
                case KeyLook::darkLit: drawGlowingLegend (g, legend, 0.8f, 2.0f); break;
                case KeyLook::cream: drawPrintedLegend (g, legend, juce::Colour (0xff2a251d)); break;
                case KeyLook::creamHover: drawPrintedLegend (g, legend, juce::Colour (0xff1d1914)); break;
                case KeyLook::disabled:
                    g.setColour (juce::Colour (0xff5e5547));
                    g.fillPath (legend);
                    break;
            }
        });
}

juce::Image drawFaderHandle (int scale)
{
    return render (
        scale, 27, 32, true,
        [] (juce::Graphics& g)
        {
            // The body keeps clear of the picture's sides, which the slider clips at the ends of
            // its travel.
            const float margin = (float) faderClippedMargin + 0.5f;
            const auto body = juce::Rectangle<float> (margin, 1.0f, 27.0f - 2.0f * margin, 28.5f);
            const float corner = 2.5f;

            fillSoftRoundedRect (g, body.translated (1.0f, 1.6f), corner, 1.2f, juce::Colours::black.withAlpha (0.7f));

            // A chrome cap like the knobs: bright towards the upper left.
            juce::ColourGradient metal (chrome (0.75f), body.getTopLeft(), chrome (-0.55f), body.getBottomRight(),
                                        false);
            metal.addColour (0.5, chrome (0.1f));
            g.setGradientFill (metal);
            g.fillRoundedRectangle (body, corner);

            // Grip ridges across the cap: each a dark groove with a lit lower lip.
            const auto grip = body.reduced (2.0f, 3.5f);

            for (float y = grip.getY(); y <= grip.getBottom() + 0.01f; y += 2.5f)
            {
                g.setColour (juce::Colours::black.withAlpha (0.35f));
                g.fillRect (juce::Rectangle<float> (grip.getX(), y, grip.getWidth(), 0.8f));
                g.setColour (juce::Colours::white.withAlpha (0.35f));
                g.fillRect (juce::Rectangle<float> (grip.getX(), y + 0.8f, grip.getWidth(), 0.5f));
            }

            // Bevel and outline.
            juce::ColourGradient bevel (juce::Colours::white.withAlpha (0.7f), body.getTopLeft(),
                                        juce::Colours::black.withAlpha (0.5f), body.getBottomRight(), false);
            bevel.addColour (0.5, juce::Colours::transparentWhite);
            g.setGradientFill (bevel);
            g.drawRoundedRectangle (body.reduced (0.6f), corner - 0.6f, 1.1f);
            g.setColour (juce::Colours::black.withAlpha (0.75f));
            g.drawRoundedRectangle (body, corner, 0.6f);

            // The index line, centred on the picture so that it sits on the thumb position.
            const float centreX = 27.0f * 0.5f;
            g.setColour (juce::Colour (0xff111214));
            g.fillRect (juce::Rectangle<float> (centreX - 0.8f, body.getY() + 1.5f, 1.6f, body.getHeight() - 3.0f));
            g.setColour (juce::Colours::white.withAlpha (0.5f));
            g.fillRect (juce::Rectangle<float> (centreX + 0.8f, body.getY() + 1.5f, 0.5f, body.getHeight() - 3.0f));
        });
}
} // namespace artwork
