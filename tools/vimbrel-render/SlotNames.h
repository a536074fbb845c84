#pragma once

#include <string>

namespace vimbrel::render
{
// The word the panel prints for a slot's control, or nullptr for a slot the panel does not show.
const char* panelName (int slot);

// The slot a name on the command line means: its index (0 to 21), the name a host shows or the
// word on the panel, in any case. Throws UsageError for an unknown name, and for a slot that
// keeps nothing a host can set.
int settableSlotNamed (const std::string& name);
} // namespace vimbrel::render
