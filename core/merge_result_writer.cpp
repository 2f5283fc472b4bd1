#include "core/merge_result_writer.h"

namespace core {

MergeResultWriter::MergeResultWriter(const ThreeWayMerge& merge, const MergeLabels& labels, ConflictStyle style)
    : m_merge(merge), m_labels(labels), m_style(style)
{
}

std::string MergeResultWriter::write()
{
    for (const MergeChunk& chunk : m_merge.chunks())
        writeChunk(chunk);
    return take();
}

std::string MergeResultWriter::take()
{
    std::string out = std::move(m_out);
    m_out.clear();
    m_openLineEnd = {};
    return out;
}

void MergeResultWriter::writeMadeLine(std::string_view bytes, std::string_view lineEnd)
{
    endOpenLine();
    m_out += bytes;
    m_out += lineEnd;
    m_openLineEnd = lineEnd.empty() ? m_merge.input(MergeSide::Local).lineEnd() : std::string_view{};
}

void MergeResultWriter::writeChunk(const MergeChunk& chunk)
{
    switch (chunk.kind) {
    case ChunkKind::Unchanged:
    case ChunkKind::LocalOnly:
    case ChunkKind::BothSame:
        writeLines(MergeSide::Local, chunk.local);
        break;
    case ChunkKind::RemoteOnly:
        writeLines(MergeSide::Remote, chunk.remote);
        break;
    case ChunkKind::Conflict:
        writeConflict(chunk.local, chunk.base, chunk.remote);
        break;
    }
}

void MergeResultWriter::writeConflict(LineRange local, LineRange base, LineRange remote)
{
    const MergeInput& localInput = m_merge.input(MergeSide::Local);
    const MergeInput& remoteInput = m_merge.input(MergeSide::Remote);
    LineRange after{local.end, local.end};
    if (m_style == ConflictStyle::Merge) {
        const LineRange before{local.begin, local.begin};
        while (!local.empty() && !remote.empty() && localInput.sameLine(local.begin, remoteInput, remote.begin)) {
            ++local.begin;
            ++remote.begin;
        }
        writeLines(MergeSide::Local, {before.begin, local.begin});
        while (!local.empty() && !remote.empty() &&
               localInput.sameLine(local.end - 1, remoteInput, remote.end - 1)) {
            --local.end;
            --remote.end;
        }
        after.begin = local.end;
    }
    writeMarker("<<<<<<<", m_labels.local);
    writeLines(MergeSide::Local, local);
    if (m_style == ConflictStyle::Diff3) {
        writeMarker("|||||||", m_labels.base);
        writeLines(MergeSide::Base, base);
    }
    writeMarker("=======", {});
    writeLines(MergeSide::Remote, remote);
    writeMarker(">>>>>>>", m_labels.remote);
    writeLines(MergeSide::Local, after);
}

void MergeResultWriter::writeLines(MergeSide side, LineRange lines)
{
    const MergeInput& input = m_merge.input(side);
    for (std::int32_t line = lines.begin; line < lines.end; ++line) {
        endOpenLine();
        const std::size_t start = m_out.size();
        input.appendLine(line, m_out);
        const bool ended = m_out.size() > start && m_out.back() == '\n';
        m_openLineEnd = ended ? std::string_view{} : input.lineEnd();
    }
}

void MergeResultWriter::writeMarker(std::string_view marker, const std::string& label)
{
    endOpenLine();
    m_out += marker;
    if (!label.empty())
        m_out.append(1, ' ').append(label);
    m_out += m_merge.input(MergeSide::Local).lineEnd();
}

void MergeResultWriter::endOpenLine()
{
    m_out += m_openLineEnd;
    m_openLineEnd = {};
}

std::string resultInEncoding(std::string utf8, const TextEncoding& local)
{
    if (local.kind == EncodingKind::Utf8 && !local.bom)
        return utf8;
    std::string out(local.bomBytes());
    // Stray bytes that are not UTF-8 pass an 8-bit encoding but would not read back as written.
    if (!encodeText(utf8, local, out) || decodeText(std::string_view(out).substr(local.bomBytes().size()), local) != utf8)
        return utf8;
    return out;
}

} // namespace core
