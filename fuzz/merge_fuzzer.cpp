// Cuts one input into BASE, LOCAL and REMOTE, merges them and checks the chunks and the result.
#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

#include "core/merge_result_writer.h"
#include "core/merge_session.h"
#include "fuzz/support/fuzz_check.h"
#include "fuzz/support/fuzz_pair.h"
#include "fuzz/support/scratch_dir.h"

namespace {

using core::MergeInput;
using core::MergeSide;

// The chunks cut each input into ranges that follow each other from its first line to its last,
// and each chunk's kind says truly which sides changed it.
void checkChunks(const core::ThreeWayMerge& merge)
{
    const MergeInput& base = merge.input(MergeSide::Base);
    const MergeInput& local = merge.input(MergeSide::Local);
    const MergeInput& remote = merge.input(MergeSide::Remote);
    core::MergeCounts next;
    for (const core::MergeChunk& chunk : merge.chunks()) {
        fuzz::check(chunk.base.begin == next.base && chunk.local.begin == next.local &&
                        chunk.remote.begin == next.remote,
                    "chunks follow each other");
        next = {chunk.base.end, chunk.local.end, chunk.remote.end};
        const bool localKept = base.sameLines(chunk.base, local, chunk.local);
        const bool remoteKept = base.sameLines(chunk.base, remote, chunk.remote);
        switch (chunk.kind) {
        case core::ChunkKind::Unchanged:
            fuzz::check(localKept && remoteKept, "an unchanged chunk is byte-identical in all three");
            break;
        case core::ChunkKind::LocalOnly:
            fuzz::check(remoteKept, "REMOTE keeps what only LOCAL changed");
            break;
        case core::ChunkKind::RemoteOnly:
            fuzz::check(localKept, "LOCAL keeps what only REMOTE changed");
            break;
        case core::ChunkKind::BothSame:
            fuzz::check(local.sameLines(chunk.local, remote, chunk.remote), "both changed it alike");
            break;
        case core::ChunkKind::Conflict:
            fuzz::check(!local.sameLines(chunk.local, remote, chunk.remote), "a conflict differs");
            break;
        }
    }
    fuzz::check(next.base == base.count() && next.local == local.count() && next.remote == remote.count(),
                "the chunks cover every line");
}

// Text cut after each LF and after each CR that no LF follows: lines, whatever ends them (an
// input whose lines end in CR alone gives the result such lines).
std::vector<std::string> linePieces(const std::string& text)
{
    std::vector<std::string> pieces;
    std::size_t start = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const bool ends = text[at] == '\n' || (text[at] == '\r' && (at + 1 == text.size() || text[at + 1] != '\n'));
        if (ends) {
            pieces.push_back(text.substr(start, at + 1 - start));
            start = at + 1;
        }
    }
    if (start < text.size())
        pieces.push_back(text.substr(start));
    return pieces;
}

// Every line of the result is a marker or a line of an input, with a line end added at most.
void checkResultLines(const core::ThreeWayMerge& merge, const std::string& result)
{
    std::unordered_set<std::string> known;
    for (MergeSide side : {MergeSide::Base, MergeSide::Local, MergeSide::Remote}) {
        const MergeInput& input = merge.input(side);
        for (std::int32_t line = 0; line < input.count(); ++line) {
            const std::string bytes = input.line(line);
            for (const std::string& text : {bytes, bytes + std::string(input.lineEnd())}) {
                for (std::string& piece : linePieces(text))
                    known.insert(std::move(piece));
            }
        }
    }
    for (const std::string& line : linePieces(result)) {
        const bool marker = line.starts_with("<<<<<<< ") || line.starts_with("||||||| ") ||
                            line.starts_with("=======") || line.starts_with(">>>>>>> ");
        fuzz::check(marker || known.contains(line), "each result line comes from an input", line);
    }
}

// The result on disk reads back as the result: in LOCAL's encoding or, when that cannot hold
// it, as it is.
void checkEncodedResult(const std::string& result, const core::TextEncoding& local)
{
    const std::string encoded = core::resultInEncoding(result, local);
    if (encoded == result)
        return;
    const std::string_view bom = local.bomBytes();
    fuzz::check(std::string_view(encoded).starts_with(bom) &&
                    core::decodeText(std::string_view(encoded).substr(bom.size()), local) == result,
                "the result in LOCAL's encoding reads back");
}

// The merge window's session: before any choice it writes what the merge writes; choices
// picked from the input's bytes give a result of the inputs' lines only; undoing every one
// gives the merge's result back.
void checkSession(core::LineFile (&files)[3], const core::TextOptions& options, std::size_t seed,
                  const std::string& merged)
{
    core::MergeSession session(files[0], files[1], files[2], options);
    const core::MergeLabels labels{"L", "B", "R"};
    fuzz::check(session.resultBytes(labels) == merged, "the session starts from the merge's result");
    const core::MergeChoice choices[] = {core::MergeChoice::Local, core::MergeChoice::Remote,
                                         core::MergeChoice::LocalThenRemote, core::MergeChoice::RemoteThenLocal,
                                         core::MergeChoice::Base};
    int steps = 0;
    for (std::int32_t chunk = 0; chunk < session.chunkCount(); ++chunk, seed = seed * 31 + 7) {
        if (session.canTake(chunk))
            steps += session.take(chunk, choices[seed % 5]);
    }
    fuzz::check(session.openConflicts() == 0, "every conflict took a choice");
    checkResultLines(session.merge(), session.resultBytes(labels));
    while (session.undo())
        --steps;
    fuzz::check(steps == 0 && session.resultBytes(labels) == merged && !session.modified(),
                "undoing every choice gives the merge's result back");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const fuzz::FuzzInput input = fuzz::FuzzInput::parse(data, size);
    const core::TextOptions options = input.options();
    core::LineFile files[3];
    const std::string_view parts[3] = {input.source, input.target, input.rest};
    const char* names[3] = {"base", "local", "remote"};
    for (int k = 0; k < 3; ++k)
        fuzz::check(files[k].load(fuzz::writeScratchFile(names[k], parts[k]), options), "an input loads");
    const core::ThreeWayMerge merge(files[0], files[1], files[2], options);
    checkChunks(merge);
    const core::MergeLabels labels{"L", "B", "R"};
    const std::string result = core::MergeResultWriter(merge, labels, core::ConflictStyle::Diff3).write();
    checkResultLines(merge, result);
    checkEncodedResult(result, files[1].encoding());
    const std::string merged = core::MergeResultWriter(merge, labels, core::ConflictStyle::Merge).write();
    if (merge.conflicts() == 0)
        fuzz::check(result == merged, "without conflicts both styles write the same");
    checkSession(files, options, size, merged);
    return 0;
}
