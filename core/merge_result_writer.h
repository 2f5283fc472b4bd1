#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/text_encoding.h"
#include "core/three_way_merge.h"

namespace core {

enum class ConflictStyle {
    Merge, // LOCAL's and REMOTE's lines between the markers
    Diff3, // BASE's lines too, after "|||||||"
};

struct MergeLabels {
    std::string local;
    std::string base;
    std::string remote;
};

// Writes a merge's result as git writes one: every line with the bytes and line end it has
// in the input it comes from, each conflict between "<<<<<<<", "=======" and ">>>>>>>"
// lines. In the Merge style the lines that open or close both sides of a conflict alike are
// written once, outside the markers.
class MergeResultWriter {
public:
    MergeResultWriter(const ThreeWayMerge& merge, const MergeLabels& labels, ConflictStyle style);

    std::string write();

    // A result put together piece by piece, in order, as the merge window's choices say;
    // take() hands it over and starts the next one.
    // A chunk as the merge alone decides it, a conflict between markers.
    void writeChunk(const MergeChunk& chunk);
    void writeLines(MergeSide side, LineRange lines);
    // A line made in the program, its bytes without the line end; an empty line end is none.
    void writeMadeLine(std::string_view bytes, std::string_view lineEnd);
    std::string take();

private:
    void writeConflict(LineRange local, LineRange base, LineRange remote);
    void writeMarker(std::string_view marker, const std::string& label);
    // A line that ended its file without a line end gets one when more follows.
    void endOpenLine();

    const ThreeWayMerge& m_merge;
    const MergeLabels& m_labels;
    ConflictStyle m_style;
    std::string m_out;
    std::string_view m_openLineEnd; // the line end the last line lacks, empty when it has one
};

// The result as it goes to disk: the inputs are held as UTF-8, the result is written in
// LOCAL's encoding with its BOM. One that encoding cannot hold, or would not read back as it
// is (stray bytes), stays UTF-8 rather than lose characters.
std::string resultInEncoding(std::string utf8, const TextEncoding& local);

} // namespace core
