#pragma once

#include <juce_core/juce_core.h>

#include <array>
#include <cstdint>
#include <vector>

namespace vimbrel::host
{
// What a VST3 module's factory says about itself and each class it offers, read straight
// from the module's exported entry points.
struct ClassIdentity
{
    std::array<std::uint8_t, 16> classId {};
    int cardinality = 0;
    juce::String category, name, subCategories, vendor, version, sdkVersion;
    std::uint32_t classFlags = 0;
};

struct ModuleIdentity
{
    juce::String error; // empty when the module was read
    juce::String vendor, url, email;
    std::int32_t flags = 0;
    std::vector<ClassIdentity> classes;
};

// The module binary inside a bundle for this machine's architecture.
juce::File moduleBinaryOf (const juce::File& bundle);

ModuleIdentity readModuleIdentity (const juce::File& bundle);

juce::String toHex (const std::array<std::uint8_t, 16>& bytes);
} // namespace vimbrel::host
