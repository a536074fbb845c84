#include "EchoPluginProcessor.h"

namespace
{
// What the host shows as each slot's default. These are not the values the plug-in starts
// with (see the field initialisers): both sets hold, for the host and for the sound.
constexpr std::array<float, NewProjectAudioProcessor::numParameterSlots> defaultValues {
    0.5f, 0.5f, 0.5f, 0.8f, 0.33f, 7.0f / 12.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.5f,
    0.5f, 1.0f, 0.0f, 0.5f, 0.0f,  0.0f,         0.0f, 0.0f, 0.0f, 0.0f, 1.0f,
};

bool isSlot (int index) noexcept { return index >= 0 && index < NewProjectAudioProcessor::numParameterSlots; }
} // namespace

int NewProjectAudioProcessor::getNumParameters() { return numParameterSlots; }

float NewProjectAudioProcessor::getParameter (int index)
{
    switch (index)
    {
        case 0: return finput;
        case 1: return flenght;
        case 2: return ftone;
        case 3: return fvolume;
        case 4: return fselection;
        case 5: return fdelayselection;
        case 6: return levelStep;
        case 9: return foversampling;
        case 10: return fbpm / 200.0f;
        case 11: return fbpmmanual;
        case 12: return fbpmhost;
        case 13: return fbpmclassic;
        case 14: return spareTempo / 200.0f;
        case 15: return fbtn1;
        case 16: return fbtn2;
        case 17: return fbtn3;
        case 18: return fbtn58;
        case 19: return fbtn68;
        case 20: return fbtn78;
        case 21: return fbtn88;
        default: return 0.0f;
    }
}

void NewProjectAudioProcessor::setParameter (int index, float value)
{
    switch (index)
    {
        case 0: finput = value; break;
        case 1: flenght = value; break;
        case 2:
            ftone = value;
            designToneShelves();
            break;
        case 3: fvolume = value; break;
        case 4: fselection = value; break;
        case 5: fdelayselection = value; break;
        case 6: levelStep = value; break;
        case 9: foversampling = value; break;
        case 10: fbpm = (float) (value * 200.0); break;
        case 11: fbpmmanual = value; break;
        case 12: fbpmhost = value; break;
        case 13: fbpmclassic = value; break;
        case 14: spareTempo = (float) (value * 200.0); break;
        case 15: fbtn1 = value; break;
        case 16: fbtn2 = value; break;
        case 17: fbtn3 = value; break;
        case 18: fbtn58 = value; break;
        case 19: fbtn68 = value; break;
        case 20: fbtn78 = value; break;
        case 21: fbtn88 = value; break;
        default: break; // slots 7 and 8 carry nothing
    }

    setDependentParameters();
    sendChangeMessage();
}

void NewProjectAudioProcessor::designToneShelves() { engine.designToneShelves(); }

const juce::String NewProjectAudioProcessor::getParameterName (int index)
{
    switch (index)
    {
        case 0: return "input volume";
        case 1: return "Lenght";
        case 2: return "tone";
        case 3: return "Volume";
        case 4: return "Selection";
        case 5: return "Delay Selection";
        case 9: return "Oversampling";
        case 15: return "Stereo feedback 1";
        case 16: return "Double time";
        case 17: return "Stereo feedback 2";
        default: return "No Parameter";
    }
}

const juce::String NewProjectAudioProcessor::getParameterText (int index)
{
    switch (index)
    {
        case 0: return juce::String (finput * 100.0f) + " %";
        case 1: return juce::String (flenght * 100.0f) + " %";
        case 2: return juce::String (12.0f * ftone - 6.0f, 2) + " dB";
        case 3: return juce::String (fvolume * 100.0f) + " %";
        case 4: return juce::String (fselection, 3) + " ";
        case 5: return "Mode: ";
        default: return {};
    }
}

float NewProjectAudioProcessor::getParameterDefaultValue (int index)
{
    return isSlot (index) ? defaultValues[(size_t) index] : 0.0f;
}

bool NewProjectAudioProcessor::isParameterAutomatable (int index) const
{
    // The level meter (written by the engine) and the three unused slots carry nothing a
    // user sets; hosts should neither offer them for automation nor record them.
    return index != 6 && index != 7 && index != 8 && index != 14;
}
