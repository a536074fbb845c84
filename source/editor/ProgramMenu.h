#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

// The factory programs as a menu of the window: one item for each program, in the processor's
// order and under its names, the current one ticked. Choosing an item applies the program as the
// host's program list does.
namespace programmenu
{
// The result a menu hands back for program `index`; 0 stays "nothing chosen".
inline int itemFor (int program) { return program + 1; }

// Adds the processor's programs to the end of `menu`.
void addPrograms (juce::PopupMenu& menu, juce::AudioProcessor& processor);

// Applies the program a menu result names, and tells the host the program changed. Any other
// result (0 for a dismissed menu, the host's own items) does nothing. True if a program was applied.
bool apply (juce::AudioProcessor& processor, int result);
} // namespace programmenu
