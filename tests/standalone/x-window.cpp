// A small X11 client for the standalone app's test: waits until a top-level window with a given
// title is mapped, and then either only reports it or asks it to close the way a window manager
// does when its close button is pressed (a WM_DELETE_WINDOW message), so no window manager has
// to run on the virtual display.
//
//   x-window hold [<scale>]            make the window manager's names known, then stay connected;
//                                      with a scale, also publish it as the desktop's scale
//   x-window wait  <title> <seconds>   exit 0 once the window is shown, 1 if it is not in time
//   x-window close <title> <seconds>   the same, then ask it to close
//   x-window size  <title> <seconds>   the same as wait, and print the window's size in pixels
//
// The framework looks up the names WM_PROTOCOLS and WM_DELETE_WINDOW only if they already exist
// when it starts (a window manager makes them), and the X server forgets them when its last
// client leaves: "hold" makes them and keeps the server from forgetting while the app runs.
//
// On Linux the framework takes a display's scale from the desktop's settings only where a
// window manager has published the work area (_NET_WORKAREA on the root window): then, for each
// screen the X server's RandR extension lists, it reads the integer setting
// Gdk/WindowScalingFactor from the XSETTINGS manager (what GNOME's settings daemon runs), and
// without one asks gsettings or the screen's DPI. "hold <scale>" does what the window manager
// and the settings daemon of such a desktop do: it publishes the work area and, as the XSETTINGS
// manager of screen 0, the scaling factor.

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdint>
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

// The whole screen as the work area of the one desktop.
void publishWorkArea (Display* display)
{
    const long area[] = { 0, 0, DisplayWidth (display, DefaultScreen (display)),
                          DisplayHeight (display, DefaultScreen (display)) };
    XChangeProperty (display, DefaultRootWindow (display), XInternAtom (display, "_NET_WORKAREA", False), XA_CARDINAL,
                     32, PropModeReplace, reinterpret_cast<const unsigned char*> (area), 4);
}

void appendCard16 (std::string& bytes, unsigned int value)
{
    const auto v = static_cast<uint16_t> (value);
    bytes.append (reinterpret_cast<const char*> (&v), sizeof v);
}

void appendCard32 (std::string& bytes, unsigned long value)
{
    const auto v = static_cast<uint32_t> (value);
    bytes.append (reinterpret_cast<const char*> (&v), sizeof v);
}

// Becomes the XSETTINGS manager of screen 0 (owner of the selection _XSETTINGS_S0) with one
// integer setting, Gdk/WindowScalingFactor, in the XSETTINGS wire format:
// a header (byte order, serial, number of settings), then per setting its type, name, serial
// and value, in this machine's byte order.
bool publishScalingFactor (Display* display, int scale)
{
    const Window root = DefaultRootWindow (display);
    const Window owner = XCreateSimpleWindow (display, root, 0, 0, 1, 1, 0, 0, 0);
    const Atom selection = XInternAtom (display, "_XSETTINGS_S0", False);
    const Atom settingsAtom = XInternAtom (display, "_XSETTINGS_SETTINGS", False);

    const std::string name = "Gdk/WindowScalingFactor";
    std::string bytes;
    const unsigned int one = 1;
    bytes.push_back (*reinterpret_cast<const char*> (&one) == 1 ? LSBFirst : MSBFirst);
    bytes.append (3, '\0');
    appendCard32 (bytes, 1); // serial
    appendCard32 (bytes, 1); // number of settings
    bytes.push_back (0);     // an integer
    bytes.push_back (0);
    appendCard16 (bytes, (unsigned int) name.size());
    bytes += name;
    bytes.append ((4 - name.size() % 4) % 4, '\0');
    appendCard32 (bytes, 1); // the setting's serial
    appendCard32 (bytes, (unsigned long) scale);

    XChangeProperty (display, owner, settingsAtom, settingsAtom, 8, PropModeReplace,
                     reinterpret_cast<const unsigned char*> (bytes.data()), (int) bytes.size());
    XSetSelectionOwner (display, selection, owner, CurrentTime);
    if (XGetSelectionOwner (display, selection) != owner)
        return false;

    // Clients that started before listen for this announcement.
    XEvent event {};
    event.xclient.type = ClientMessage;
    event.xclient.window = root;
    event.xclient.message_type = XInternAtom (display, "MANAGER", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = CurrentTime;
    event.xclient.data.l[1] = (long) selection;
    event.xclient.data.l[2] = (long) owner;
    XSendEvent (display, root, False, StructureNotifyMask, &event);
    return true;
}
} // namespace

int main (int argc, char* argv[])
{
    if ((argc == 2 || argc == 3) && std::strcmp (argv[1], "hold") == 0)
    {
        const int scale = argc == 3 ? std::atoi (argv[2]) : 0;
        if (argc == 3 && scale < 1)
        {
            std::fprintf (stderr, "x-window: the scale must be a whole number from 1 up\n");
            return 2;
        }

        Display* display = XOpenDisplay (nullptr);
        if (display == nullptr)
        {
            std::fprintf (stderr, "x-window: cannot open the display\n");
            return 2;
        }
        XInternAtom (display, "WM_PROTOCOLS", False);
        XInternAtom (display, "WM_DELETE_WINDOW", False);
        if (scale > 0)
        {
            publishWorkArea (display);
            if (! publishScalingFactor (display, scale))
            {
                std::fprintf (stderr, "x-window: another XSETTINGS manager runs on this display\n");
                return 1;
            }
        }
        XSync (display, False);
        std::printf ("x-window: ready\n");
        std::fflush (stdout);

        // The manager answers no requests, but its connection must be read so that the
        // server does not hold back on it.
        for (;;)
        {
            XEvent event;
            XNextEvent (display, &event);
        }
    }

    if (argc != 4 || (std::strcmp (argv[1], "wait") != 0 && std::strcmp (argv[1], "close") != 0 &&
                      std::strcmp (argv[1], "size") != 0))
    {
        std::fprintf (stderr, "usage: x-window hold [<scale>] | x-window wait|close|size <title> <seconds>\n");
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

    if (std::strcmp (argv[1], "size") == 0)
    {
        XWindowAttributes attributes {};
        const bool known = XGetWindowAttributes (display, window, &attributes) != 0;
        if (known)
            std::printf ("x-window: size %d %d\n", attributes.width, attributes.height);
        XCloseDisplay (display);
        return known ? 0 : 1;
    }

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
