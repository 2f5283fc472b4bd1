#include "tests/support/temp_dir.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

#include <unistd.h>

namespace testing_support {

namespace fs = std::filesystem;

TempDir::TempDir()
{
    std::random_device rd;
    for (int attempt = 0; attempt < 100; ++attempt) {
        fs::path candidate = fs::temp_directory_path()
            / ("bivalo-test-" + std::to_string(::getpid()) + "-" + std::to_string(rd()));
        if (fs::create_directory(candidate)) {
            m_path = candidate;
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder");
}

TempDir::~TempDir()
{
    std::error_code ec;
    // Tests may have removed permissions; give them back so removal succeeds.
    for (auto it = fs::recursive_directory_iterator(m_path, ec); !ec && it != fs::recursive_directory_iterator(); it.increment(ec))
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(m_path, ec);
}

std::string TempDir::file(std::string_view name) const
{
    return (m_path / name).string();
}

std::string TempDir::write(std::string_view name, std::string_view bytes) const
{
    const std::string full = file(name);
    std::ofstream out(full, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return full;
}

std::string TempDir::read(std::string_view name) const
{
    return readFile(m_path / name);
}

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string utf16le(std::string_view ascii)
{
    std::string bytes = "\xFF\xFE";
    for (const char c : ascii)
        bytes += {c, '\0'};
    return bytes;
}

void useFreshSettingsFile()
{
    static TempDir settingsDir;
    const std::string ini = settingsDir.file("Bivalo.INI");
    std::remove(ini.c_str());
    ::setenv("BIVALO_INI", ini.c_str(), 1);
}

} // namespace testing_support
