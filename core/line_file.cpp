#include "core/line_file.h"

#include <algorithm>
#include <cassert>
#include <cerrno>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/line_hash.h"
#include "settings/app_settings.h"

namespace core {

namespace {

constexpr std::int32_t kLoadGrowth = 500;
constexpr std::int32_t kAppendMargin = 100;
constexpr std::int32_t kBytesPerExpectedLine = 20;
constexpr std::int32_t kMinimumExpectedLines = 10;
constexpr std::size_t kReadChunk = 1 << 18;

bool isTrailingWhiteSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::size_t firstNonBlank(std::string_view text)
{
    const std::size_t found = text.find_first_not_of(' ');
    return found == std::string_view::npos ? text.size() : found;
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

std::size_t collapsedLength(std::string_view from)
{
    std::size_t length = 0;
    bool previousBlank = false;
    for (const char c : from) {
        const bool blank = c == ' ';
        if (!(blank && previousBlank))
            ++length;
        previousBlank = blank;
    }
    return length;
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
    if (position >= m_lines.size())
        m_lines.resize(position + 1);
    return m_lines[position];
}

void LineFile::setRoom(std::int32_t size)
{
    m_size = size;
    if (m_lines.size() > static_cast<std::size_t>(size))
        m_lines.resize(static_cast<std::size_t>(size));
}

std::int32_t LineFile::appendLine(std::string_view text)
{
    return appendLine(text, false);
}

std::int32_t LineFile::appendLine(std::string_view text, bool continues)
{
    setRoom(m_count + kAppendMargin);
    LineRecord& record = recordAt(m_count);
    buildRecord(record, text, !continues);
    record.m_continues = continues;
    return m_count++;
}

void LineFile::setText(std::int32_t index, std::string_view text)
{
    buildRecord(recordAt(index), text, true);
}

void LineFile::buildRecord(LineRecord& record, std::string_view input, bool trimTrailing)
{
    record = LineRecord{};
    if (input.empty())
        return;
    const settings::AppSettings& options = settings::appSettings();

    std::string_view text = input;
    if (input.find('\t') != std::string_view::npos) {
        const auto tab = std::string(static_cast<std::size_t>(std::max(0, options.TabSize)), ' ');
        m_expanded.clear();
        for (const char c : input) {
            if (c == '\t')
                m_expanded += tab;
            else
                m_expanded += c;
        }
        text = m_expanded;
    }
    if (trimTrailing) {
        while (!text.empty() && isTrailingWhiteSpace(text.back()))
            text.remove_suffix(1);
    }
    if (text.empty())
        return;

    const std::size_t keyBegin = firstNonBlank(text);
    const std::string_view keySource = text.substr(keyBegin);
    const bool collapse = options.IgnoreBlanks != 0;
    const std::size_t keyLength = collapse ? collapsedLength(keySource) : keySource.size();

    char* bytes = m_store.allocate(text.size() + (collapse ? keyLength : 0));
    std::memcpy(bytes, text.data(), text.size());
    record.m_text = bytes;
    record.m_textLength = static_cast<std::uint32_t>(text.size());
    if (collapse) {
        collapseBlanks(keySource, bytes + text.size());
        record.m_keyBegin = static_cast<std::uint32_t>(text.size());
    } else {
        record.m_keyBegin = static_cast<std::uint32_t>(keyBegin);
    }
    record.m_keyLength = static_cast<std::uint32_t>(keyLength);
    record.m_hash = lineHash(collapse ? record.key() : record.text());
}

void LineFile::addPiece(std::int32_t index, std::string_view piece, bool continues)
{
    if (index >= m_size)
        m_size += kLoadGrowth;
    LineRecord& record = recordAt(index);
    // A cut piece keeps its white space: it is inside the line, not at its end.
    buildRecord(record, piece, !continues);
    record.m_continues = continues;
}

void LineFile::finishLoading(std::int32_t pieces)
{
    std::int32_t last = pieces - 1;
    while (last > 0 && m_lines[static_cast<std::size_t>(last)].key().empty())
        --last;
    m_count = last + 1;
    if (m_count > 0)
        m_lines[static_cast<std::size_t>(m_count - 1)].m_continues = false;
}

bool LineFile::load(const std::string& path)
{
    m_path = path;
    m_changes = 0;
    m_loaded = false;
    m_loadProblem = LoadProblem::None;

    FileHandle file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.fd() < 0) {
        m_loadProblem = problemOfErrno(errno);
        return false;
    }
    struct stat status {};
    if (::fstat(file.fd(), &status) != 0) {
        m_loadProblem = problemOfErrno(errno);
        return false;
    }
    if (S_ISDIR(status.st_mode)) {
        m_loadProblem = LoadProblem::Folder;
        return false;
    }

    const auto expected = static_cast<std::int32_t>(
        std::min<off_t>(status.st_size / kBytesPerExpectedLine, INT32_MAX - kLoadGrowth));
    m_lines.clear();
    m_store.clear();
    m_count = 0;
    m_firstLineEndsWithCrLf = false;
    m_size = expected == 0 ? kMinimumExpectedLines : expected;

    std::int32_t pieces = 0;
    bool firstLine = true;
    auto addLine = [&](std::string_view line, bool endsWithLineFeed) {
        if (endsWithLineFeed && !line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
            if (firstLine)
                m_firstLineEndsWithCrLf = true;
        }
        firstLine = false;
        do {
            const std::size_t take = std::min(kPieceSize, line.size());
            const std::string_view piece = line.substr(0, take);
            line.remove_prefix(take);
            addPiece(pieces++, piece, !line.empty());
        } while (!line.empty());
    };

    std::vector<char> chunk(kReadChunk);
    std::string carried; // the start of a line that runs past the end of a chunk
    for (;;) {
        const ssize_t got = ::read(file.fd(), chunk.data(), chunk.size());
        if (got < 0) {
            if (errno == EINTR)
                continue;
            m_loadProblem = problemOfErrno(errno);
            finishLoading(pieces);
            return false;
        }
        if (got == 0)
            break;
        std::string_view rest(chunk.data(), static_cast<std::size_t>(got));
        for (std::size_t end; (end = rest.find('\n')) != std::string_view::npos;) {
            if (carried.empty()) {
                addLine(rest.substr(0, end), true);
            } else {
                carried.append(rest.substr(0, end));
                addLine(carried, true);
                carried.clear();
            }
            rest.remove_prefix(end + 1);
        }
        carried.append(rest);
    }
    if (!carried.empty())
        addLine(carried, false);

    finishLoading(pieces);
    m_loaded = true;
    return true;
}

bool isEqual(const LineRecord& a, const LineRecord* b, bool* blankDifference)
{
    if (b == nullptr || a.hash() != b->hash())
        return false;
    if (settings::appSettings().IgnoreBlanks == 0)
        return a.text() == b->text();
    if (a.key() != b->key())
        return false;
    if (blankDifference != nullptr && a.text().size() != b->text().size())
        *blankDifference = true;
    return true;
}

} // namespace core
