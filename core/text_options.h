#pragma once

#include <string>

#include "core/text_encoding.h"

namespace settings {
class AppSettings;
}

namespace core {

// The options that decide how lines are read, compared, edited and written. Whoever owns
// them hands them over as a value: the documents from the settings, the report from its
// command line, tests and benchmarks from their own.
struct TextOptions {
    int tabSize = 4;              // a tab is shown as this many blanks
    bool ignoreBlanks = false;    // lines compare with runs of blanks as one blank
    bool useTab = true;           // typed runs of tabSize blanks are written as tabs
    std::string legacyEncoding = std::string(kDefaultLegacyEncoding); // files that are not Unicode

    // Runs of blanks that typed text gives back as tabs: tabSize with useTab, else none.
    int typedTabSize() const { return useTab ? tabSize : 0; }
};

// The options as the settings hold them.
TextOptions textOptionsOf(const settings::AppSettings& settings);

} // namespace core
