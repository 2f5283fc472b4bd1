#pragma once

#include <string>
#include <string_view>

namespace fuzz {

// Stops the run with a report when a property does not hold; libFuzzer keeps the input.
void check(bool holds, std::string_view what);
// As check, naming the case the property failed on.
void check(bool holds, std::string_view what, const std::string& detail);

} // namespace fuzz
