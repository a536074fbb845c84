#pragma once

#include "processor/EchoPluginProcessor.h"

#include <array>

namespace vimbrel::test
{
// Every slot's value as the host reads it.
inline std::array<float, Slot::count> slotValues (NewProjectAudioProcessor& p)
{
    std::array<float, Slot::count> values {};
    for (int slot = 0; slot < Slot::count; ++slot)
        values[(size_t) slot] = p.getParameter (slot);
    return values;
}
} // namespace vimbrel::test
