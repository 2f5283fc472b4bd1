#include "fuzz/support/fuzz_pair.h"

#include <iterator>

#include "core/file_saver.h"
#include "fuzz/support/fuzz_check.h"
#include "fuzz/support/scratch_dir.h"

namespace fuzz {

namespace {

std::string_view nextPart(std::string_view& text)
{
    const std::size_t end = text.find(kPartSeparator);
    const std::string_view part = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + kPartSeparator.size());
    return part;
}

} // namespace

FuzzInput FuzzInput::parse(const std::uint8_t* data, std::size_t size)
{
    FuzzInput input;
    if (size == 0)
        return input;
    constexpr int kTabSizes[] = {0, 1, 8, 4};
    input.ignoreBlanks = (data[0] & 1) != 0;
    input.tabSize = kTabSizes[(data[0] >> 1) & 3];
    input.sourceBom = (data[0] >> 3) & 7;
    input.wideTarget = (data[0] & 0x40) != 0;
    std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    input.source = nextPart(text);
    input.target = nextPart(text);
    input.rest = text;
    return input;
}

core::TextOptions FuzzInput::options() const
{
    return {.tabSize = tabSize, .ignoreBlanks = ignoreBlanks};
}

std::string FuzzInput::sourceFile() const
{
    static constexpr core::EncodingKind kBoms[] = {core::EncodingKind::Utf8, core::EncodingKind::Utf16Le,
                                                   core::EncodingKind::Utf16Be, core::EncodingKind::Utf32Le,
                                                   core::EncodingKind::Utf32Be};
    if (sourceBom == 0 || sourceBom > static_cast<int>(std::size(kBoms)))
        return std::string(source);
    return std::string(core::TextEncoding::bomOf(kBoms[sourceBom - 1])) + std::string(source);
}

std::string FuzzInput::targetFile() const
{
    if (!wideTarget)
        return std::string(target);
    std::string wide;
    for (const char byte : target) {
        wide += byte;
        wide += '\0';
    }
    return wide;
}

LoadedPair::LoadedPair(const FuzzInput& input) : options(input.options())
{
    check(source.load(writeScratchFile("source", input.sourceFile()), options), "source loads");
    check(target.load(writeScratchFile("destination", input.targetFile()), options), "destination loads");
    result = core::compareFiles(source, target, options);
}

void checkRowMaps(const core::LineFile& source, const core::LineFile& target,
                  const core::CompareResult& result, const core::TextOptions& options)
{
    const auto rows = static_cast<std::size_t>(result.rowCount);
    check(result.sourceRows.size() == rows && result.destinationRows.size() == rows, "maps hold rowCount entries");
    std::int32_t nextSource = 0;
    std::int32_t nextTarget = 0;
    for (std::size_t r = 0; r < rows; ++r) {
        const std::int32_t i = result.sourceRows[r];
        const std::int32_t j = result.destinationRows[r];
        check(i >= 0 || j >= 0, "no row is virtual on both sides", "row " + std::to_string(r));
        if (i >= 0)
            check(i == nextSource++, "source lines in order, each once", "row " + std::to_string(r));
        if (j >= 0)
            check(j == nextTarget++, "destination lines in order, each once", "row " + std::to_string(r));
        if (i < 0 || j < 0)
            continue;
        const core::LineRecord& left = *source.lineAt(i);
        const core::LineRecord& right = *target.lineAt(j);
        if (left.state() == core::LineState::Same && right.state() == core::LineState::Same)
            check(core::isEqual(left, &right, options.ignoreBlanks) || left.hash() == right.hash(), "a row of Same lines pairs equal lines",
                  "row " + std::to_string(r));
    }
    check(nextSource == source.count() && nextTarget == target.count(), "every line has a row");
}

void checkSavedBytes(const core::LineFile& file, const core::RowMap& rows, std::int32_t rowCount,
                     std::string_view bytes, std::string_view name, const core::TextOptions& options)
{
    const std::string path = scratchDir() + "/saved-" + std::string(name);
    check(core::saveRows(file, rows, rowCount, path, core::saveOptionsOf(options)), "unedited rows save");
    const std::string saved = readWholeFile(path);
    check(saved == bytes, "saving unedited rows gives the bytes back",
          std::string(name) + ": " + std::to_string(bytes.size()) + " bytes read, " + std::to_string(saved.size())
              + " written");
}

} // namespace fuzz
