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

// The plug-in's own window: the framework's host embeds it in a window of its own, which is a
// child of the host's desktop window, so it is that window's only grandchild. Its size is what
// the plug-in's side made of the size the host confirmed.
std::optional<PixelSize> pluginWindowSize (Display* display, Window hostWindow)
{
    std::vector<Window> grandchildren;
    for (auto child : childrenOf (display, hostWindow))
        for (auto grandchild : childrenOf (display, child))
            grandchildren.push_back (grandchild);

    XWindowAttributes attributes {};
    if (grandchildren.size() != 1 || XGetWindowAttributes (display, grandchildren[0], &attributes) == 0 ||
        attributes.map_state != IsViewable)
        return std::nullopt;

    return PixelSize { attributes.width, attributes.height };
}

// The built bundle's editor, opened by the framework's VST3 hosting in a desktop window of the
// host, as a DAW opens it; the test looks at the windows through a connection of its own.
class HostedWindow
{
public:
    HostedWindow()
    {
        plugin = loadBuiltPlugin();
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

        window.clearContentComponent();
        editor.reset();
        EXPECT_TRUE (vimbrel::test::deliverPostedMessages());
    }

    bool isOpen() const { return editor != nullptr && display != nullptr && window.getPeer() != nullptr; }

    // The host's view of the plug-in's window: the framework's VST3PluginWindow, which takes
    // the size the plug-in's IPlugView::getSize reports, in physical pixels divided by the
    // host's own desktop scale (1 here).
    PixelSize hostSize() const { return { editor->getWidth(), editor->getHeight() }; }

    std::optional<PixelSize> pluginSize() const
    {
        return pluginWindowSize (display, (Window) window.getPeer()->getNativeHandle());
    }

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

// A host's content scale, and the window it must lead to. The framework's VST3PluginWindow
// passes its scale on through IPlugViewContentScaleSupport::setContentScaleFactor; the
// plug-in's side puts the scale on the 876 x 300 editor as a transform and reports the
// editor's bounds through it, widened to the smallest whole-pixel rectangle that holds them
// (Rectangle<int>::transformedBy); the host sizes its window to that. At these scales 876 s
// and 300 s are whole numbers, so the window is exactly the panel times the scale.
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

TEST (HostedEditorScale, WindowFollowsTheHostsContentScale)
{
    if (! hasDisplay())
        GTEST_SKIP() << "needs a display (scripts/test provides a virtual one)";

    HostedWindow hosted;
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

// The plug-in's editor cannot be resized (IPlugView::canResize says so), so the framework's
// host does not pass a smaller window of its own on to the plug-in: the plug-in's window keeps
// its scaled size and the host's window shows part of it. The plug-in must go on following
// the scale afterwards.
TEST (HostedEditorScale, HostWindowSmallerThanTheScaledPanelLeavesThePluginWorking)
{
    if (! hasDisplay())
        GTEST_SKIP() << "needs a display (scripts/test provides a virtual one)";

    HostedWindow hosted;
    ASSERT_TRUE (hosted.isOpen());
    hosted.editor->setScaleFactor (2.0f);
    ASSERT_TRUE (hosted.settlesAt ({ 1752, 600 }));

    const PixelSize smaller { 1000, 400 };
    hosted.editor->setSize (smaller.width, smaller.height);
    EXPECT_TRUE (vimbrel::test::letTimersOfPeriodFire (100));
    EXPECT_EQ (hosted.hostSize(), smaller);
    const auto plugin = hosted.pluginSize();
    ASSERT_TRUE (plugin.has_value()) << "the plug-in's window is no longer shown";
    EXPECT_EQ (*plugin, (PixelSize { 1752, 600 }));

    for (const auto& step : { hostScales[1], hostScales[0] })
    {
        SCOPED_TRACE (step.name);
        hosted.editor->setScaleFactor (step.scale);
        EXPECT_TRUE (hosted.settlesAt (step.size)) << "want " << step.size << "; host " << hosted.hostSize()
                                                   << ", plug-in " << hosted.pluginSize().value_or (PixelSize {});
    }
}
} // namespace
