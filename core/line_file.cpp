#include "core/line_file.h"

#include <algorithm>
#include <cassert>
#include <cerrno>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/edited_bytes.h"
#include "core/line_hash.h"
#include "core/line_scanner.h"
#include "core/utf8_text.h"

namespace core {

namespace {

constexpr std::int32_t kLoadGrowth = 500;
constexpr std::int32_t kAppendMargin = 100;
constexpr std::int32_t kBytesPerExpectedLine = 20;
constexpr std::int32_t kMinimumExpectedLines = 10;
constexpr std::size_t kReadChunk = 1 << 16;
// Text decoded whole is split into lines a slice at a time, so that a cancel is seen.
constexpr std::size_t kDecodedSlice = 1 << 22;

struct ExpandedWidths {
    std::size_t indentation = 0;     // input bytes of blanks and tabs before the first other byte
    std::size_t indentationTabs = 0;
    std::size_t innerTabs = 0;       // tabs after the indentation
    std::size_t leadingBlanks = 0;   // the indentation's width once its tabs are expanded

    std::size_t tabs() const { return indentationTabs + innerTabs; }
};

// One look at a line before its tabs are expanded: the expanded text's leading blanks
// come from the leading blanks and tabs, and the rest is searched for tabs only when
// it may hold one.
ExpandedWidths measureExpanded(std::string_view input, std::size_t tabSize, const char* lastTab)
{
    ExpandedWidths widths;
    std::size_t at = 0;
    for (; at < input.size(); ++at) {
        if (input[at] == ' ') {
            ++widths.leadingBlanks;
        } else if (input[at] == '\t') {
            ++widths.indentationTabs;
            widths.leadingBlanks += tabSize;
        } else {
            break;
        }
    }
    widths.indentation = at;
    if (lastTab == nullptr || lastTab < input.data() + at)
        return widths;
    widths.innerTabs = countTabs(input.substr(at));
    return widths;
}

// The key with every run of blanks reduced to its first blank.
std::size_t collapseBlanks(std::string_view from, char* to)
{
    std::size_t length = 0;
    bool previousBlank = false;
    for (const char c : from) {
        const bool blank = c == ' ';
        if (!(blank && previousBlank))
            to[length++] = c;
        previousBlank = blank;
    }
    return length;
}

// Copies from to `to` with every tab replaced by tabSize blanks.
void expandTabs(std::string_view from, std::size_t tabSize, char* to)
{
    for (;;) {
        const std::size_t tab = from.find('\t');
        const std::size_t span = tab == std::string_view::npos ? from.size() : tab;
        std::memcpy(to, from.data(), span);
        to += span;
        if (tab == std::string_view::npos)
            return;
        std::memset(to, ' ', tabSize);
        to += tabSize;
        from.remove_prefix(tab + 1);
    }
}

// The expanded text of input into to: most indented lines have tabs only in their
// indentation, which becomes one run of blanks.
void writeExpanded(std::string_view input, const ExpandedWidths& widths, std::size_t tabSize, char* to)
{
    if (widths.tabs() == 0) {
        std::memcpy(to, input.data(), input.size());
    } else if (widths.innerTabs == 0) {
        std::memset(to, ' ', widths.leadingBlanks);
        std::memcpy(to + widths.leadingBlanks, input.data() + widths.indentation, input.size() - widths.indentation);
    } else {
        expandTabs(input, tabSize, to);
    }
}

// Remembers what gives back input and the white space cut off it from the expanded text:
// the bytes up to the last tab stand for the text's first bytes, the rest is the text's.
void rememberDiskForm(DiskForms& forms, std::int32_t index, std::string_view input, const ExpandedWidths& widths,
                      std::size_t tabSize, std::string_view trailing)
{
    std::size_t prefixLength = 0;
    if (widths.tabs() != 0) {
        const std::size_t searched = widths.innerTabs == 0 ? widths.indentation : input.size();
        const auto* lastTab = static_cast<const char*>(::memrchr(input.data(), '\t', searched));
        prefixLength = static_cast<std::size_t>(lastTab - input.data()) + 1;
    }
    const std::size_t covered = prefixLength - widths.tabs() + widths.tabs() * tabSize;
    forms.add(index, input.substr(0, prefixLength), covered, trailing);
}

// The bytes differ from the text only in an indentation of tabs and nothing else: the
// text's leading blanks tell how many. With tab size 0 the tabs leave no trace to count.
bool isTabIndentedOnly(const ExpandedWidths& widths, bool untrimmed, std::size_t tabSize)
{
    return untrimmed && tabSize != 0 && widths.innerTabs == 0 && widths.indentationTabs == widths.indentation;
}

std::size_t leadingBlanks(std::string_view text)
{
    return std::min(text.find_first_not_of(' '), text.size());
}

LoadProblem problemOfErrno(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return LoadProblem::NotFound;
    case EACCES:
    case EPERM:
        return LoadProblem::NoPermission;
    case EISDIR:
        return LoadProblem::Folder;
    default:
        return LoadProblem::ReadError;
    }
}

// Reads up to size bytes; -1 on an error.
ssize_t readSome(int fd, char* to, std::size_t size)
{
    for (;;) {
        const ssize_t got = ::read(fd, to, size);
        if (got >= 0 || errno != EINTR)
            return got;
    }
}

class FileHandle {
public:
    explicit FileHandle(int fd) : m_fd(fd) {}
    ~FileHandle()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    int fd() const { return m_fd; }

private:
    int m_fd;
};

} // namespace

