#pragma once

#include <juce_core/juce_core.h>

#include <cstdint>
#include <vector>

// One factory program: the values a program change writes into the parameter slots,
// three spare values that travel with the program but are never applied, and a name of
// at most 23 bytes of UTF-8. Default-constructed, it is the "Standard" program.
struct Vimbrel2FilterProgram
{
    float finput = 1.0f;
    float flenght = 0.17f;
    float ftone = 0.5f;
    float fvolume = 1.0f;
    float fselection = 0.33f;
    float fdelayselection = 1.0f / 3.0f;
    float fbtn1 = 0.0f;
    float fbtn2 = 0.0f;
    float fbtn3 = 0.0f;
    float spare1 = 0.25f;
    float spare2 = 0.0f;
    float fbpmmanual = 0.5f;
    float fbpmhost = 1.0f;
    float fbpmclassic = 0.0f;
    float fbtn58 = 0.0f;
    float fbtn68 = 0.0f;
    float fbtn78 = 0.0f;
    float fbtn88 = 1.0f;
    float spare3 = 0.5f;
    char name[24] = "Standard";

    juce::String getName() const;

    // Replaces the name with as much of the new one as fits into 23 bytes, cut only
    // between whole UTF-8 characters, and a terminating zero.
    void setName (const juce::String& newName);
};

// The six programs, in the order the host lists them.
std::vector<Vimbrel2FilterProgram> makeFactoryPrograms();
