#include "framework/profile.h"

#include <cassert>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <vector>

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include "framework/ascii_case.h"

namespace framework {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kFileName = "Bivalo.INI";
constexpr std::string_view kBlanks = " \t\r\v\f";

bool isBlank(char c)
{
    return kBlanks.find(c) != std::string_view::npos;
}

std::string_view trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    const std::size_t last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

bool isQuote(char c)
{
    return c == '"' || c == '\'';
}

bool isWrappedInQuotes(std::string_view text)
{
    return text.size() >= 2 && isQuote(text.front()) && text.front() == text.back();
}

// One line of the file as it was read: the text without its line end, and whether
// the line end was CR LF.
struct ProfileLine {
    std::string text;
    bool crlf = false;
    bool hasLineEnd = true;
};

// The file split into lines, with what each line means.
class ProfileText {
public:
    explicit ProfileText(const std::string& bytes);

    // Index of the header line of the first section called name.
    std::optional<std::size_t> findSection(std::string_view name) const;
    // Index of the first line of that section holding key.
    std::optional<std::size_t> findKey(std::size_t sectionLine, std::string_view key) const;
    // The value of a key line, blanks around it removed.
    std::string_view valueAt(std::size_t line) const;

    void replaceValue(std::size_t line, std::string_view value);
    void addKey(std::size_t sectionLine, std::string_view key, std::string_view value);
    void addSection(std::string_view section, std::string_view key, std::string_view value);

    std::string bytes() const;

private:
    std::optional<std::string_view> sectionNameAt(std::size_t line) const;
    std::optional<std::string_view> keyAt(std::size_t line) const;
    void insertLine(std::size_t at, std::string text);
    bool newLinesUseCrlf() const;

    std::vector<ProfileLine> m_lines;
};

ProfileText::ProfileText(const std::string& bytes)
{
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find('\n', start);
        ProfileLine line;
        if (end == std::string::npos) {
            line.text = bytes.substr(start);
            line.hasLineEnd = false;
            start = bytes.size();
        } else {
            line.text = bytes.substr(start, end - start);
            start = end + 1;
        }
        // Only a CR before the LF belongs to the line end; one that ends the file is kept.
        if (line.hasLineEnd && !line.text.empty() && line.text.back() == '\r') {
            line.text.pop_back();
            line.crlf = true;
        }
        m_lines.push_back(std::move(line));
    }
}

std::optional<std::string_view> ProfileText::sectionNameAt(std::size_t line) const
{
    const std::string_view text = trimmed(m_lines[line].text);
    if (text.empty() || text.front() != '[')
        return std::nullopt;
    const std::size_t close = text.find(']');
    if (close == std::string_view::npos)
        return std::nullopt;
    return trimmed(text.substr(1, close - 1));
}

std::optional<std::string_view> ProfileText::keyAt(std::size_t line) const
{
    const std::string_view text = m_lines[line].text;
    const std::string_view start = trimmed(text);
    if (start.empty() || start.front() == ';')
        return std::nullopt;
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos)
        return std::nullopt;
    return trimmed(text.substr(0, equals));
}

// A name is looked up as the file shows it: blanks around it are not part of it.
std::optional<std::size_t> ProfileText::findSection(std::string_view name) const
{
    name = trimmed(name);
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        const auto found = sectionNameAt(i);
        if (found && equalIgnoringCase(*found, name))
            return i;
    }
    return std::nullopt;
}

std::optional<std::size_t> ProfileText::findKey(std::size_t sectionLine, std::string_view key) const
{
    key = trimmed(key);
    for (std::size_t i = sectionLine + 1; i < m_lines.size() && !sectionNameAt(i); ++i) {
        const auto found = keyAt(i);
        if (found && equalIgnoringCase(*found, key))
            return i;
    }
    return std::nullopt;
}

std::string_view ProfileText::valueAt(std::size_t line) const
{
    const std::string_view text = m_lines[line].text;
    return trimmed(text.substr(text.find('=') + 1));
}

void ProfileText::replaceValue(std::size_t line, std::string_view value)
{
    std::string& text = m_lines[line].text;
    text.resize(text.find('=') + 1);
    text += value;
}