LineRecord& LineFile::recordAt(std::int32_t index)
{
    assert(index >= 0 && index < m_size);
    const auto position = static_cast<std::size_t>(index);
    if (position == m_lines.size())
        return m_lines.emplaceBack();
    if (position > m_lines.size())
        m_lines.resize(position + 1);
    return m_lines[position];
}

void LineFile::setRoom(std::int32_t size)
{
    m_size = size;
    if (m_lines.size() > static_cast<std::size_t>(size))
        m_lines.resize(static_cast<std::size_t>(size));
}

std::int32_t LineFile::appendLine(std::string_view text, const TextOptions& options, bool continues)
{
    return appendPiece({.bytes = text, .continues = continues, .lastTab = unknownTabs(text)}, options);
}

std::int32_t LineFile::appendEdit(std::int32_t index, std::string_view text, const TextOptions& options)
{
    const LineRecord* line = lineAt(index);
    assert(line != nullptr);
    const bool continues = line->continues();
    if (originOf(index) == LineOrigin::Typed)
        return appendLine(text, options, continues);
    std::string bytes;
    appendBytes(index, bytes);
    const TextForm form{.tabSize = rulesOf(options).tabSize, .piece = continues};
    bytes = editedBytes(bytes, form, line->text(), text, options.typedTabSize());
    const bool otherLineEnd = !continues && lineEndOf(index) != lineEnd();
    const std::int32_t edited =
        appendPiece({.bytes = bytes, .continues = continues, .keepBytes = true, .lastTab = unknownTabs(bytes)}, options);
    m_editedLines.push_back(edited);
    if (otherLineEnd)
        m_otherLineEnds.push_back(edited);
    return edited;
}

std::int32_t LineFile::appendCopy(const LineFile& from, std::int32_t index, bool keepPiece, const TextOptions& options)
{
    const LineRecord* line = from.lineAt(index);
    assert(line != nullptr);
    const bool continues = keepPiece && line->continues();
    if (from.originOf(index) == LineOrigin::Typed)
        return appendPiece({.bytes = line->text(), .continues = continues, .lastTab = unknownTabs(line->text())}, options);
    std::string bytes;
    from.appendBytes(index, bytes);
    const std::int32_t copy =
        appendPiece({.bytes = bytes, .continues = continues, .keepBytes = true, .lastTab = unknownTabs(bytes)}, options);
    m_copiedLines.push_back(copy);
    return copy;
}

std::int32_t LineFile::appendVerbatim(std::string_view bytes, const TextOptions& options)
{
    const std::int32_t line = appendPiece({.bytes = bytes, .keepBytes = true, .lastTab = unknownTabs(bytes)}, options);
    m_copiedLines.push_back(line);
    return line;
}

