#include "FactoryPrograms.h"

#include <cstring>

juce::String Vimbrel2FilterProgram::getName() const
{
    return juce::String::fromUTF8 (name, (int) strnlen (name, sizeof (name)));
}

void Vimbrel2FilterProgram::setName (const juce::String& newName)
{
    const char* utf8 = newName.toRawUTF8();
    size_t length = std::strlen (utf8);

    if (length >= sizeof (name))
    {
        length = sizeof (name) - 1;

        // Step back over continuation bytes so the cut falls before a character's lead byte.
        while (length > 0 && (static_cast<unsigned char> (utf8[length]) & 0xc0) == 0x80)
            --length;
    }

    std::memcpy (name, utf8, length);
    std::memset (name + length, 0, sizeof (name) - length);
}

std::vector<Vimbrel2FilterProgram> makeFactoryPrograms()
{
    std::vector<Vimbrel2FilterProgram> programs;
    programs.reserve (6);

    // Each program starts from the previous one and changes only what differs.
    Vimbrel2FilterProgram p;
    programs.push_back (p);

    p.finput = 0.4f;
    p.flenght = 0.6f;
    p.ftone = 0.5f;
    p.fvolume = 1.0f;
    p.fselection = 0.66f;
    p.fdelayselection = 0.332f;
    p.fbtn1 = 1.0f;
    p.fbtn2 = 0.0f;
    p.fbtn3 = 1.0f;
    p.spare1 = 0.25f;
    p.spare2 = 0.0f;
    p.setName ("Stereo delay");
    programs.push_back (p);

    p.finput = 0.4f;
    p.flenght = 0.4f;
    p.ftone = 0.8f;
    p.fvolume = 1.0f;
    p.fselection = 0.99f;
    p.fdelayselection = 0.332f;
    p.fbtn1 = 0.0f;
    p.fbtn2 = 0.0f;
    p.fbtn3 = 0.0f;
    p.spare1 = 0.25f;
    p.spare2 = 0.0f;
    p.setName ("Mono Swell");
    programs.push_back (p);

    p.fbtn1 = 1.0f;
    p.fbtn3 = 1.0f;
    p.spare1 = 1.0f;
    p.setName ("Stereo Swell");
    programs.push_back (p);

    p.fselection = 0.33f;
    p.fbtn1 = 0.0f;
    p.fbtn3 = 0.0f;
    p.spare1 = 1.0f;
    p.setName ("Doubling");
    programs.push_back (p);

    p.fselection = 0.99f;
    p.setName ("Guitar");
    programs.push_back (p);

    return programs;
}
