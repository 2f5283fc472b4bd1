#include "core/file_saver.h"

#include <algorithm>
#include <cerrno>

#include "core/atomic_file.h"
#include "core/edited_bytes.h"
#include "core/line_file.h"

namespace core {

namespace {

constexpr std::size_t kWriteChunk = 1 << 20;
constexpr std::int32_t kRowsPerCheckpoint = 1 << 16;

// Gathers the output and hands it to the file in large chunks.
class LineWriter {
public:
    LineWriter(AtomicFile& file, const SaveOptions& options, const TextEncoding& encoding, std::string_view lineEnd)
        : m_file(file), m_options(options), m_encoding(encoding), m_lineEndMark(lineEnd.back())
    {
    }

    // A line the program made is written as its text, with tabs when asked; any other
    // line with the bytes it was read with.
    void addLine(const LineFile& file, std::int32_t index)
    {
        if (m_options.useTab && file.originOf(index) == LineOrigin::Typed)
            m_buffer += compressTabs(file.lineAt(index)->text(), m_options.tabSize);
        else
            file.appendBytes(index, m_buffer);
    }

    bool write(std::string_view bytes)
    {
        m_buffer += bytes;
        return m_buffer.size() < kWriteChunk || flush();
    }

    // The buffer ends at a line end or at the end of the file, between characters.
    bool flush()
    {
        bool ok = true;
        if (m_encoding.kind == EncodingKind::Utf8 && !m_encoding.bom) {
            ok = m_file.write(m_buffer);
        } else {
            // The BOM goes before the first chunk.
            m_encoded = m_bomWritten ? std::string_view{} : m_encoding.bomBytes();
            m_bomWritten = true;
            std::size_t failedAt = 0;
            if (encodeText(m_buffer, m_encoding, m_encoded, &failedAt))
                ok = m_file.write(m_encoded);
            else
                ok = noteUnencodable(failedAt);
        }
        m_linesBefore += static_cast<std::int32_t>(std::count(m_buffer.begin(), m_buffer.end(), m_lineEndMark));
        m_buffer.clear();
        return ok;
    }

    // The 1-based line of the first character the encoding could not hold; 0 if none.
    std::int32_t unencodableLine() const { return m_unencodableLine; }

private:
    bool noteUnencodable(std::size_t at)
    {
        const auto before = std::count(m_buffer.begin(), m_buffer.begin() + static_cast<std::ptrdiff_t>(at), m_lineEndMark);
        m_unencodableLine = m_linesBefore + static_cast<std::int32_t>(before) + 1;
        errno = EILSEQ;
        return false;
    }

    AtomicFile& m_file;
    const SaveOptions& m_options;
    const TextEncoding& m_encoding;
    const char m_lineEndMark; // the last byte of every line end the file has
    std::string m_buffer;     // in UTF-8 until flushed
    std::string m_encoded;
    std::int32_t m_linesBefore = 0;
    std::int32_t m_unencodableLine = 0;
    bool m_bomWritten = false;
};

// The line end of a line is written once the next line starts, so that the last line can
// end as the file did.
bool writeRows(LineWriter& writer, const LineFile& file, const RowMap& rows, std::int32_t rowCount,
               WorkProgress* progress)
{
    std::string_view pendingLineEnd;
    bool anyLine = false;
    bool continued = false; // the last line written goes on in the next one
    const std::int32_t shown = std::min<std::int32_t>(rowCount, static_cast<std::int32_t>(rows.size()));
    for (std::int32_t row = 0; row < shown; ++row) {
        if (progress != nullptr && row % kRowsPerCheckpoint == 0) {
            progress->reach(static_cast<std::uint64_t>(row));
            progress->checkpoint();
        }
        const std::int32_t index = rows[row];
        const LineRecord* line = file.lineAt(index);
        if (!line)
            continue;
        if (anyLine && !continued && !writer.write(pendingLineEnd))
            return false;
        anyLine = true;
        writer.addLine(file, index);
        // A last piece whose rest is missing ends as lines the file did not have.
        continued = line->continues();
        pendingLineEnd = continued ? file.lineEnd() : file.lineEndOf(index);
    }
    if (anyLine && file.endsWithLineEnd() && !writer.write(pendingLineEnd))
        return false;
    // Every row is out; what is left is the wait for the disk.
    if (progress != nullptr)
        progress->reach(static_cast<std::uint64_t>(rowCount));
    return writer.write(file.trailingLines()) && writer.flush();
}

} // namespace

bool saveRows(const LineFile& file, const RowMap& rows, std::int32_t rowCount, const std::string& path,
              const SaveOptions& options, SaveProblem* problem)
{
    StagedSave save(path);
    if (save.write(file, rows, rowCount, options) && save.commit())
        return true;
    if (problem != nullptr)
        problem->unencodableLine = save.unencodableLine();
    return false;
}

bool StagedSave::write(const LineFile& file, const RowMap& rows, std::int32_t rowCount, const SaveOptions& options,
                       WorkProgress* progress)
{
    if (!m_target.open())
        return false;
    LineWriter writer(m_target, options, file.encoding(), file.lineEnd());
    try {
        if (writeRows(writer, file, rows, rowCount, progress) && m_target.finish())
            return true;
    } catch (const WorkCancelled&) {
        errno = ECANCELED;
        return false;
    }
    m_unencodableLine = writer.unencodableLine();
    return false;
}

} // namespace core
