#include "EditorFixture.h"
#include "PictureTesting.h"

#include "editor/WindowSize.h"

namespace
{
using vimbrel::test::EditorFixture;
using vimbrel::test::samePixels;

using WindowSize = EditorFixture;

juce::MouseEvent mouseEvent (juce::Component& target, juce::Point<float> position, juce::Point<float> downPosition,
                             juce::ModifierKeys mods)
{
    const auto now = juce::Time::getCurrentTime();
    return juce::MouseEvent (juce::Desktop::getInstance().getMainMouseSource(), position, mods, 1.0f, 0.0f, 0.0f, 0.0f,
                             0.0f, &target, &target, now, downPosition, now, 1, position != downPosition);
}

// Drags the window's corner by `distance`, in the window's own units, as the user does.
void dragCorner (NewProjectAudioProcessorEditor& editor, juce::Point<float> distance)
{
    ASSERT_NE (nullptr, editor.resizableCorner);
    juce::Component& corner = *editor.resizableCorner;
    const auto left = juce::ModifierKeys (juce::ModifierKeys::leftButtonModifier);
    const auto start = corner.getLocalBounds().getCentre().toFloat();

    corner.mouseDown (mouseEvent (corner, start, start, left));
    corner.mouseDrag (mouseEvent (corner, start + distance, start, left));
    corner.mouseUp (mouseEvent (corner, start + distance, start, {}));
}

juce::String settingsWith (const juce::String& values)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<PROPERTIES>\n" + values + "</PROPERTIES>\n";
}

// The panel's scale inside the window and its offset, as the window draws it.
::testing::AssertionResult panelDrawnAt (const NewProjectAudioProcessorEditor& editor, float scale)
{
    const auto t = editor.contentComponent.getTransform();

    if (t.mat00 == scale && t.mat11 == scale && t.mat01 == 0.0f && t.mat10 == 0.0f && t.mat02 == 0.0f &&
        t.mat12 == 0.0f)
        return ::testing::AssertionSuccess();

    return ::testing::AssertionFailure() << "the panel is drawn at " << t.mat00 << " x " << t.mat11 << " from ("
                                         << t.mat02 << ", " << t.mat12 << ")";
}

// Dragging the corner towards 150 %, a little off the panel's proportions, gives a window of
// exactly 150 % whose panel fills it; under a host's 100 % and 200 % alike, it is the window a
// host would scale to 150 %, drawn from the 2x picture set.
TEST_F (WindowSize, ACornerDragTo150PercentKeepsTheProportionsAndDrawsFromTheTwoTimesSet)
{
    for (const float hostScale : { 1.0f, 2.0f })
    {
        SCOPED_TRACE ("host at " + juce::String (hostScale) + "x");
        home.settingsFile().deleteFile(); // the window opens at 100 %
        auto& editor = openEditor();
        editor.setScaleFactor (hostScale);
        const auto hostScaledTo150 = editor.createComponentSnapshot (editor.getLocalBounds(), true, 1.5f * hostScale);

        dragCorner (editor, { 438.0f, 100.0f });

        EXPECT_EQ (juce::Rectangle<int> (0, 0, 1314, 450), editor.getLocalBounds());
        EXPECT_TRUE (panelDrawnAt (editor, 1.5f));

        const auto window = editor.createComponentSnapshot (editor.getLocalBounds(), true, hostScale);
        EXPECT_TRUE (samePixels (window, hostScaledTo150));

        // A corner of the panel with no control on it: the 2x panel picture, drawn at 3/4.
        const auto background = vimbrel::test::pictureIn ("bg", "bg", 1);
        juce::Image expected (juce::Image::ARGB, window.getWidth(), window.getHeight(), true);
        {
            juce::Graphics g (expected);
            g.setImageResamplingQuality (juce::Graphics::highResamplingQuality);
            g.addTransform (juce::AffineTransform::scale (1.5f * hostScale));
            g.drawImage (background, 0, 0, panel::width, panel::height, 0, 0, background.getWidth(),
                         background.getHeight());
        }
        const auto plain = (juce::Rectangle<int> (0, 200, 80, 60).toFloat() * 1.5f * hostScale).toNearestInt();
        EXPECT_TRUE (samePixels (window.getClippedImage (plain), expected.getClippedImage (plain)));

        closeEditor();
    }
}

