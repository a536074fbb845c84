#include "ProgramMenu.h"

namespace programmenu
{
void addPrograms (juce::PopupMenu& menu, juce::AudioProcessor& processor)
{
    const auto current = processor.getCurrentProgram();

    for (int program = 0; program < processor.getNumPrograms(); ++program)
        menu.addItem (itemFor (program), processor.getProgramName (program), true, program == current);
}

bool apply (juce::AudioProcessor& processor, int result)
{
    const auto program = result - 1;

    if (program < 0 || program >= processor.getNumPrograms())
        return false;

    processor.setCurrentProgram (program);

    // The window, not the host, chose it: the host's program list follows.
    processor.updateHostDisplay (juce::AudioProcessorListener::ChangeDetails().withProgramChanged (true));
    return true;
}
} // namespace programmenu
