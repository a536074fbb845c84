#include "ModuleIdentity.h"

#include <pluginterfaces/base/ipluginbase.h>

#include <dlfcn.h>

namespace vimbrel::host
{
namespace
{
template <size_t size>
juce::String text (const char (&field)[size])
{
    return juce::String::fromUTF8 (field, (int) strnlen (field, size));
}

// Holds the module open and entered for as long as it is read.
class OpenModule
{
public:
    explicit OpenModule (const juce::File& binary)
        : handle (dlopen (binary.getFullPathName().toRawUTF8(), RTLD_NOW | RTLD_LOCAL))
    {
        if (handle == nullptr)
            return;

        using EntryFunction = bool (*) (void*);

        if (auto entry = reinterpret_cast<EntryFunction> (dlsym (handle, "ModuleEntry")))
            entered = entry (handle);
    }

    ~OpenModule()
    {
        if (handle == nullptr)
            return;

        using ExitFunction = bool (*)();

        if (entered)
            if (auto exit = reinterpret_cast<ExitFunction> (dlsym (handle, "ModuleExit")))
                exit();

        dlclose (handle);
    }

    Steinberg::IPluginFactory* factory() const
    {
        if (! entered)
            return nullptr;

        using FactoryFunction = Steinberg::IPluginFactory* (*) ();
        auto getFactory = reinterpret_cast<FactoryFunction> (dlsym (handle, "GetPluginFactory"));
        return getFactory != nullptr ? getFactory() : nullptr;
    }

private:
    void* handle = nullptr;
    bool entered = false;
};
} // namespace

juce::File moduleBinaryOf (const juce::File& bundle)
{
    return bundle.getChildFile ("Contents/x86_64-linux").getChildFile (bundle.getFileNameWithoutExtension() + ".so");
}

juce::String toHex (const std::array<std::uint8_t, 16>& bytes)
{
    return juce::String::toHexString (bytes.data(), (int) bytes.size(), 1).toUpperCase();
}

ModuleIdentity readModuleIdentity (const juce::File& bundle)
{
    ModuleIdentity identity;
    const auto binary = moduleBinaryOf (bundle);

    if (! binary.existsAsFile())
    {
        identity.error = "no module binary at " + binary.getFullPathName();
        return identity;
    }

    OpenModule module (binary);
    auto* factory = module.factory();

    if (factory == nullptr)
    {
        identity.error = "the module at " + binary.getFullPathName() + " offers no plug-in factory";
        return identity;
    }

    Steinberg::PFactoryInfo factoryInfo;

    if (factory->getFactoryInfo (&factoryInfo) == Steinberg::kResultOk)
    {
        identity.vendor = text (factoryInfo.vendor);
        identity.url = text (factoryInfo.url);
        identity.email = text (factoryInfo.email);
        identity.flags = factoryInfo.flags;
    }

    Steinberg::IPluginFactory2* factory2 = nullptr;
    factory->queryInterface (Steinberg::IPluginFactory2::iid, reinterpret_cast<void**> (&factory2));

    for (Steinberg::int32 i = 0; i < factory->countClasses(); ++i)
    {
        ClassIdentity entry;
        Steinberg::PClassInfo2 info2;
        Steinberg::PClassInfo info;

        if (factory2 != nullptr && factory2->getClassInfo2 (i, &info2) == Steinberg::kResultOk)
        {
            std::memcpy (entry.classId.data(), info2.cid, entry.classId.size());
            entry.cardinality = info2.cardinality;
            entry.category = text (info2.category);
            entry.name = text (info2.name);
            entry.classFlags = info2.classFlags;
            entry.subCategories = text (info2.subCategories);
            entry.vendor = text (info2.vendor);
            entry.version = text (info2.version);
            entry.sdkVersion = text (info2.sdkVersion);
        }
        else if (factory->getClassInfo (i, &info) == Steinberg::kResultOk)
        {
            std::memcpy (entry.classId.data(), info.cid, entry.classId.size());
            entry.cardinality = info.cardinality;
            entry.category = text (info.category);
            entry.name = text (info.name);
        }

        identity.classes.push_back (entry);
    }

    if (factory2 != nullptr)
        factory2->release();

    factory->release();
    return identity;
}
} // namespace vimbrel::host
