#include "HostedPlugin.h"

#include "MessageLoop.h"

#include <X11/Xlib.h>

#include <optional>
#include <vector>

namespace
{
using vimbrel::test::loadBuiltPlugin;

// The size of an X window in physical pixels, as the X server holds it.
struct PixelSize
{
    int width = 0, height = 0;

    bool operator== (const PixelSize& other) const { return width == other.width && height == other.height; }
};

std::ostream& operator<< (std::ostream& out, const PixelSize& size)
{
    return out << size.width << " x " << size.height;
}

std::vector<Window> childrenOf (Display* display, Window window)
{
    Window root = 0, parent = 0, *children = nullptr;
    unsigned int count = 0;
    std::vector<Window> result;

    if (XQueryTree (display, window, &root, &parent, &children, &count) != 0 && children != nullptr)
    {
        result.assign (children, children + count);
        XFree (children);
    }

    return result;
}

// The plug-in's own window: the framework's hosts embed it in windows of their own below the
// host's desktop window (one level deep for the VST3, three for the LV2), so it is the most
// deeply nested window there that is more than the framework's 1 x 1 windows (which take key
// focus, or wait for their size).
Window pluginWindow (Display* display, Window window, int depth, int& deepest)
{
    Window found = 0;
    for (auto child : childrenOf (display, window))
    {
        XWindowAttributes attributes {};
        if (XGetWindowAttributes (display, child, &attributes) == 0 || attributes.map_state == IsUnmapped)
            continue;

        if (depth + 1 > deepest && (attributes.width > 1 || attributes.height > 1))
        {
            deepest = depth + 1;
            found = child;
        }

        if (const auto below = pluginWindow (display, child, depth + 1, deepest))
            found = below;
    }

    return found;
}

Window pluginWindow (Display* display, Window hostWindow)
{
    int deepest = 0;
    return pluginWindow (display, hostWindow, 0, deepest);
}

std::optional<PixelSize> sizeOf (Display* display, Window window)
{
    XWindowAttributes attributes {};
    if (window == 0 || XGetWindowAttributes (display, window, &attributes) == 0)
        return std::nullopt;

    return PixelSize { attributes.width, attributes.height };
}

// A plug-in's editor, opened by the framework's hosting in a desktop window of the host, as a
// DAW opens it; the test looks at the windows through an X connection of its own.
class HostedWindow
{
public:
    explicit HostedWindow (std::unique_ptr<juce::AudioPluginInstance> loaded) : plugin (std::move (loaded))
    {
        if (plugin == nullptr)
            return;

        editor.reset (plugin->createEditorIfNeeded());
        if (editor == nullptr)
            return;

        // With no window manager on the display, the native title bar leaves the desktop
        // window exactly the editor's size.
        window.setUsingNativeTitleBar (true);
        window.setContentNonOwned (editor.get(), true);
        window.setVisible (true);
        display = XOpenDisplay (nullptr);
    }

    ~HostedWindow()
    {
        if (display != nullptr)
            XCloseDisplay (display);

        // The framework's X embedding answers the X server's resize notices with calls to itself
        // that it posts holding a plain pointer: all of them must have arrived before the editor,
        // and the embedding with it, is deleted.
        window.clearContentComponent();
        EXPECT_TRUE (vimbrel::test::letTimersOfPeriodFire (100));
        EXPECT_TRUE (vimbrel::test::deliverPostedMessages());
        editor.reset();
        EXPECT_TRUE (vimbrel::test::deliverPostedMessages());
    }

    bool isOpen() const { return editor != nullptr && display != nullptr && window.getPeer() != nullptr; }

    // The host's view of the plug-in's window: for the VST3 the framework's VST3PluginWindow,
    // which takes the size the plug-in's IPlugView::getSize reports; for the LV2 the size the
    // plug-in's UI asks for through ui:resize. Both in physical pixels divided by the host's
    // own desktop scale, which is 1 here.
    PixelSize hostSize() const { return { editor->getWidth(), editor->getHeight() }; }

    Window pluginWindow() const { return ::pluginWindow (display, (Window) window.getPeer()->getNativeHandle()); }

    std::optional<PixelSize> pluginSize() const { return sizeOf (display, pluginWindow()); }

    // Runs the message loop (which also runs the plug-in's window events) until both sizes are
    // the wanted one, and on until what was posted meanwhile has been delivered: they must
    // stay so.
    bool settlesAt (PixelSize wanted)
    {
        const auto both = [&] { return hostSize() == wanted && pluginSize() == wanted; };
        return vimbrel::test::runMessageLoopUntil (both, 5000) && vimbrel::test::letTimersOfPeriodFire (50) && both();
    }

