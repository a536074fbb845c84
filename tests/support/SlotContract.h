#pragma once

namespace vimbrel::test
{
// What a host is told of each of the 22 slots: its name and its default.
inline const char* const slotNames[22] = {
    "input volume",
    "Lenght",
    "tone",
    "Volume",
    "Selection",
    "Delay Selection",
    "No Parameter",
    "No Parameter",
    "No Parameter",
    "Oversampling",
    "Manual tempo",
    "Tempo source manual",
    "Tempo source host",
    "Tempo source classic",
    "No Parameter",
    "Stereo feedback 1",
    "Double time",
    "Stereo feedback 2",
    "Beat 5/8",
    "Beat 6/8",
    "Beat 7/8",
    "Beat 8/8",
};

inline const float slotDefaults[22] = { 0.5f, 0.5f, 0.5f, 0.8f, 0.33f, 7.0f / 12.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.5f,
                                        0.5f, 1.0f, 0.0f, 0.5f, 0.0f,  0.0f,         0.0f, 0.0f, 0.0f, 0.0f, 1.0f };
} // namespace vimbrel::test
