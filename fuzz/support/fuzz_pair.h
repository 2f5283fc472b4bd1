#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/difference_engine.h"
#include "core/line_file.h"

namespace fuzz {

// The bytes between the parts of an input: two bytes that real text rarely holds.
inline constexpr std::string_view kPartSeparator = "\xff\xfe";

// The first byte of an input chooses the comparison settings: bit 0 IgnoreBlanks, bits
// 1 and 2 the tab size (0, 1, 8 or 4); for the files of a pair, bits 3 to 5 a BOM before the
// source (none, UTF-8, UTF-16 LE or BE, UTF-32 LE or BE) and bit 6 a destination widened to
// UTF-16 LE without BOM. The rest is cut at separators into parts; missing parts are empty.
struct FuzzInput {
    bool ignoreBlanks = false;
    int tabSize = 4;
    int sourceBom = 0;
    bool wideTarget = false;
    std::string_view source;
    std::string_view target;
    std::string_view rest;

    static FuzzInput parse(const std::uint8_t* data, std::size_t size);
    // The options of the comparison.
    core::TextOptions options() const;
    // The files of a pair as they go to disk.
    std::string sourceFile() const;
    std::string targetFile() const;
};

// Loads both parts from files in the scratch folder and compares them.
struct LoadedPair {
    explicit LoadedPair(const FuzzInput& input);

    core::TextOptions options;
    core::LineFile source;
    core::LineFile target;
    core::CompareResult result;
};

// Each row shows a line on at least one side, each map lists its file's lines once in
// order, and two Same lines in a row are equal (or anchors of equal hash).
void checkRowMaps(const core::LineFile& source, const core::LineFile& target,
                  const core::CompareResult& result, const core::TextOptions& options);
// Saving the rows of a side gives bytes back exactly.
void checkSavedBytes(const core::LineFile& file, const core::RowMap& rows, std::int32_t rowCount,
                     std::string_view bytes, std::string_view name, const core::TextOptions& options);

} // namespace fuzz
