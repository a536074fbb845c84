#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

// What a right-click (or the platform's other menu click) on a control calls.
struct MenuClickTarget
{
    virtual ~MenuClickTarget() = default;
    std::function<void()> onMenuClick;
};

// A control that hands a menu click to onMenuClick instead of reacting to it: a knob does not
// turn and a key does not toggle under a menu click.
template <typename Control>
class RightClickable : public Control, public MenuClickTarget
{
public:
    using Control::Control;

    void mouseDown (const juce::MouseEvent& e) override
    {
        if (! e.mods.isPopupMenu())
            Control::mouseDown (e);
        else if (onMenuClick != nullptr)
            onMenuClick();
    }

    void mouseDrag (const juce::MouseEvent& e) override
    {
        if (! e.mods.isPopupMenu())
            Control::mouseDrag (e);
    }

    void mouseUp (const juce::MouseEvent& e) override
    {
        if (! e.mods.isPopupMenu())
            Control::mouseUp (e);
    }
};
