#include "core/file_saver.h"

#include <algorithm>

#include "core/atomic_file.h"
#include "core/line_file.h"
#include "settings/app_settings.h"

namespace core {

namespace {

constexpr std::size_t kWriteChunk = 1 << 20;

// Gathers the output and hands it to the file in large chunks.
class LineWriter {
public:
    LineWriter(AtomicFile& file, const SaveOptions& options, std::string_view lineEnd)
        : m_file(file), m_options(options), m_lineEnd(lineEnd)
    {
    }

    bool writeLine(std::string_view line)
    {
        if (m_options.useTab)
            m_buffer += compressTabs(line, m_options.tabSize);
        else
            m_buffer += line;
        return writeLineEnd();
    }

    bool writeLineEnd()
    {
        m_buffer += m_lineEnd;
        return m_buffer.size() < kWriteChunk || flush();
    }

    bool flush()
    {
        const bool ok = m_file.write(m_buffer);
        m_buffer.clear();
        return ok;
    }

private:
    AtomicFile& m_file;
    const SaveOptions& m_options;
    std::string_view m_lineEnd;
    std::string m_buffer;
};

bool writeRows(LineWriter& writer, const LineFile& file, const RowMap& rows, std::int32_t rowCount)
{
    std::string pieces;                 // a cut line being put back together
    std::int32_t continuedFrom = -1;    // the record whose rest comes next, or -1
    const std::int32_t shown = std::min<std::int32_t>(rowCount, static_cast<std::int32_t>(rows.size()));
    for (std::int32_t row = 0; row < shown; ++row) {
        const std::int32_t index = rows[row];
        const LineRecord* line = file.lineAt(index);
        if (!line)
            continue;
        if (continuedFrom >= 0 && index != continuedFrom + 1) {
            if (!writer.writeLine(pieces))
                return false;
            pieces.clear();
        }
        if (line->continues()) {
            pieces += line->text();
            continuedFrom = index;
            continue;
        }
        continuedFrom = -1;
        if (pieces.empty()) {
            if (!writer.writeLine(line->text()))
                return false;
        } else {
            pieces += line->text();
            if (!writer.writeLine(pieces))
                return false;
            pieces.clear();
        }
    }
    if (continuedFrom >= 0 && !writer.writeLine(pieces))
        return false;
    return writer.writeLineEnd() && writer.flush();
}

} // namespace

SaveOptions currentSaveOptions()
{
    const settings::AppSettings& settings = settings::appSettings();
    return {.useTab = settings.UseTab != 0, .tabSize = settings.TabSize};
}

bool saveRows(const LineFile& file, const RowMap& rows, std::int32_t rowCount, const std::string& path,
              const SaveOptions& options)
{
    AtomicFile target(path);
    if (!target.open())
        return false;
    LineWriter writer(target, options, file.firstLineEndsWithCrLf() ? "\r\n" : "\n");
    return writeRows(writer, file, rows, rowCount) && target.commit();
}

std::string compressTabs(std::string_view text, int tabSize)
{
    if (tabSize <= 0)
        return std::string(text);
    const std::string tabString(static_cast<std::size_t>(tabSize), ' ');
    std::string result;
    result.reserve(text.size());
    std::size_t read = 0;
    for (std::size_t found = text.find(tabString); found != std::string_view::npos;
         found = text.find(tabString, read)) {
        result.append(text, read, found - read);
        result.push_back('\t');
        read = found + tabString.size();
    }
    result.append(text, read);
    return result;
}

} // namespace core
