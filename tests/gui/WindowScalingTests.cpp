#include "EditorFixture.h"
#include "PictureTesting.h"

namespace
{
using vimbrel::test::EditorFixture;
using vimbrel::test::pictureSetCount;
using vimbrel::test::samePixels;
using vimbrel::test::scaleOf;

using WindowScaling = EditorFixture;

// Where the window draws more than its pictures: the version text and the tempo readout's labels.
const juce::Rectangle<int> textAreas[] = { panel::versionText, panel::tempoCaptionLabel, panel::tempoValueLabel };

// The look and feel draws from the 1x set up to a physical scale of 1 and from the 2x set above.
TEST (PictureSetChoice, TheTwoTimesSetDrawsAboveOneHundredPercent)
{
    struct Case
    {
        float scale;
        size_t set;
    };

    const Case cases[] = { { 0.5f, 0 },  { 0.9f, 0 }, { 1.0f, 0 }, { 1.01f, 1 },
                           { 1.25f, 1 }, { 1.5f, 1 }, { 2.0f, 1 }, { 3.0f, 1 } };

    for (const auto& c : cases)
    {
        juce::Image image (juce::Image::ARGB, 4, 4, true);
        juce::Graphics g (image);
        g.addTransform (juce::AffineTransform::scale (c.scale));
        EXPECT_EQ (c.set, EchoLookAndFeel::pictureSetFor (g)) << "at " << c.scale;
    }
}

// The host's scale turns the whole window: it becomes the scaled panel's size and its panel fills
// it as at 100 %, so the shrink-to-fit rule has nothing to do.
TEST_F (WindowScaling, FollowsTheHostsScaleWithThePanelWhole)
{
    auto& editor = openEditor();

    struct Case
    {
        float scale;
        juce::Rectangle<int> window;
    };

    const Case cases[] = {
        { 1.0f, { 0, 0, 876, 300 } },  { 1.25f, { 0, 0, 1095, 375 } }, { 1.5f, { 0, 0, 1314, 450 } },
        { 2.0f, { 0, 0, 1752, 600 } }, { 1.0f, { 0, 0, 876, 300 } },
    };

    for (const auto& c : cases)
    {
        editor.setScaleFactor (c.scale);
        EXPECT_EQ (c.window, editor.getBoundsInParent()) << "at " << c.scale;
        EXPECT_EQ (juce::Rectangle<int> (0, 0, panel::width, panel::height), editor.getLocalBounds())
            << "at " << c.scale;
        EXPECT_TRUE (editor.contentComponent.getTransform().isIdentity()) << "at " << c.scale;
    }
}

// The window at 100 % and at 200 %: the panel and every control are their set's pictures pixel for
// pixel, each control at its place on the panel times the scale. Only the texts the window draws
// itself are left out.
TEST_F (WindowScaling, AtOneAndTwoTimesEveryPixelIsItsSetsPicture)
{
    auto& editor = openEditor();

    for (size_t set = 0; set < pictureSetCount; ++set)
    {
        const int scale = scaleOf (set);
        SCOPED_TRACE (juce::String (scale) + "x");
        const auto window = editor.createComponentSnapshot (editor.getLocalBounds(), true, (float) scale);

        // The panel, then each control as it draws itself alone, in the window's stacking order.
        auto expected = vimbrel::test::pictureIn ("bg", "bg", set).convertedToFormat (juce::Image::ARGB);
        ASSERT_EQ (window.getBounds(), expected.getBounds());
        {
            juce::Graphics g (expected);

            for (const auto* control : panel::controls)
            {
                juce::Component* component = nullptr;

                for (auto* child : editor.contentComponent.getChildren())
                    if (child->getName() == control->name)
                        component = child;

                ASSERT_NE (nullptr, component) << control->name;
                g.drawImageAt (component->createComponentSnapshot (component->getLocalBounds(), false, (float) scale),
                               control->bounds.getX() * scale, control->bounds.getY() * scale);
            }

            for (const auto& text : textAreas)
            {
                const auto area = text * scale;
                g.drawImage (window, area.getX(), area.getY(), area.getWidth(), area.getHeight(), area.getX(),
                             area.getY(), area.getWidth(), area.getHeight());
            }
        }

        EXPECT_TRUE (samePixels (window, expected));
    }
}

// A host that rounds a scaled size up can hand the window back a pixel or two larger than the
// panel at 100 %: the panel is then drawn exactly as in a window of its own size.
TEST_F (WindowScaling, AWindowAPixelLargerShowsThePanelOneToOne)
{
    auto& editor = openEditor();
    const auto exact = editor.createComponentSnapshot (editor.getLocalBounds(), true, 1.0f);

    for (const int extra : { 1, 2, 3 })
    {
        editor.setSize (panel::width + extra, panel::height + extra);
        const auto larger = editor.createComponentSnapshot (editor.getLocalBounds(), true, 1.0f);
        const auto offset = juce::Point<int> (extra / 2, extra / 2);

        EXPECT_TRUE (samePixels (larger.getClippedImage (exact.getBounds() + offset), exact)) << "+" << extra;
    }
}

// At 200 % with the window made half as large, the panel shrinks to one screen pixel per panel
// pixel: exactly the window at 100 %, drawn from the 1x set.
TEST_F (WindowScaling, HalfSizeAtTwoHundredPercentIsTheWindowAtOneHundred)
{
    auto& editor = openEditor();
    const auto atOneHundred = editor.createComponentSnapshot (editor.getLocalBounds(), true, 1.0f);

    editor.setScaleFactor (2.0f);
    editor.setSize (panel::width / 2, panel::height / 2);
    ASSERT_FLOAT_EQ (0.5f, editor.contentComponent.getTransform().mat00);

    EXPECT_TRUE (samePixels (editor.createComponentSnapshot (editor.getLocalBounds(), true, 2.0f), atOneHundred));
}
} // namespace
