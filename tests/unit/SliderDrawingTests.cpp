#include "lookandfeel/EchoLookAndFeel.h"
#include "lookandfeel/PanelPictures.h"

#include "PictureTesting.h"

namespace
{
using vimbrel::test::layered;
using vimbrel::test::pictureIn;
using vimbrel::test::pictureSetCount;
using vimbrel::test::samePixels;
using vimbrel::test::scaleOf;
using vimbrel::test::snapshot;

// A rotary slider set up like the panel's: no text box, range 0 to 1 in the given steps.
struct Knob
{
    Knob (const char* name, double interval, int size = 91) : slider (name)
    {
        slider.setLookAndFeel (&lookAndFeel);
        slider.setSliderStyle (juce::Slider::RotaryVerticalDrag);
        slider.setTextBoxStyle (juce::Slider::NoTextBox, false, 0, 0);
        slider.setRange (0.0, 1.0, interval);
        slider.setSize (size, size);
    }

    ~Knob() { slider.setLookAndFeel (nullptr); }

    // What a screen scaled to `scale` shows of the knob at `value`.
    juce::Image at (double value, int scale = 1)
    {
        slider.setValue (value, juce::dontSendNotification);
        return snapshot (slider, scale);
    }

    EchoLookAndFeel lookAndFeel;
    juce::Slider slider;
};

// A frame of an embedded film strip by the number in its file name: knobsfinal0097 is frame 97.
juce::Image numberedFrame (std::string_view group, const char* prefix, size_t frame, size_t set)
{
    return pictureIn (group, prefix + juce::String (frame).paddedLeft ('0', 4), set);
}

// The panel's knobs step by 0.008771, so they have 115 positions; the strip's short stride
// shows frame 0 and frame 97 at two positions each and ends on frame 112 at the top. Each
// position shows the same frame of the 2x strip on a screen scaled to 200 %.
TEST (RotarySliderDrawing, EveryKnobPositionShowsItsFrame)
{
    for (size_t set = 0; set < pictureSetCount; ++set)
    {
        for (const char* name : { "InputSlider", "LengthSlider", "VolumeSlider", "ToneSlider" })
        {
            Knob knob (name, 0.008771);

            for (int k = 0; k <= 114; ++k)
            {
                const size_t frame = (size_t) (k - (k >= 1) - (k >= 99));
                EXPECT_TRUE (samePixels (knob.at (k * 0.008771, scaleOf (set)),
                                         numberedFrame ("knob", "knobsfinal", frame, set)))
                    << name << " at step " << k << " should show frame " << frame << " at " << scaleOf (set) << "x";
            }
        }
    }
}

TEST (RotarySliderDrawing, KnobEndsAndSwitchPositionsShowTheirFrames)
{
    struct Case
    {
        const char* name;
        double interval, value;
        vimbrel::test::NamedPicture expected;
    };

    const Case cases[] = {
        // The knob strip ends on frame 112 even at exactly 1.0.
        { "VolumeSlider", 0.0, 1.0, PICTURE (knob, knobsfinal0112) },
        { "ToneSlider", 0.0, 0.0, PICTURE (knob, knobsfinal0000) },
        { "SelectionSlider", 0.33, 0.0, PICTURE (knob3, trippleknob1) },
        { "SelectionSlider", 0.33, 0.33, PICTURE (knob3, trippleknob1) },
        { "SelectionSlider", 0.33, 0.66, PICTURE (knob3, trippleknob2) },
        { "SelectionSlider", 0.33, 0.99, PICTURE (knob3, trippleknob3) },
        { "SelectionSlider", 0.0, 1.0, PICTURE (knob3, trippleknob3) },
        { "DelaySelectionSlider", 0.083, 0.0, PICTURE (knob12, pleknob1) },
        { "DelaySelectionSlider", 0.083, 0.083, PICTURE (knob12, pleknob1) },
        { "DelaySelectionSlider", 0.083, 0.166, PICTURE (knob12, pleknob2) },
        { "DelaySelectionSlider", 0.083, 0.913, PICTURE (knob12, pleknob11_) },
        { "DelaySelectionSlider", 0.083, 0.996, PICTURE (knob12, pleknob12) },
        { "DelaySelectionSlider", 0.0, 1.0, PICTURE (knob12, pleknob12) },
        // A rotary "Fader" is the handle picture, stretched over the slider.
        { "Fader", 0.0, 0.5, PICTURE (fader, fader) },
    };

    for (size_t set = 0; set < pictureSetCount; ++set)
    {
        for (const auto& c : cases)
        {
            Knob knob (c.name, c.interval);
            EXPECT_TRUE (samePixels (knob.at (c.value, scaleOf (set)), layered (91, 91, set, { c.expected })))
                << c.name << " at " << c.value << ", " << scaleOf (set) << "x";
        }
    }
}

// Every step of the magic-eye lamp (0.04) lights one more frame.
TEST (RotarySliderDrawing, EveryLampStepShowsTheNextFrame)
{
    Knob lamp ("VUSlider", 0.04, 86);

    for (size_t set = 0; set < pictureSetCount; ++set)
        for (int k = 0; k <= 25; ++k)
            EXPECT_TRUE (samePixels (lamp.at (k * 0.04, scaleOf (set)),
                                     numberedFrame ("cateye", "cats_eye_small", (size_t) std::min (k, 24), set)))
                << "step " << k << ", " << scaleOf (set) << "x";
}

TEST (SliderDrawing, SlidersWithOtherNamesDrawNothing)
{
    struct Case
    {
        const char* name;
        juce::Slider::SliderStyle style;
    };

    const Case cases[] = {
        { "BpmSlider", juce::Slider::RotaryVerticalDrag }, { "inputslider", juce::Slider::RotaryVerticalDrag },
        { "", juce::Slider::RotaryVerticalDrag },          { "InputSlider", juce::Slider::LinearHorizontal },
        { "Fader", juce::Slider::LinearHorizontal },
    };

    for (const auto& c : cases)
    {
        Knob slider (c.name, 0.0);
        slider.slider.setSliderStyle (c.style);
        EXPECT_TRUE (samePixels (slider.at (0.5), juce::Image (juce::Image::ARGB, 91, 91, true)))
            << "'" << c.name << "', style " << (int) c.style;
    }
}

// The handle is centred on the thumb position (truncated toward zero), starts at the track's
// top and spans its height, keeping the picture's shape.
TEST (SliderDrawing, FaderHandleIsCentredOnTheThumb)
{
    struct Case
    {
        float sliderPos;
        int y, height;
        juce::Rectangle<int> expected;
    };

    const Case cases[] = {
        { 100.0f, 0, 32, { 86, 0, 27, 32 } }, { 13.5f, 0, 32, { 0, 0, 27, 32 } },
        { 10.0f, 0, 32, { -3, 0, 27, 32 } }, // -3.5 truncates to -3, not -4
        { 100.0f, 4, 16, { 86, 4, 13, 16 } }, { 100.0f, 0, 64, { 86, 0, 54, 64 } },
    };

    EchoLookAndFeel lookAndFeel;
    juce::Slider slider ("BpmSlider");
    const auto handle = PICTURE (fader, fader).in (0);

    for (const auto& c : cases)
    {
        juce::Image actual (juce::Image::ARGB, 200, 80, true);
        {
            juce::Graphics g (actual);
            lookAndFeel.drawLinearSliderThumb (g, 0, c.y, 190, c.height, c.sliderPos, 9.0f, 181.0f,
                                               juce::Slider::LinearHorizontal, slider);
        }

        juce::Image expected (juce::Image::ARGB, 200, 80, true);
        juce::Graphics (expected).drawImage (handle, c.expected.getX(), c.expected.getY(), c.expected.getWidth(),
                                             c.expected.getHeight(), 0, 0, 27, 32);

        EXPECT_TRUE (samePixels (actual, expected)) << "sliderPos " << c.sliderPos << ", height " << c.height;
    }
}

// The tempo fader as the panel has it: the handle alone, no track, at the thumb position, on a
// screen at 100 % and at 200 %.
TEST (SliderDrawing, TempoFaderShowsOnlyItsHandle)
{
    EchoLookAndFeel lookAndFeel;
    juce::Slider fader ("BpmSlider");
    fader.setLookAndFeel (&lookAndFeel);
    fader.setSliderStyle (juce::Slider::LinearHorizontal);
    fader.setTextBoxStyle (juce::Slider::NoTextBox, false, 0, 0);
    fader.setRange (0.2, 1.0, 0.01);
    fader.setSize (190, 32);
    fader.setValue (0.6, juce::dontSendNotification);

    // Halfway along a thumb travel of 9 to 181 pixels: the handle spans 81 to 108.
    ASSERT_EQ (95.0f, fader.getPositionOfValue (0.6));

    for (size_t set = 0; set < pictureSetCount; ++set)
    {
        const int scale = scaleOf (set);
        juce::Image expected (juce::Image::ARGB, 190 * scale, 32 * scale, true);
        juce::Graphics (expected).drawImageAt (PICTURE (fader, fader).in (set), 81 * scale, 0);

        EXPECT_TRUE (samePixels (snapshot (fader, scale), expected)) << scale << "x";
    }

    fader.setLookAndFeel (nullptr);
}
} // namespace
