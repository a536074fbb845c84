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

#include "editor/EchoPluginEditor.h"
#include "model/SlotTable.h"
#include "processor/EchoPluginProcessor.h"

#include <X11/Xlib.h>

#include <iostream>
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
    outputs.removeString ("--window");
    outputs.removeString ("--menu");

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

    if (outputs.size() != 1 || outputs[0].startsWith ("-") || (window && menu))
    {
        std::cerr << "usage: vimbrel-screenshot [--window | --menu] [--scale S] OUTPUT.png\n";
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
    const auto image = renderWindow (! window, menu, scale);

    if (! image.isValid() || ! writePng (image, file))
    {
        std::cerr << "vimbrel-screenshot: could not write " << file.getFullPathName() << "\n";
        return 1;
    }

    std::cout << file.getFullPathName() << " (" << image.getWidth() << " x " << image.getHeight() << ")\n";
    return 0;
}