    std::unique_ptr<juce::AudioPluginInstance> plugin;
    std::unique_ptr<juce::AudioProcessorEditor> editor;
    juce::DocumentWindow window { "FHA_Vimbrel2", juce::Colours::black, 0 };
    Display* display = nullptr;
};

// A host's content scale, and the window it must lead to. The framework's hosts pass their
// scale on (the VST3 one through IPlugViewContentScaleSupport::setContentScaleFactor, the LV2
// one as the ui:scaleFactor option); the plug-in's side puts it on the 876 x 300 editor as a
// transform and reports the editor's bounds through it, widened to the smallest whole-pixel
// rectangle that holds them (Rectangle<int>::transformedBy); the host sizes its window to that.
// At these scales 876 s and 300 s are whole numbers, so the window is exactly the panel times
// the scale.
struct ScaleStep
{
    const char* name;
    float scale;
    PixelSize size;
};

constexpr ScaleStep hostScales[] = {
    { "100 %", 1.0f, { 876, 300 } },
    { "125 %", 1.25f, { 1095, 375 } },
    { "150 %", 1.5f, { 1314, 450 } },
    { "200 %", 2.0f, { 1752, 600 } },
    { "back to 100 %", 1.0f, { 876, 300 } },
    { "150 % again", 1.5f, { 1314, 450 } },
    { "back to 100 % again", 1.0f, { 876, 300 } },
};

bool hasDisplay() { return juce::SystemStats::getEnvironmentVariable ("DISPLAY", {}).isNotEmpty(); }

constexpr PixelSize hostSmaller { 1000, 400 };

// The formats whose window the tests open, each through the framework's hosting of it.
//
// What a format does with a host window smaller than the scaled panel, at 200 %: the VST3
// editor says it cannot be resized (IPlugView::canResize), so the framework's VST3 host does
// not pass its size on: the plug-in's window keeps the scaled panel's size and the host's
// window shows part of it. The LV2 host passes its size to the UI (ui:resize), and the
// plug-in's window takes it; the panel then shrinks to fit, centred (the window tests check
// how). Either way the plug-in must go on following the host afterwards.
struct Format
{
    const char* name;
    std::unique_ptr<juce::AudioPluginInstance> (*load)();
    bool isBuilt;
    PixelSize inSmallerHostWindow;
};

void PrintTo (const Format& format, std::ostream* out) { *out << format.name; }

const Format formats[] = {
    { "VST3", [] { return loadBuiltPlugin(); }, true, { 1752, 600 } },
    { "LV2", [] { return vimbrel::test::loadBuiltLv2Plugin(); }, vimbrel::test::builtLv2Bundle() != juce::File(),
      hostSmaller },
};

class HostedEditorScale : public ::testing::TestWithParam<Format>
{
protected:
    void SetUp() override
    {
        if (! hasDisplay())
            GTEST_SKIP() << "needs a display (scripts/test provides a virtual one)";
        if (! GetParam().isBuilt)
            GTEST_SKIP() << "this build makes no " << GetParam().name;
    }
};

TEST_P (HostedEditorScale, WindowFollowsTheHostsScale)
{
    HostedWindow hosted (GetParam().load());
    ASSERT_TRUE (hosted.isOpen());
    ASSERT_TRUE (hosted.settlesAt ({ 876, 300 }))
        << "host " << hosted.hostSize() << ", plug-in " << hosted.pluginSize().value_or (PixelSize {});

    for (const auto& step : hostScales)
    {
        SCOPED_TRACE (step.name);
        hosted.editor->setScaleFactor (step.scale);
        EXPECT_TRUE (hosted.settlesAt (step.size)) << "want " << step.size << "; host " << hosted.hostSize()
                                                   << ", plug-in " << hosted.pluginSize().value_or (PixelSize {});
    }
}

TEST_P (HostedEditorScale, HostWindowSmallerThanTheScaledPanelLeavesThePluginWorking)
{
    const auto expected = GetParam().inSmallerHostWindow;

    HostedWindow hosted (GetParam().load());
    ASSERT_TRUE (hosted.isOpen());
    hosted.editor->setScaleFactor (2.0f);
    ASSERT_TRUE (hosted.settlesAt ({ 1752, 600 }));

    hosted.editor->setSize (hostSmaller.width, hostSmaller.height);
    EXPECT_TRUE (vimbrel::test::runMessageLoopUntil ([&] { return hosted.pluginSize() == expected; }, 5000));
    EXPECT_TRUE (vimbrel::test::letTimersOfPeriodFire (100));
    EXPECT_EQ (hosted.hostSize(), hostSmaller);
    EXPECT_EQ (hosted.pluginSize(), expected);

    // Given the scaled panel's size again, and then a new scale, the plug-in follows.
    hosted.editor->setSize (1752, 600);
    EXPECT_TRUE (hosted.settlesAt ({ 1752, 600 }))
        << "host " << hosted.hostSize() << ", plug-in " << hosted.pluginSize().value_or (PixelSize {});
    hosted.editor->setScaleFactor (1.0f);
    EXPECT_TRUE (hosted.settlesAt ({ 876, 300 }))
        << "host " << hosted.hostSize() << ", plug-in " << hosted.pluginSize().value_or (PixelSize {});
}

std::string formatName (const ::testing::TestParamInfo<Format>& format) { return format.param.name; }

INSTANTIATE_TEST_SUITE_P (Formats, HostedEditorScale, ::testing::ValuesIn (formats), formatName);
} // namespace
