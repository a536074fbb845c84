// Renders the plug-in's window to a PNG file, so that anyone can look at it without a host:
//
//   vimbrel-screenshot OUTPUT.png            the window in a playing state: the knobs turned,
//                                            the first effect on and the level lamp lit
//   vimbrel-screenshot --window OUTPUT.png   the window as its processor creates it
//   vimbrel-screenshot --menu OUTPUT.png     the playing state with the value readout over the
//                                            Selection knob and the programs menu open beside
//                                            it (this one needs a display)
//   vimbrel-screenshot --scale S OUTPUT.png  either, as a screen scaled by S (1 to 4; 2 is
//                                            200 %) shows it
//   vimbrel-screenshot --labelled OUTPUT.png the playing state with a numbered mark on every
//                                            control of the panel's layout and, below, the
//                                            key of the numbers: the control's word on the panel

#include "SlotNames.h"
#include "editor/EchoPluginEditor.h"
#include "model/PanelLayout.h"
#include "model/SlotTable.h"
#include "processor/EchoPluginProcessor.h"

#include <X11/Xlib.h>

#include <iostream>
#include <iterator>
#include <memory>

namespace
{
struct SlotValue
{
    int slot;
    float value;
};

// What the playing state changes on a new processor; its tempo keys (host, 8/8) stay.
const SlotValue playingState[] = {
    { Slot::input, 0.55f },    { Slot::length, 0.4f },     { Slot::volume, 0.7f },
    { Slot::tone, 0.5f },      { Slot::selection, 0.66f }, { Slot::delaySelection, 0.415f },
    { Slot::manualBpm, 0.6f }, { Slot::levelStep, 0.6f },  { Slot::stereoFeedback1, 1.0f },
};

// The programs menu a right-click on the panel opens, drawn where it opens at `panelPoint`.
void drawProgramMenu (NewProjectAudioProcessorEditor& editor, juce::Image& window, juce::Point<int> panelPoint,
                      float scale)
{
    const juce::Point<int> screenPoint (100, 100);
    editor.contextMenuFor (panel::noSlot)
        .showMenuAsync (juce::PopupMenu::Options().withTargetScreenArea ({ screenPoint.x, screenPoint.y, 1, 1 }));

    for (int i = juce::Desktop::getInstance().getNumComponents(); --i >= 0;)
    {
        auto* menu = juce::Desktop::getInstance().getComponent (i);

        if (menu == nullptr || ! menu->isShowing() || menu == &editor)
            continue;

        const auto image = menu->createComponentSnapshot (menu->getLocalBounds(), true, scale);
        const auto at = (menu->getScreenPosition() - screenPoint + panelPoint).toFloat() * scale;
        juce::Graphics (window).drawImageAt (image, juce::roundToInt (at.x), juce::roundToInt (at.y));
        break;
    }

    juce::PopupMenu::dismissAllActiveMenus();
}

juce::Image renderWindow (bool playing, bool withMenu, float scale)
{
    // The processor holds the echo's delay memory: far too large for the stack.
    const auto processor = std::make_unique<NewProjectAudioProcessor>();

    if (playing)
        for (const auto& [slot, value] : playingState)
            processor->setParameter (slot, value);

    NewProjectAudioProcessorEditor editor (processor.get());

    // The lamp follows the level on the window's timer, which has not run yet.
    editor.timerCallback();

    if (withMenu)
        editor.valueReadout.show (editor.selectionSlider);

    auto image = editor.createComponentSnapshot (editor.getLocalBounds(), true, scale);

    if (withMenu)
        drawProgramMenu (editor, image, panel::selectionSlider.bounds.getTopRight().translated (-10, 10), scale);

    return image;
}

// The word a control is known by: the panel's word for the slot it writes, or for the two
// controls that write none, what they are.
juce::String controlWord (const panel::Control& control)
{
    if (&control == &panel::vuSlider)
        return "Level lamp";
    if (&control == &panel::fhaButton)
        return "Settings (the logo)";
    return vimbrel::render::panelName (control.slot);
}

// Marks every control of the layout with its number, in the layout's order, on a copy of the
// window and lists the numbers' words below it, so that the picture's labels come from the same
// table as the controls.
juce::Image labelWindow (const juce::Image& window)
{
    constexpr int columns = 4, rowHeight = 20, margin = 12;
    constexpr auto count = (int) std::size (panel::controls);
    const int rows = (count + columns - 1) / columns;
    const auto ink = juce::Colour (0xff1d1d1b), mark = juce::Colour (0xfff2c230);

    juce::Image labelled (juce::Image::RGB, window.getWidth(), window.getHeight() + 2 * margin + rows * rowHeight, true,
                          juce::SoftwareImageType());
    juce::Graphics g (labelled);
    g.fillAll (juce::Colour (0xfff4f1ea));
    g.drawImageAt (window, 0, 0);
    g.setFont (juce::Font (13.0f, juce::Font::bold));

    const float radius = 9.0f;
    const float columnWidth = (float) (window.getWidth() - 2 * margin) / (float) columns;
    auto drawMark = [&] (const juce::String& number, juce::Point<float> centre)
    {
        const auto disc = juce::Rectangle<float> (2.0f * radius, 2.0f * radius).withCentre (centre);
        g.setColour (mark);
        g.fillEllipse (disc);
        g.setColour (ink);
        g.drawEllipse (disc, 1.2f);
        g.drawText (number, disc, juce::Justification::centred, false);
    };

    for (int i = 0; i < count; ++i)
    {
        const auto& control = *panel::controls[i];
        const auto number = juce::String (i + 1);

        // A knob's corner is empty panel; a key, the fader or the logo is marked on its corner,
        // so that its legend stays readable.
        const auto bounds = control.bounds.toFloat();
        const auto centre = control.kind == panel::Kind::knob || control.kind == panel::Kind::lamp
                                ? bounds.getTopLeft().translated (radius + 2.0f, radius + 2.0f)
                                : bounds.getTopLeft();
        drawMark (number, centre);

        const auto row = i / columns, column = i % columns;
        const juce::Rectangle<float> entry ((float) margin + (float) column * columnWidth,
                                            (float) (window.getHeight() + margin + row * rowHeight), columnWidth,
                                            (float) rowHeight);
        drawMark (number, { entry.getX() + radius + 1.0f, entry.getCentreY() });
        g.drawText (controlWord (control), entry.withTrimmedLeft (2.0f * radius + 8.0f),
                    juce::Justification::centredLeft, true);
    }

    return labelled;
}

bool writePng (const juce::Image& image, const juce::File& file)
{
    file.deleteFile();
    juce::FileOutputStream stream (file);
    return stream.openedOk() && juce::PNGImageFormat().writeImageToStream (image, stream);
}
} // namespace

