#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace testing_support {

// A fresh folder under the system temp folder, removed with everything in it
// when the object goes away. Tests use real files rather than mocks.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::string file(std::string_view name) const;

    // Writes bytes exactly as given (no line-end translation) and returns the full path.
    std::string write(std::string_view name, std::string_view bytes) const;
    std::string read(std::string_view name) const;

private:
    std::filesystem::path m_path;
};

std::string readFile(const std::filesystem::path& path);
// ASCII text as a UTF-16 LE file with its BOM.
std::string utf16le(std::string_view ascii);

// Points BIVALO_INI at an empty settings file private to this test process.
void useFreshSettingsFile();

} // namespace testing_support
