#pragma once

#include "SlotTable.h"

#include <juce_graphics/juce_graphics.h>

// Every control of the 876 x 300 panel: its component name, where it sits, what it shows and
// which slot it writes. The editor builds its controls from these rows, the look and feel picks
// each control's pictures by its name, and the artwork generator prints the panel's legends and
// scales around the rectangles; it has no window code, so this stays plain data.
namespace panel
{
constexpr int width = 876;
constexpr int height = 300;

enum class Kind
{
    knob,  // a rotary slider dragged vertically
    fader, // a horizontal slider
    lamp,  // a rotary slider that only shows a value
    key    // a button that toggles at each click
};

struct Range
{
    double minimum, maximum, interval;
};

struct Control
{
    const char* name;
    Kind kind;
    juce::Rectangle<int> bounds;
    Range range;    // sliders only
    int radioGroup; // keys only; 0 for a key of its own
    int slot;       // noSlot for a control that writes none
};

constexpr int noSlot = -1;

// The knobs move in 114 steps that stop just short of 1.
constexpr Range knobRange { 0.0, 1.0, 0.008771 };

// clang-format off
inline const Control inputSlider { "InputSlider", Kind::knob, { 88, 105, 91, 91 }, knobRange, 0, Slot::input };
inline const Control lengthSlider { "LengthSlider", Kind::knob, { 191, 105, 91, 91 }, knobRange, 0, Slot::length };
inline const Control volumeSlider { "VolumeSlider", Kind::knob, { 295, 105, 91, 91 }, knobRange, 0, Slot::volume };
inline const Control toneSlider { "ToneSlider", Kind::knob, { 491, 105, 91, 91 }, knobRange, 0, Slot::tone };
inline const Control selectionSlider { "SelectionSlider", Kind::knob, { 596, 105, 91, 91 },
                                       { 0.0, 1.0, 0.33 }, 0, Slot::selection };
inline const Control delaySelectionSlider { "DelaySelectionSlider", Kind::knob, { 699, 105, 91, 91 },
                                            { 0.0, 1.0, 0.083 }, 0, Slot::delaySelection };
inline const Control bpmSlider { "BpmSlider", Kind::fader, { 325, 253, 190, 32 }, { 0.2, 1.0, 0.01 }, 0,
                                 Slot::manualBpm };

// The three effect buttons overlap by two pixels; each is as large as its pictures.
inline const Control btn1Button { "btn1Button", Kind::key, { 352, 39, 60, 42 }, {}, 0, Slot::stereoFeedback1 };
inline const Control btn2Button { "btn2Button", Kind::key, { 410, 39, 56, 42 }, {}, 0, Slot::doubleTime };
inline const Control btn3Button { "btn3Button", Kind::key, { 464, 39, 60, 42 }, {}, 0, Slot::stereoFeedback2 };

constexpr int beatGroup = 1;
inline const Control btn58Button { "btn58Button", Kind::key, { 654, 263, 31, 20 }, {}, beatGroup, Slot::beat58 };
inline const Control btn68Button { "btn68Button", Kind::key, { 686, 263, 31, 20 }, {}, beatGroup, Slot::beat68 };
inline const Control btn78Button { "btn78Button", Kind::key, { 718, 263, 31, 20 }, {}, beatGroup, Slot::beat78 };
inline const Control btn88Button { "btn88Button", Kind::key, { 750, 263, 31, 20 }, {}, beatGroup, Slot::beat88 };

constexpr int tempoSourceGroup = 2;
inline const Control btnmanualButton { "btnmanualButton", Kind::key, { 245, 263, 42, 22 }, {},
                                       tempoSourceGroup, Slot::manualSource };
inline const Control btnhostButton { "btnhostButton", Kind::key, { 195, 263, 42, 22 }, {},
                                     tempoSourceGroup, Slot::hostSource };
inline const Control btnclassicButton { "btnclassicButton", Kind::key, { 145, 263, 42, 22 }, {},
                                        tempoSourceGroup, Slot::classicSource };

// An invisible hot-spot over the printed logo: it opens the settings dialog.
inline const Control fhaButton { "FHAButton", Kind::key, { 60, 48, 100, 45 }, {}, 0, noSlot };

// The magic-eye lamp shows the engine's level.
inline const Control vuSlider { "VUSlider", Kind::lamp, { 395, 105, 86, 86 }, { 0.0, 1.0, 0.04 }, 0, noSlot };
// clang-format on

// In the editor's order of creation, which is also their stacking order: a later control lies
// above an earlier one. Within a radio group the later key wins when the slots say several
// are on.
inline const Control* const controls[] = {
    &inputSlider,          &lengthSlider,     &volumeSlider, &toneSlider,  &selectionSlider,
    &delaySelectionSlider, &bpmSlider,        &btn1Button,   &btn2Button,  &btn3Button,
    &btn58Button,          &btn68Button,      &btn78Button,  &btn88Button, &btnmanualButton,
    &btnhostButton,        &btnclassicButton, &fhaButton,    &vuSlider,
};

// The control of this component name, or nullptr for a name the panel does not use.
inline const Control* controlNamed (const juce::String& name)
{
    for (const auto* control : controls)
        if (name == control->name)
            return control;

    return nullptr;
}

// The tempo readout: a caption and, overlapping it, the value, both above every control.
inline const juce::Rectangle<int> tempoCaptionLabel { 550, 263, 100, 10 };
inline const juce::Rectangle<int> tempoValueLabel { 570, 263, 100, 10 };

// The plug-in's version, printed in grey in the top left corner.
inline const juce::Rectangle<int> versionText { 5, 5, 50, 11 };
} // namespace panel