int main (int argc, char** argv)
{
    const juce::StringArray arguments (argv + 1, argc - 1);
    auto outputs = arguments;
    const bool window = outputs.contains ("--window");
    const bool menu = outputs.contains ("--menu");
    const bool labelled = outputs.contains ("--labelled");
    outputs.removeString ("--window");
    outputs.removeString ("--menu");
    outputs.removeString ("--labelled");

    float scale = 1.0f;
    const int scaleOption = outputs.indexOf ("--scale");

    if (scaleOption >= 0)
    {
        const auto value = outputs[scaleOption + 1];
        scale = value.getFloatValue();

        if (! value.containsOnly ("0123456789.") || ! (scale >= 1.0f && scale <= 4.0f))
        {
            std::cerr << "vimbrel-screenshot: the scale must be a number from 1 to 4, not \"" << value << "\"\n";
            return 2;
        }

        outputs.removeRange (scaleOption, 2);
    }

    if (outputs.size() != 1 || outputs[0].startsWith ("-") || (int) window + (int) menu + (int) labelled > 1 ||
        (labelled && scaleOption >= 0))
    {
        std::cerr << "usage: vimbrel-screenshot [--window | --menu] [--scale S] OUTPUT.png\n"
                     "       vimbrel-screenshot --labelled OUTPUT.png\n";
        return 2;
    }

    // On a bare X server the framework's first window causes X errors (it uses window-manager
    // atoms it looked up but never created), which Xlib's default handler answers by ending the
    // program; they are ignored, as the framework's own applications do.
    if (menu)
    {
        XInitThreads();
        XSetErrorHandler ([] (Display*, XErrorEvent*) { return 0; });
    }

    const juce::ScopedJuceInitialiser_GUI framework;
    const auto file = juce::File::getCurrentWorkingDirectory().getChildFile (outputs[0]);
    auto image = renderWindow (! window, menu, scale);
    if (labelled)
        image = labelWindow (image);

    if (! image.isValid() || ! writePng (image, file))
    {
        std::cerr << "vimbrel-screenshot: could not write " << file.getFullPathName() << "\n";
        return 1;
    }

    std::cout << file.getFullPathName() << " (" << image.getWidth() << " x " << image.getHeight() << ")\n";
    return 0;
}