std::int32_t LineFile::appendPiece(const Piece& piece, const TextOptions& options)
{
    setRoom(m_count + kAppendMargin);
    m_diskForms.dropFrom(m_count);
    LineRecord& record = recordAt(m_count);
    record = LineRecord{};
    buildRecord(m_count, piece, rulesOf(options), nullptr);
    record.m_continues = piece.continues ? 1 : 0;
    m_longestText = std::max(m_longestText, record.text().size());
    return m_count++;
}

std::string LineFile::legacyEncodingOf(std::string_view named)
{
    const std::optional<TextEncoding> legacy = encodingNamed(named);
    if (legacy && legacy->kind == EncodingKind::Legacy)
        return legacy->legacyName;
    return std::string(kDefaultLegacyEncoding);
}

LineFile::TextRules LineFile::rulesOf(const TextOptions& options)
{
    return {static_cast<std::size_t>(std::max(0, options.tabSize)), options.ignoreBlanks};
}

void LineFile::buildRecord(std::int32_t index, const Piece& piece, const TextRules& rules, RecentTexts* recent)
{
    LineRecord& record = m_lines[static_cast<std::size_t>(index)];
    // Trailing white space goes before expanding: a tab there only becomes blanks that
    // would go too. A cut piece keeps its white space: it is inside the line.
    std::string_view input = piece.bytes;
    if (!piece.continues) {
        while (!input.empty() && isTrailingWhiteSpace(input.back()))
            input.remove_suffix(1);
    }
    const std::size_t tabSize = rules.tabSize;
    const ExpandedWidths widths = measureExpanded(input, tabSize, piece.lastTab);
    if (piece.keepBytes && (widths.tabs() != 0 || input.size() != piece.bytes.size())) {
        if (isTabIndentedOnly(widths, input.size() == piece.bytes.size(), tabSize) && tabSize == m_indentTabSize)
            record.m_tabIndented = 1;
        else
            rememberDiskForm(m_diskForms, index, input, widths, tabSize, piece.bytes.substr(input.size()));
    }
    const std::size_t textLength = input.size() - widths.tabs() + widths.tabs() * tabSize;
    if (textLength == 0)
        return;
    // An equal text has an equal key and hash: all of it is taken over.
    if (recent != nullptr && widths.innerTabs == 0) {
        if (const LineRecord* known = recent->find(widths.leadingBlanks, input.substr(widths.indentation))) {
            shareText(record, *known);
            ++m_repeatedLines;
            return;
        }
    }

    const bool collapse = rules.collapseBlanks;
    // With blanks collapsed the key follows the text, at most as long as the text.
    char* bytes = m_store.allocate(collapse ? 2 * textLength : textLength);
    writeExpanded(input, widths, tabSize, bytes);
    const std::string_view text(bytes, textLength);
    const std::size_t keyBegin = widths.leadingBlanks;
    record.m_text = bytes;
    record.m_textLength = static_cast<std::uint32_t>(textLength);
    std::size_t keyLength = textLength - keyBegin;
    if (collapse) {
        keyLength = collapseBlanks(text.substr(keyBegin), bytes + textLength);
        m_store.giveBack(textLength - keyLength);
        record.m_keyFollowsText = 1;
    }
    record.m_keyLength = static_cast<std::uint32_t>(std::min<std::size_t>(keyLength, LineRecord::kLongestKey));
    record.m_hash = lineHash(collapse ? record.key() : record.text());
    if (recent != nullptr)
        recent->remember(record, widths.leadingBlanks);
}

void LineFile::shareText(LineRecord& record, const LineRecord& equal)
{
    record.m_text = equal.m_text;
    record.m_textLength = equal.m_textLength;
    record.m_keyLength = equal.m_keyLength;
    record.m_keyFollowsText = equal.m_keyFollowsText;
    record.m_hash = equal.m_hash;
}

void LineFile::addPiece(std::int32_t index, const Piece& piece, const TextRules& rules, RecentTexts& recent)
{
    if (index >= m_size)
        m_size += kLoadGrowth;
    LineRecord& record = recordAt(index);
    buildRecord(index, piece, rules, &recent);
    record.m_continues = piece.continues ? 1 : 0;
}

