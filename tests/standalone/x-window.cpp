// A small X11 client for the standalone app's test: waits until a top-level window with a given
// title is mapped, and then either only reports it or asks it to close the way a window manager
// does when its close button is pressed (a WM_DELETE_WINDOW message), so no window manager has
// to run on the virtual display.
//
//   x-window hold                      make the window manager's names known, then stay connected
//   x-window wait  <title> <seconds>   exit 0 once the window is shown, 1 if it is not in time
//   x-window close <title> <seconds>   the same, then ask it to close
//
// The framework looks up the names WM_PROTOCOLS and WM_DELETE_WINDOW only if they already exist
// when it starts (a window manager makes them), and the X server forgets them when its last
// client leaves: "hold" makes them and keeps the server from forgetting while the app runs.

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

namespace
{
// The framework writes the title as UTF-8, which XFetchName does not return: the bytes are
// compared as they are.
bool hasTitle (Display* display, Window window, const std::string& title)
{
    XTextProperty name {};
    if (XGetWMName (display, window, &name) == 0 || name.value == nullptr)
        return false;
    const bool matches =
        name.format == 8 && std::string (reinterpret_cast<const char*> (name.value), name.nitems) == title;
    XFree (name.value);
    return matches;
}

// Depth-first through the whole tree: a reparenting window manager, if one runs, puts the
// app's window below its frame.
Window findShownWindow (Display* display, Window parent, const std::string& title)
{
    Window root = 0, ancestor = 0, *children = nullptr;
    unsigned int count = 0;
    if (XQueryTree (display, parent, &root, &ancestor, &children, &count) == 0)
        return 0;

    Window found = 0;
    for (unsigned int i = 0; i < count && found == 0; ++i)
    {
        XWindowAttributes attributes;
        if (hasTitle (display, children[i], title) && XGetWindowAttributes (display, children[i], &attributes) != 0 &&
            attributes.map_state == IsViewable)
            found = children[i];
        else
            found = findShownWindow (display, children[i], title);
    }

    if (children != nullptr)
        XFree (children);
    return found;
}

// Windows can go away between listing and asking: such errors are not fatal here.
int ignoreErrors (Display*, XErrorEvent*) { return 0; }
} // namespace

int main (int argc, char* argv[])
{
    if (argc == 2 && std::strcmp (argv[1], "hold") == 0)
    {
        Display* display = XOpenDisplay (nullptr);
        if (display == nullptr)
        {
            std::fprintf (stderr, "x-window: cannot open the display\n");
            return 2;
        }
        XInternAtom (display, "WM_PROTOCOLS", False);
        XInternAtom (display, "WM_DELETE_WINDOW", False);
        XSync (display, False);
        std::printf ("x-window: ready\n");
        std::fflush (stdout);
        for (;;)
            std::this_thread::sleep_for (std::chrono::hours (1));
    }

    if (argc != 4 || (std::strcmp (argv[1], "wait") != 0 && std::strcmp (argv[1], "close") != 0))
    {
        std::fprintf (stderr, "usage: x-window hold | x-window wait|close <title> <seconds>\n");
        return 2;
    }

    const std::string title = argv[2];
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double> (std::atof (argv[3]));

    Display* display = XOpenDisplay (nullptr);
    if (display == nullptr)
    {
        std::fprintf (stderr, "x-window: cannot open the display\n");
        return 2;
    }
    XSetErrorHandler (ignoreErrors);

    Window window = 0;
    while ((window = findShownWindow (display, DefaultRootWindow (display), title)) == 0)
    {
        if (std::chrono::steady_clock::now() > deadline)
        {
            std::fprintf (stderr, "x-window: no window \"%s\" was shown in %s s\n", title.c_str(), argv[3]);
            XCloseDisplay (display);
            return 1;
        }
        std::this_thread::sleep_for (std::chrono::milliseconds (50));
    }
    std::printf ("x-window: window \"%s\" is shown (0x%lx)\n", title.c_str(), (unsigned long) window);

    if (std::strcmp (argv[1], "close") == 0)
    {
        XEvent event {};
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = XInternAtom (display, "WM_PROTOCOLS", False);
        event.xclient.format = 32;
        event.xclient.data.l[0] = (long) XInternAtom (display, "WM_DELETE_WINDOW", False);
        event.xclient.data.l[1] = CurrentTime;
        XSendEvent (display, window, False, NoEventMask, &event);
        XFlush (display);
        std::printf ("x-window: asked it to close\n");
    }

    XCloseDisplay (display);
    return 0;
}
