#include "ScratchHome.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace vimbrel::test
{
namespace
{
[[noreturn]] void giveUp (const std::string& what)
{
    std::fprintf (stderr, "error: the tests' scratch home: %s\n", what.c_str());
    std::exit (1);
}

void point (const char* variable, const std::filesystem::path& folder)
{
    std::filesystem::create_directories (folder);
    setenv (variable, folder.c_str(), 1);
}
} // namespace

ScratchHome::ScratchHome()
{
    const auto temporary = std::filesystem::temp_directory_path() / "vimbrel-test-home-XXXXXX";
    std::string name = temporary.string();

    if (mkdtemp (name.data()) == nullptr)
        giveUp ("cannot make a folder like " + temporary.string());

    folder = name;
    const std::filesystem::path home (folder);

    try
    {
        point ("HOME", home);
        point ("XDG_CONFIG_HOME", home / ".config");
        point ("XDG_CACHE_HOME", home / ".cache");
        point ("XDG_DATA_HOME", home / ".local" / "share");
        point ("XDG_STATE_HOME", home / ".local" / "state");

#ifdef VIMBREL_BUILT_LV2_BUNDLE
        const std::filesystem::path bundle (VIMBREL_BUILT_LV2_BUNDLE);
        std::filesystem::create_directories (home / ".lv2");
        std::filesystem::create_directory_symlink (bundle, home / ".lv2" / bundle.filename());
#endif
    }
    catch (const std::filesystem::filesystem_error& error)
    {
        giveUp (error.what());
    }
}

// The link to the build's LV2 bundle is removed, not followed.
ScratchHome::~ScratchHome()
{
    std::error_code ignored;
    std::filesystem::remove_all (folder, ignored);
}
} // namespace vimbrel::test