void ProfileText::addKey(std::size_t sectionLine, std::string_view key, std::string_view value)
{
    // After the last key of the section, so that blank lines and comments that lead
    // into the next section stay with it.
    std::size_t last = sectionLine;
    for (std::size_t i = sectionLine + 1; i < m_lines.size() && !sectionNameAt(i); ++i) {
        if (keyAt(i))
            last = i;
    }
    insertLine(last + 1, std::string(key) + "=" + std::string(value));
}

void ProfileText::addSection(std::string_view section, std::string_view key, std::string_view value)
{
    if (!m_lines.empty() && !trimmed(m_lines.back().text).empty())
        insertLine(m_lines.size(), {});
    insertLine(m_lines.size(), "[" + std::string(section) + "]");
    insertLine(m_lines.size(), std::string(key) + "=" + std::string(value));
}

bool ProfileText::newLinesUseCrlf() const
{
    return !m_lines.empty() && m_lines.front().crlf;
}

void ProfileText::insertLine(std::size_t at, std::string text)
{
    // A line that ended the file without a line end gets one before lines follow it.
    if (at > 0 && !m_lines[at - 1].hasLineEnd) {
        m_lines[at - 1].hasLineEnd = true;
        m_lines[at - 1].crlf = newLinesUseCrlf();
    }
    ProfileLine line{std::move(text), newLinesUseCrlf(), true};
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
}

std::string ProfileText::bytes() const
{
    std::string out;
    for (const ProfileLine& line : m_lines) {
        out += line.text;
        if (line.hasLineEnd)
            out += line.crlf ? "\r\n" : "\n";
    }
    return out;
}

// Nothing when the file can't be read (missing, a folder, no permission).
std::optional<std::string> readWholeFile(const std::string& file)
{
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    std::string bytes;
    char buffer[8192];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            ::close(fd);
            return got == 0 ? std::optional<std::string>(std::move(bytes)) : std::nullopt;
        }
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
}

std::optional<std::string_view> findValue(const ProfileText& text, std::string_view section, std::string_view key)
{
    const auto sectionLine = text.findSection(section);
    if (!sectionLine)
        return std::nullopt;
    const auto keyLine = text.findKey(*sectionLine, key);
    if (!keyLine)
        return std::nullopt;
    return text.valueAt(*keyLine);
}

// A value is stored on one line: it ends at its first line break.
std::string_view firstLine(std::string_view value)
{
    return value.substr(0, value.find_first_of("\r\n"));
}

// Blanks around a value and a pair of quotes around it are dropped when reading,
// so such a value is written inside a pair of double quotes.
std::string storedForm(std::string_view value)
{
    const std::string_view line = firstLine(value);
    const bool needsQuotes = !line.empty()
        && (isBlank(line.front()) || isBlank(line.back()) || isWrappedInQuotes(line));
    return needsQuotes ? "\"" + std::string(line) + "\"" : std::string(line);
}

std::string readValue(std::string_view stored)
{
    if (isWrappedInQuotes(stored))
        stored = stored.substr(1, stored.size() - 2);
    return std::string(stored);
}

// Overflow wraps around in 32 bits, as the Windows functions do.
int parseSignedDecimal(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    std::uint32_t magnitude = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        magnitude = magnitude * 10u + static_cast<std::uint32_t>(text[i] - '0');
    if (negative)
        magnitude = 0u - magnitude;
    return static_cast<int>(magnitude);
}

fs::path resolvedTarget(const std::string& file)
{
    std::error_code ec;
    if (fs::is_symlink(file, ec)) {
        const fs::path target = fs::canonical(file, ec);
        if (!ec)
            return target;
    }
    return file;
}

bool writeAll(int fd, const std::string& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += static_cast<std::size_t>(written);
    }
    return true;
}

mode_t newFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return static_cast<mode_t>(0666 & ~mask);
}

