#pragma once

#include <string>

namespace vimbrel::test
{
// Every test program runs in an empty home folder made for the run and removed at its end:
// HOME and the XDG folders point into it, so no test finds or touches what the user installed
// or configured (plug-ins in ~/.lv2 or ~/.vst3, the knob settings in ~/KVOR, ~/.config). The
// only thing in it is the LV2 bundle this build made, linked into its ~/.lv2, because the
// framework's LV2 hosting looks there whatever else it is told.
class ScratchHome
{
public:
    ScratchHome();
    ~ScratchHome();

    ScratchHome (const ScratchHome&) = delete;
    ScratchHome& operator= (const ScratchHome&) = delete;

    const std::string& path() const noexcept { return folder; }

private:
    std::string folder;
};
} // namespace vimbrel::test
