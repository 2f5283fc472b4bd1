#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "core/line_file.h"
#include "core/text_options.h"

namespace testing_support {

// A file made of the given lines, built as the loader would build them with options.
inline core::LineFile fileOfLines(const std::vector<std::string>& lines, const core::TextOptions& options = {})
{
    core::LineFile file;
    for (const std::string& line : lines)
        file.appendLine(line, options);
    return file;
}

inline core::LineFile fileOfLines(std::initializer_list<std::string_view> lines, const core::TextOptions& options = {})
{
    core::LineFile file;
    for (const std::string_view line : lines)
        file.appendLine(line, options);
    return file;
}

} // namespace testing_support
