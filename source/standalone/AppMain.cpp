// The standalone app's entry point, in place of the framework's. That one starts the framework
// and opens the app's window straight away, so without a display even --help crashed. This one
// answers --help and --version before any of the framework runs, and without a display ends
// with one line instead of the window.
#include <juce_gui_basics/juce_gui_basics.h>

#include <cstdlib>
#include <iostream>
#include <string>

// The framework's standalone app (its plug-in client defines it).
juce::JUCEApplicationBase* juce_CreateApplication();

namespace
{
const char* const usage =
    " [--help | --version]\n"
    "Plays an audio input through the " JucePlugin_Name " drum echo, with the plug-in's window.\n"
    "Its Options button chooses the audio devices: ALSA, or JACK when a JACK server runs (also\n"
    "PipeWire's JACK interface), and whether the input is heard (muted at first, against feedback).\n"
    "The choice, the window's place and the echo's settings are kept in ~/.config/" JucePlugin_Name ".settings.\n"
    "It needs a graphical display.\n"
    "  --help     show this text\n"
    "  --version  show the version\n";

std::string programName (const char* path)
{
    const std::string name (path != nullptr ? path : JucePlugin_Name);
    return name.substr (name.find_last_of ('/') + 1);
}
} // namespace

int main (int argc, char* argv[])
{
    const auto name = programName (argv[0]);

    for (int i = 1; i < argc; ++i)
    {
        const std::string argument (argv[i]);
        if (argument == "--help" || argument == "-h")
        {
            std::cout << "usage: " << name << usage;
            return 0;
        }
        if (argument == "--version")
        {
            std::cout << JucePlugin_Name " " JucePlugin_VersionString "\n";
            return 0;
        }
    }

    // The framework sets the display up as a standalone app's (with its handlers for X errors)
    // only once it knows the app, so the app is named first. Where it cannot open the display
    // it finds no screen, and the app's window would have nowhere to go.
    juce::JUCEApplicationBase::createInstance = &juce_CreateApplication;
    const juce::ScopedJuceInitialiser_GUI framework;
    if (juce::Desktop::getInstance().getDisplays().getPrimaryDisplay() == nullptr)
    {
        const char* display = std::getenv ("DISPLAY");
        const std::string why = display != nullptr && *display != '\0'
                                    ? "the display '" + std::string (display) + "' cannot be opened"
                                    : "DISPLAY is not set";
        std::cerr << name << ": needs a graphical display, and " << why << "\n";
        return 1;
    }

    return juce::JUCEApplicationBase::main (argc, const_cast<const char**> (argv));
}