LineOrigin LineFile::originOf(std::int32_t index) const
{
    if (index < m_readCount)
        return LineOrigin::Read;
    if (std::binary_search(m_copiedLines.begin(), m_copiedLines.end(), index))
        return LineOrigin::Copied;
    return std::binary_search(m_editedLines.begin(), m_editedLines.end(), index) ? LineOrigin::Edited
                                                                                 : LineOrigin::Typed;
}

void LineFile::appendBytes(std::int32_t index, std::string& out) const
{
    const LineRecord& line = m_lines[static_cast<std::size_t>(index)];
    if (line.m_tabIndented == 0) {
        m_diskForms.appendBytes(index, line.text(), out);
        return;
    }
    const std::string_view text = line.text();
    const std::size_t blanks = leadingBlanks(text);
    out.append(blanks / m_indentTabSize, '\t');
    out += text.substr(blanks);
}

std::string_view LineFile::lineEndOf(std::int32_t index) const
{
    if (m_crLineEnds)
        return lineEnd();
    const bool other = std::binary_search(m_otherLineEnds.begin(), m_otherLineEnds.end(), index);
    return other == m_firstLineEndsWithCrLf ? "\n" : "\r\n";
}

void LineFile::finishLoading(std::int32_t pieces, bool lastLineEnded, const TextRules& rules)
{
    std::int32_t last = pieces - 1;
    while (last > 0 && m_lines[static_cast<std::size_t>(last)].key().empty())
        --last;
    m_count = last + 1;
    m_readCount = m_count;
    m_trailingLines.clear();
    m_endsWithLineEnd = true;
    if (m_count == 0)
        return;
    // Blank pieces at the end of the last kept line were dropped with the blank lines.
    std::int32_t lineEndsAt = m_count - 1;
    std::string droppedPieces;
    while (m_lines[static_cast<std::size_t>(lineEndsAt)].continues())
        appendBytes(++lineEndsAt, droppedPieces);
    m_endsWithLineEnd = lineEndsAt < pieces - 1 || lastLineEnded;
    for (std::int32_t k = lineEndsAt + 1; k < pieces; ++k) {
        appendBytes(k, m_trailingLines);
        const bool endsLine = !m_lines[static_cast<std::size_t>(k)].continues();
        if (endsLine && (k < pieces - 1 || lastLineEnded))
            m_trailingLines += lineEndOf(k);
    }

    const bool otherLineEnd = std::binary_search(m_otherLineEnds.begin(), m_otherLineEnds.end(), lineEndsAt);
    while (!m_otherLineEnds.empty() && m_otherLineEnds.back() >= m_count - 1)
        m_otherLineEnds.pop_back();
    if (otherLineEnd)
        m_otherLineEnds.push_back(m_count - 1);
    m_diskForms.dropFrom(m_count);
    if (m_lines[static_cast<std::size_t>(m_count - 1)].continues())
        rebuildAsWholeLine(m_count - 1, droppedPieces, rules);
}

// The kept piece now ends its line: its trailing blanks leave the text as any line's do.
void LineFile::rebuildAsWholeLine(std::int32_t index, std::string_view droppedPieces, const TextRules& rules)
{
    std::string bytes;
    appendBytes(index, bytes);
    bytes += droppedPieces;
    m_diskForms.dropFrom(index);
    m_lines[static_cast<std::size_t>(index)] = LineRecord{};
    buildRecord(index, {.bytes = bytes, .keepBytes = true, .lastTab = unknownTabs(bytes)}, rules, nullptr);
}

// What one load carries from line to line.
struct LineFile::LoadState {
    TextRules rules;
    std::string_view legacyEncoding; // as the options name it
    RecentTexts recent;
    Utf8Census census;
    WorkProgress* progress = nullptr;
    std::int32_t pieces = 0;
    bool firstLine = true;
    bool lastLineEnded = false;
};