// Writes bytes to a temporary file beside target and renames it over target, so a
// reader sees either the old or the new file, never a part of one.
bool replaceFile(const fs::path& target, const std::string& bytes)
{
    std::error_code ec;
    const fs::path folder = target.parent_path();
    if (!folder.empty())
        fs::create_directories(folder, ec);

    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    // A file without any write bit stays as the user protected it, also from root.
    if (exists && (old.st_mode & 0222) == 0)
        return false;
    const mode_t mode = exists ? (old.st_mode & 07777) : newFileMode();

    std::string tempName = target.string() + ".XXXXXX";
    const int fd = ::mkstemp(tempName.data());
    if (fd < 0)
        return false;
    const bool written = writeAll(fd, bytes) && ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || ::rename(tempName.c_str(), target.c_str()) != 0) {
        ::unlink(tempName.c_str());
        return false;
    }
    return true;
}

[[maybe_unused]] bool validSectionName(std::string_view section)
{
    return !section.empty() && section.find_first_of("]\r\n") == std::string_view::npos;
}

[[maybe_unused]] bool validKey(std::string_view key)
{
    return !trimmed(key).empty() && key.find_first_of("=\r\n[") == std::string_view::npos
        && trimmed(key).front() != ';';
}

} // namespace

std::string settingsFilePath()
{
    if (const char* ini = std::getenv("BIVALO_INI"); ini && *ini)
        return ini;
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config == '/')
        return (fs::path(config) / kFileName).string();
    const char* home = std::getenv("HOME");
    if (!home || !*home) {
        const passwd* user = ::getpwuid(::getuid());
        home = user ? user->pw_dir : "";
    }
    return (fs::path(home) / ".config" / kFileName).string();
}

int readProfileInt(const std::string& file, std::string_view section, std::string_view key, int defaultValue)
{
    const auto bytes = readWholeFile(file);
    if (!bytes)
        return defaultValue;
    const ProfileText text(*bytes);
    const auto value = findValue(text, section, key);
    if (!value || value->empty())
        return defaultValue;
    return parseSignedDecimal(readValue(*value));
}

std::string readProfileString(const std::string& file, std::string_view section, std::string_view key,
                              std::string_view defaultValue)
{
    const auto bytes = readWholeFile(file);
    if (!bytes)
        return std::string(defaultValue);
    const ProfileText text(*bytes);
    const auto value = findValue(text, section, key);
    if (!value)
        return std::string(defaultValue);
    return readValue(*value);
}

bool writeProfileInt(const std::string& file, std::string_view section, std::string_view key, int value)
{
    ProfileWriter writer(file);
    writer.writeInt(section, key, value);
    return writer.commit();
}

bool writeProfileString(const std::string& file, std::string_view section, std::string_view key,
                        std::string_view value)
{
    ProfileWriter writer(file);
    writer.writeString(section, key, value);
    return writer.commit();
}

struct ProfileWriter::State {
    fs::path target;
    std::optional<std::string> existing;
    bool unreadable = false;
    ProfileText text;
};

ProfileWriter::ProfileWriter(const std::string& file)
{
    fs::path target = resolvedTarget(file);
    auto existing = readWholeFile(target.string());
    std::error_code ec;
    const bool unreadable = !existing && fs::exists(target, ec);
    ProfileText text(existing.value_or(std::string()));
    m_state.reset(new State{std::move(target), std::move(existing), unreadable, std::move(text)});
}

ProfileWriter::~ProfileWriter() = default;

void ProfileWriter::writeInt(std::string_view section, std::string_view key, int value)
{
    writeString(section, key, std::to_string(value));
}

void ProfileWriter::writeString(std::string_view section, std::string_view key, std::string_view value)
{
    assert(validSectionName(section));
    assert(validKey(key));
    ProfileText& text = m_state->text;
    const std::string stored = storedForm(value);
    if (const auto sectionLine = text.findSection(section)) {
        if (const auto keyLine = text.findKey(*sectionLine, key))
            text.replaceValue(*keyLine, stored);
        else
            text.addKey(*sectionLine, key, stored);
    } else {
        text.addSection(section, key, stored);
    }
}

bool ProfileWriter::commit()
{
    // A file that exists but can't be read must not be replaced by a file of our keys only.
    if (m_state->unreadable)
        return false;
    const std::string bytes = m_state->text.bytes();
    if (m_state->existing && bytes == *m_state->existing)
        return true;
    if (!replaceFile(m_state->target, bytes))
        return false;
    m_state->existing = bytes;
    return true;
}

} // namespace framework
