// Arbitrary settings-file text, then reads and writes of keys of every kind. What was written
// reads back (a value's first line), the keys written before keep their values, and a write
// changes the file at one place only.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "framework/ascii_case.h"
#include "framework/profile.h"
#include "fuzz/support/fuzz_check.h"
#include "fuzz/support/fuzz_pair.h"
#include "fuzz/support/scratch_dir.h"

namespace {

constexpr const char* kBlanks = " \t\r\v\f";
const std::vector<std::string> kSections = {"options", "Font", "Filters", "dirs", "AppColors", "MAINWND",
                                            "Combos", "Desktop", "two words"};
const std::vector<std::string> kKeys = {"TabSize", "UseTab", "Name", "Src0", "x", "two words", "tabsize"};
const std::vector<std::string> kValues = {"", "plain", " leading", "trailing ", "\"quoted\"", "'single'",
                                          "\"", "first\nsecond", "line\r\nbreak", "a=b", "[section]",
                                          ";comment", "-12", "  \"both\"  "};

// The lines with their line ends.
std::vector<std::string> linesOf(const std::string& bytes)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = std::min(bytes.find('\n', start), bytes.size() - 1);
        lines.push_back(bytes.substr(start, end + 1 - start));
        start = end + 1;
    }
    return lines;
}

// A line is kept when its bytes stay; a last line without a line end may get one.
bool kept(const std::string& old, const std::string& now, bool lastWithoutLineEnd)
{
    return now == old || (lastWithoutLineEnd && (now == old + "\n" || now == old + "\r\n"));
}

// A write replaces at most one line and adds at most three (blank line, section, key).
void checkOnePlaceChanged(const std::string& before, const std::string& after)
{
    const std::vector<std::string> old = linesOf(before);
    const std::vector<std::string> now = linesOf(after);
    const bool endsWithoutLineEnd = !before.empty() && before.back() != '\n';
    std::size_t prefix = 0;
    while (prefix < old.size() && prefix < now.size()
           && kept(old[prefix], now[prefix], endsWithoutLineEnd && prefix + 1 == old.size()))
        ++prefix;
    std::size_t suffix = 0;
    while (suffix < old.size() - prefix && suffix < now.size() - prefix
           && old[old.size() - 1 - suffix] == now[now.size() - 1 - suffix])
        ++suffix;
    fuzz::check(old.size() - prefix - suffix <= 1 && now.size() - prefix - suffix <= 3,
                "a write keeps every other line");
}

std::string firstLine(std::string_view value) { return std::string(value.substr(0, value.find_first_of("\r\n"))); }

// The names the program may use: no line break, no ']' in a section, a key without '=' or
// '[' that is not blank and does not start a comment.
std::string sectionName(FuzzedDataProvider& ops)
{
    if (ops.ConsumeBool())
        return kSections[ops.ConsumeIntegralInRange<std::size_t>(0, kSections.size() - 1)];
    std::string name = ops.ConsumeRandomLengthString(8);
    std::erase_if(name, [](char c) { return c == ']' || c == '\r' || c == '\n'; });
    return name.empty() ? "s" : name;
}

std::string keyName(FuzzedDataProvider& ops)
{
    if (ops.ConsumeBool())
        return kKeys[ops.ConsumeIntegralInRange<std::size_t>(0, kKeys.size() - 1)];
    std::string name = ops.ConsumeRandomLengthString(8);
    std::erase_if(name, [](char c) { return c == '=' || c == '[' || c == '\r' || c == '\n'; });
    const std::size_t first = name.find_first_not_of(kBlanks);
    return first == std::string::npos || name[first] == ';' ? "k" : name;
}

std::string anyValue(FuzzedDataProvider& ops)
{
    if (ops.ConsumeBool())
        return kValues[ops.ConsumeIntegralInRange<std::size_t>(0, kValues.size() - 1)];
    return ops.ConsumeRandomLengthString(16);
}

struct Key {
    std::string section;
    std::string key;
    bool operator<(const Key& other) const
    {
        return std::pair(lowered(section), lowered(key)) < std::pair(lowered(other.section), lowered(other.key));
    }
    // The file matches names without the blanks around them and without regard to case.
    static std::string lowered(std::string text)
    {
        const std::size_t first = text.find_first_not_of(kBlanks);
        text = first == std::string::npos ? std::string() : text.substr(first, text.find_last_not_of(kBlanks) + 1 - first);
        std::transform(text.begin(), text.end(), text.begin(),
                       [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
        return text;
    }
};

class ProfileRun {
public:
    ProfileRun(std::string file, FuzzedDataProvider& ops) : m_file(std::move(file)), m_ops(ops) {}

    void run()
    {
        while (m_ops.remaining_bytes() > 0)
            step();
    }

private:
    void step()
    {
        const Key key{sectionName(m_ops), keyName(m_ops)};
        const std::string before = fuzz::readWholeFile(m_file);
        const int defaultInt = m_ops.ConsumeIntegral<int>();
        const int readInt = framework::readProfileInt(m_file, key.section, key.key, defaultInt);
        const std::string readString = framework::readProfileString(m_file, key.section, key.key, "\x01");
        if (readString == "\x01")
            fuzz::check(readInt == defaultInt, "a missing value reads as the default");
        switch (m_ops.ConsumeIntegralInRange(0, 2)) {
        case 0: {
            const int value = m_ops.ConsumeIntegral<int>();
            fuzz::check(framework::writeProfileInt(m_file, key.section, key.key, value), "an int is written");
            m_written[key] = std::to_string(value);
            break;
        }
        case 1: {
            const std::string value = anyValue(m_ops);
            fuzz::check(framework::writeProfileString(m_file, key.section, key.key, value), "a string is written");
            m_written[key] = firstLine(value);
            break;
        }
        default:
            return;
        }
        checkOnePlaceChanged(before, fuzz::readWholeFile(m_file));
        checkWrittenKeys();
    }

    void checkWrittenKeys()
    {
        for (const auto& [key, value] : m_written) {
            const std::string read = framework::readProfileString(m_file, key.section, key.key, "\x01");
            fuzz::check(read == value, "a written value reads back",
                        "[" + key.section + "] " + key.key + ": wrote '" + value + "', read '" + read + "'");
        }
    }

    std::string m_file;
    FuzzedDataProvider& m_ops;
    std::map<Key, std::string> m_written;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const fuzz::FuzzInput input = fuzz::FuzzInput::parse(data, size);
    const std::string file = fuzz::writeScratchFile("Bivalo.INI", input.source);
    FuzzedDataProvider ops(reinterpret_cast<const std::uint8_t*>(input.target.data()), input.target.size());
    ProfileRun(file, ops).run();
    return 0;
}