bool LineFile::load(const std::string& path, const TextOptions& options, WorkProgress* progress)
{
    m_path = path;
    m_changes = 0;
    m_loaded = false;
    m_loadProblem = LoadProblem::None;
    m_loadError = 0;

    FileHandle file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat status {};
    if (file.fd() < 0 || ::fstat(file.fd(), &status) != 0) {
        failLoading(errno);
        return false;
    }
    if (S_ISDIR(status.st_mode)) {
        failLoading(EISDIR);
        return false;
    }
    clearForLoading(status.st_size);
    // Taken before the first byte is read: a write during the read is a change since.
    m_diskStamp = DiskStamp::fromStatus(status);
    LoadState state;
    state.rules = rulesOf(options);
    state.legacyEncoding = options.legacyEncoding;
    state.progress = progress;
    m_indentTabSize = state.rules.tabSize;
    const bool complete = readFile(file.fd(), status.st_size, state);
    finishLoading(state.pieces, state.lastLineEnded, state.rules);
    for (std::int32_t index = 0; index < m_count; ++index)
        m_longestText = std::max(m_longestText, m_lines[static_cast<std::size_t>(index)].text().size());
    m_loaded = complete;
    return complete;
}

void LineFile::failLoading(int error)
{
    m_loadError = error;
    m_loadProblem = problemOfErrno(error);
}

void LineFile::clearForLoading(off_t fileSize)
{
    const auto expected = static_cast<std::int32_t>(
        std::min<off_t>(fileSize / kBytesPerExpectedLine, INT32_MAX - kLoadGrowth));
    m_lines.clear();
    m_store.clear();
    m_diskForms.clear();
    m_otherLineEnds.clear();
    m_copiedLines.clear();
    m_editedLines.clear();
    m_count = 0;
    m_repeatedLines = 0;
    m_longestText = 0;
    m_firstLineEndsWithCrLf = false;
    m_crLineEnds = false;
    m_size = expected == 0 ? kMinimumExpectedLines : expected;
    // The texts take about the file's bytes: line ends and trailing blanks go, tabs grow.
    m_store.reserve(static_cast<std::size_t>(fileSize));
}

// UTF-8 is read as it comes, a chunk at a time, with nothing to decode. Any other
// encoding, a file that turns out not to be UTF-8 and one without LF are read whole.
bool LineFile::readFile(int fd, off_t fileSize, LoadState& state)
{
    std::vector<char> chunk(kReadChunk + kLineScanSlack);
    const ssize_t got = readSome(fd, chunk.data(), kReadChunk);
    if (got < 0) {
        failLoading(errno);
        return false;
    }
    const std::string_view head(chunk.data(), static_cast<std::size_t>(got));
    m_encoding = encodingOfStart(head);
    if (m_chosenEncoding) {
        const std::string_view bom = TextEncoding::bomOf(m_chosenEncoding->kind);
        m_encoding = *m_chosenEncoding;
        m_encoding.bom = !bom.empty() && head.starts_with(bom);
    }
    if (m_encoding.kind == EncodingKind::Utf8) {
        if (!readLines(fd, chunk, head.substr(m_encoding.bomBytes().size()), state))
            return false;
        const bool legacy = !m_chosenEncoding && state.census.isMostlyNotUtf8();
        const bool anyLineFeed = state.pieces == 0 || state.lastLineEnded || state.pieces > 1
                                 || m_lines[0].continues();
        if (!legacy && anyLineFeed)
            return true;
        if (legacy)
            m_encoding = TextEncoding::legacy(legacyEncodingOf(state.legacyEncoding));
        clearForLoading(fileSize);
        const TextRules rules = state.rules;
        WorkProgress* const progress = state.progress;
        state = LoadState{};
        state.rules = rules;
        state.progress = progress;
    }
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(fileSize));
    for (ssize_t read = 0; (read = ::pread(fd, chunk.data(), kReadChunk, static_cast<off_t>(bytes.size()))) != 0;) {
        if (read < 0 && errno == EINTR)
            continue;
        if (read < 0) {
            failLoading(errno);
            return false;
        }
        bytes.append(chunk.data(), static_cast<std::size_t>(read));
        noteRead(static_cast<std::size_t>(read), state);
    }
    return loadDecoded(std::move(bytes), state);
}

