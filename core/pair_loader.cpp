#include "core/pair_loader.h"

#include <exception>
#include <filesystem>
#include <mutex>
#include <new>
#include <optional>
#include <system_error>
#include <thread>
#include <vector>

#include "core/path_parts.h"

namespace core {

namespace {

// Below this size a file is read on the calling thread: a thread of its own costs more
// than it saves.
constexpr std::uintmax_t kParallelReadSize = 256u << 10;

// None for a pipe, whose length is not known before it is read.
std::optional<std::uintmax_t> regularFileSize(std::string_view path)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return std::nullopt;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    return error ? std::nullopt : std::optional(size);
}

// "a and b", "a, b and c".
std::string fileNamesOf(std::span<const FileToLoad> files)
{
    std::string names;
    for (std::size_t k = 0; k < files.size(); ++k) {
        if (k > 0)
            names += k + 1 == files.size() ? " and " : ", ";
        names += fileNameOf(files[k].path);
    }
    return names;
}

// The readers of one loadFiles call: the first failure is the one told, and it stops the
// others, whose loads would be thrown away.
class Readers {
public:
    Readers(const TextOptions& options, WorkProgress* progress) : m_options(options), m_progress(progress) {}

    // False when the read threw.
    bool read(FileToLoad& file)
    {
        try {
            file.file.load(file.path, m_options, m_progress);
            return true;
        } catch (...) {
            const std::lock_guard lock(m_mutex);
            if (!m_failure)
                m_failure = std::current_exception();
            if (m_progress != nullptr)
                m_progress->cancel();
            return false;
        }
    }
    void readBeside(FileToLoad& file)
    {
        m_threads.emplace_back([this, &file] { read(file); });
    }
    // Throws the first failure once every reader has stopped.
    void finish()
    {
        m_threads.clear();
        if (m_failure)
            std::rethrow_exception(m_failure);
    }

private:
    const TextOptions& m_options;
    WorkProgress* const m_progress;
    std::mutex m_mutex;
    std::exception_ptr m_failure;
    std::vector<std::jthread> m_threads; // joined as they go
};

} // namespace

bool quickToLoad(std::initializer_list<std::string_view> paths)
{
    std::uint64_t bytes = 0;
    for (const std::string_view path : paths) {
        const std::optional<std::uintmax_t> size = regularFileSize(path);
        std::error_code error;
        // A missing file is quickly found missing.
        if (!size && std::filesystem::exists(path, error))
            return false;
        bytes += size.value_or(0);
    }
    return bytes < kQuickBytes;
}

void loadFiles(std::span<FileToLoad> files, const TextOptions& options, WorkProgress* progress)
{
    std::vector<FileToLoad*> here;
    std::vector<FileToLoad*> large;
    std::uint64_t total = 0;
    bool sizesKnown = true;
    for (FileToLoad& file : files) {
        const std::optional<std::uintmax_t> size = regularFileSize(file.path);
        sizesKnown = sizesKnown && size;
        total += size.value_or(0);
        (size.value_or(0) < kParallelReadSize ? here : large).push_back(&file);
    }
    if (progress != nullptr)
        progress->startPhase(WorkProgress::Phase::Reading, fileNamesOf(files), sizesKnown ? total : 0);
    // Every large file but one on a thread of its own; the small ones, then that one, here.
    Readers readers(options, progress);
    if (!large.empty()) {
        here.push_back(large.back());
        large.pop_back();
    }
    for (FileToLoad* file : large)
        readers.readBeside(*file);
    for (FileToLoad* file : here) {
        if (!readers.read(*file))
            break;
    }
    readers.finish();
}

PairLoad loadPair(LineFile& source, const std::string& sourcePath, LineFile& target,
                  const std::string& targetPath, const TextOptions& options, WorkProgress* progress)
{
    FileToLoad files[] = {{source, sourcePath}, {target, targetPath}};
    loadFiles(files, options, progress);
    return {.sourceLoaded = source.loaded(), .targetLoaded = target.loaded()};
}

LoadOutcome runLoad(const std::function<LoadOutcome()>& load, const std::function<void()>& cleanUp)
{
    try {
        return load();
    } catch (const WorkCancelled&) {
        cleanUp();
        return LoadOutcome::Cancelled;
    } catch (const std::bad_alloc&) {
        cleanUp();
        return LoadOutcome::OutOfMemory;
    }
}

} // namespace core
