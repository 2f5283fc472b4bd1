#pragma once

#include <string>
#include <string_view>

namespace fuzz {

// A folder of this fuzzing process, removed when it ends. The first call also points
// BIVALO_INI at a file in it, so no run touches a real settings file.
const std::string& scratchDir();
// Writes bytes exactly as given to name in the scratch folder; returns the full path.
std::string writeScratchFile(std::string_view name, std::string_view bytes);
std::string readWholeFile(const std::string& path);

} // namespace fuzz
