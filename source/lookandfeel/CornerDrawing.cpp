#include "EchoLookAndFeel.h"
#include "PanelColours.h"

// The window's resizing corner shows only under the mouse: three short grooves in the panel's
// cream ink. Otherwise the corner is the panel itself, and the mouse pointer alone tells that it
// can be dragged.
void EchoLookAndFeel::drawCornerResizer (juce::Graphics& g, int w, int h, bool isMouseOver, bool isMouseDragging)
{
    if (! isMouseOver && ! isMouseDragging)
        return;

    const auto size = (float) juce::jmin (w, h);
    g.setColour (panelcolours::ink.withAlpha (isMouseDragging ? 0.9f : 0.6f));

    for (float i = 0.3f; i < 1.0f; i += 0.3f)
        g.drawLine ((float) w - size * i, (float) h, (float) w, (float) h - size * i, 1.5f);
}
