// Renders the plug-in's panel to a PNG file, so that anyone can look at it without a host:
//
//   vimbrel-screenshot OUTPUT.png            the controls, drawn by the look and feel, in their
//                                            places on the panel picture
//   vimbrel-screenshot --window OUTPUT.png   the plug-in's own window, as its processor creates it

#include "ControlStandIn.h"
#include "processor/EchoPluginProcessor.h"

#include <iostream>
#include <memory>

namespace
{
juce::Image renderWindow()
{
    // The processor holds the echo's delay memory: far too large for the stack.
    const auto processor = std::make_unique<NewProjectAudioProcessor>();
    const std::unique_ptr<juce::AudioProcessorEditor> editor (processor->createEditor());
    return editor->createComponentSnapshot (editor->getLocalBounds());
}

juce::Image renderControls()
{
    ControlStandIn panel;
    return panel.createComponentSnapshot (panel.getLocalBounds());
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
    const bool window = arguments.contains ("--window");
    const auto outputs = [&] {
        auto rest = arguments;
        rest.removeString ("--window");
        return rest;
    }();

    if (outputs.size() != 1 || outputs[0].startsWith ("-"))
    {
        std::cerr << "usage: vimbrel-screenshot [--window] OUTPUT.png\n";
        return 2;
    }

    const juce::ScopedJuceInitialiser_GUI framework;
    const auto file = juce::File::getCurrentWorkingDirectory().getChildFile (outputs[0]);
    const auto image = window ? renderWindow() : renderControls();

    if (! image.isValid() || ! writePng (image, file))
    {
        std::cerr << "vimbrel-screenshot: could not write " << file.getFullPathName() << "\n";
        return 1;
    }

    std::cout << file.getFullPathName() << " (" << image.getWidth() << " x " << image.getHeight() << ")\n";
    return 0;
}
