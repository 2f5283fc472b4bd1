#include "fuzz/support/scratch_dir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <unistd.h>

#include "fuzz/support/fuzz_check.h"

namespace fuzz {

namespace {

namespace fs = std::filesystem;

// /dev/shm keeps the many small writes of a run off the disk.
fs::path tempRoot()
{
    std::error_code error;
    return fs::is_directory("/dev/shm", error) ? fs::path("/dev/shm") : fs::temp_directory_path();
}

class ScratchDir {
public:
    ScratchDir() : m_path(tempRoot() / ("bivalo-fuzz-" + std::to_string(::getpid())))
    {
        std::error_code error;
        fs::remove_all(m_path, error);
        check(fs::create_directory(m_path, error), "scratch folder created");
        ::setenv("BIVALO_INI", (m_path / "Bivalo.INI").c_str(), 1);
    }
    ~ScratchDir()
    {
        std::error_code error;
        fs::remove_all(m_path, error);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::string& path() const { return m_path.native(); }

private:
    fs::path m_path;
};

} // namespace

const std::string& scratchDir()
{
    static const ScratchDir dir;
    return dir.path();
}

std::string writeScratchFile(std::string_view name, std::string_view bytes)
{
    std::string path = scratchDir() + "/" + std::string(name);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    check(out.good(), "scratch file written");
    return path;
}

std::string readWholeFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace fuzz
