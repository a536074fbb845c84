#pragma once

#include "processor/EchoPluginProcessor.h"

#include <array>

namespace vimbrel::test
{
// Every slot's value as the host reads it.
inline std::array<float, 22> slotValues (NewProjectAudioProcessor& p)
{
    std::array<float, 22> values {};
    for (int slot = 0; slot < 22; ++slot)
        values[(size_t) slot] = p.getParameter (slot);
    return values;
}
} // namespace vimbrel::test