bool LineFile::readLines(int fd, std::vector<char>& chunk, std::string_view first, LoadState& state)
{
    std::string carried; // the start of a line that runs past the end of a chunk
    noteRead(first.size(), state);
    addLines(first.data(), first.data() + first.size(), carried, state);
    for (;;) {
        const ssize_t got = readSome(fd, chunk.data(), kReadChunk);
        if (got < 0) {
            failLoading(errno);
            return false;
        }
        if (got == 0)
            break;
        noteRead(static_cast<std::size_t>(got), state);
        addLines(chunk.data(), chunk.data() + got, carried, state);
    }
    if (!carried.empty())
        addLoadedLine(state, carried, false, unknownTabs(carried));
    return true;
}

// Lines held in another encoding are decoded whole; a decoding that would not give the
// same bytes back leaves the file as it is, read as UTF-8.
bool LineFile::loadDecoded(std::string bytes, LoadState& state)
{
    const std::string_view bom = m_encoding.bomBytes();
    std::optional<std::string> text = decodeText(std::string_view(bytes).substr(bom.size()), m_encoding);
    if (!text) {
        m_encoding = TextEncoding{};
        text = std::move(bytes);
    }
    bytes = std::string();
    if (text->find('\n') == std::string::npos && text->find('\r') != std::string::npos) {
        m_crLineEnds = true;
        std::replace(text->begin(), text->end(), '\r', '\n');
    }
    const std::size_t length = text->size();
    text->append(kLineScanSlack, '\0');
    std::string carried;
    for (std::size_t at = 0; at < length; at += kDecodedSlice) {
        if (state.progress != nullptr)
            state.progress->checkpoint();
        const char* begin = text->data() + at;
        addLines(begin, begin + std::min(kDecodedSlice, length - at), carried, state);
    }
    if (!carried.empty())
        addLoadedLine(state, carried, false, unknownTabs(carried));
    return true;
}

void LineFile::noteRead(std::size_t bytes, const LoadState& state)
{
    if (state.progress == nullptr)
        return;
    state.progress->advance(bytes);
    state.progress->checkpoint();
}

void LineFile::addLines(const char* begin, const char* end, std::string& carried, LoadState& state)
{
    const char* rest = begin;
    for (LineEnd line; (line = findLineEnd(rest, end)).at != end; rest = line.at + 1) {
        const std::string_view text(rest, static_cast<std::size_t>(line.at - rest));
        if (carried.empty()) {
            addLoadedLine(state, text, true, line.lastTab);
        } else {
            carried.append(text);
            addLoadedLine(state, carried, true, unknownTabs(carried));
            carried.clear();
        }
    }
    carried.append(rest, end);
}

// A line longer than a piece is stored as several pieces, each but the last continued.
void LineFile::addLoadedLine(LoadState& state, std::string_view line, bool endsWithLineFeed, const char* lastTab)
{
    const bool crLf = endsWithLineFeed && !line.empty() && line.back() == '\r';
    if (crLf)
        line.remove_suffix(1);
    state.census.add(line);
    if (state.firstLine)
        m_firstLineEndsWithCrLf = crLf;
    state.firstLine = false;
    do {
        const std::size_t take = std::min(kPieceSize, line.size());
        const std::string_view piece = line.substr(0, take);
        line.remove_prefix(take);
        const char* pieceLastTab = lastTab != nullptr && lastTab < piece.data() ? nullptr : lastTab;
        addPiece(state.pieces++,
                 {.bytes = piece, .continues = !line.empty(), .keepBytes = true, .lastTab = pieceLastTab},
                 state.rules, state.recent);
    } while (!line.empty());
    if (endsWithLineFeed && crLf != m_firstLineEndsWithCrLf)
        m_otherLineEnds.push_back(state.pieces - 1);
    state.lastLineEnded = endsWithLineFeed;
}

bool isEqual(const LineRecord& a, const LineRecord* b, bool ignoreBlanks, bool* blankDifference)
{
    if (b == nullptr || a.hash() != b->hash())
        return false;
    if (!ignoreBlanks)
        return a.text() == b->text();
    if (a.key() != b->key())
        return false;
    if (blankDifference != nullptr && a.text().size() != b->text().size())
        *blankDifference = true;
    return true;
}

} // namespace core