// Whoever resizes the window (the user at the corner or a host) is followed and remembered,
// within 75 % and 200 %; a window a few pixels above the remembered size, as hosts round it,
// keeps the panel at that size; a window below 75 % shrinks the panel without being remembered.
TEST_F (WindowSize, FollowsEveryResizeAndRemembersThoseWithinTheLimits)
{
    auto& editor = openEditor();

    struct Case
    {
        int width, height;
        float drawnAt;
        double remembered;
    };

    const Case cases[] = {
        { 1095, 375, 1.25f, 1.25 }, { 1097, 376, 1.25f, 1.25 }, { 438, 150, 0.5f, 1.25 },
        { 657, 225, 0.75f, 0.75 },  { 1752, 600, 2.0f, 2.0 },   { 876, 300, 1.0f, 1.0 },
    };

    for (const auto& c : cases)
    {
        editor.setSize (c.width, c.height);
        const auto t = editor.contentComponent.getTransform();
        EXPECT_FLOAT_EQ (c.drawnAt, t.mat00) << c.width << " x " << c.height;
        EXPECT_FLOAT_EQ (c.drawnAt, t.mat11) << c.width << " x " << c.height;
        EXPECT_EQ (c.remembered, editor.windowSize) << c.width << " x " << c.height;
    }

    // The corner holds the window within the limits.
    dragCorner (editor, { 2000.0f, 2000.0f });
    EXPECT_EQ (juce::Rectangle<int> (0, 0, 1752, 600), editor.getLocalBounds());
    dragCorner (editor, { -2000.0f, -2000.0f });
    EXPECT_EQ (juce::Rectangle<int> (0, 0, 657, 225), editor.getLocalBounds());
}

// The next window opens at the size kept in the settings file, held within the limits; a window
// that was not resized writes no file.
TEST_F (WindowSize, TheNextWindowOpensAtTheRememberedSize)
{
    openEditor();
    closeEditor();
    EXPECT_FALSE (home.settingsFile().exists()) << "opening and closing the window wrote the settings";

    auto& editor = openEditor();
    dragCorner (editor, { 438.0f, 150.0f });
    closeEditor();

    juce::PropertiesFile::Options options;
    options.storageFormat = juce::PropertiesFile::storeAsXML;
    ASSERT_TRUE (home.settingsFile().existsAsFile());
    EXPECT_EQ (1.5, juce::PropertiesFile (home.settingsFile(), options).getDoubleValue (windowsize::settingsKey));

    for (const float hostScale : { 1.0f, 2.0f })
    {
        auto& reopened = openEditor();
        reopened.setScaleFactor (hostScale);
        EXPECT_EQ (juce::Rectangle<int> (0, 0, 1314, 450), reopened.getLocalBounds()) << hostScale << "x";
        EXPECT_EQ ((juce::Rectangle<int> (0, 0, 1314, 450).toFloat() * hostScale).toNearestInt(),
                   reopened.getBoundsInParent())
            << hostScale << "x";
        EXPECT_TRUE (panelDrawnAt (reopened, 1.5f)) << hostScale << "x";
        closeEditor();
    }

    struct Case
    {
        const char* stored; // nullptr: no key
        int width, height;
    };

    const Case cases[] = {
        { nullptr, 876, 300 }, { "1.25", 1095, 375 }, { "0.5", 657, 225 }, { "3", 1752, 600 },
        { "abc", 876, 300 },   { "-1", 876, 300 },    { "nan", 876, 300 },
    };

    for (const auto& c : cases)
    {
        home.writeSettings (settingsWith (
            "<VALUE name=\"stijl\" val=\"0\"/>" +
            (c.stored != nullptr ? "<VALUE name=\"windowSize\" val=\"" + juce::String (c.stored) + "\"/>" : "")));
        auto& reopened = openEditor();
        EXPECT_EQ (juce::Rectangle<int> (0, 0, c.width, c.height), reopened.getLocalBounds())
            << (c.stored != nullptr ? c.stored : "no key");
        EXPECT_EQ (juce::Slider::Rotary, reopened.inputSlider.getSliderStyle());
        closeEditor();
    }
}
} // namespace
