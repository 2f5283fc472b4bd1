#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace testing_support {

// A file that arrives as slowly as the test writes it: a named pipe, which a load reads
// beside the window however small it is.
class SlowSource {
public:
    explicit SlowSource(const std::string& path) : m_path(path)
    {
        EXPECT_EQ(::mkfifo(path.c_str(), 0600), 0);
        // Read and write: the open does not wait for the reader.
        m_fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    }
    ~SlowSource() { finish(); }
    SlowSource(const SlowSource&) = delete;
    SlowSource& operator=(const SlowSource&) = delete;

    // No more than a pipe holds, so that the write never waits for the reader.
    void write(std::string_view text)
    {
        ASSERT_EQ(::write(m_fd, text.data(), text.size()), static_cast<ssize_t>(text.size()));
    }
    void writeLines(int count)
    {
        std::string lines;
        for (int k = 0; k < count; ++k)
            lines += "slow line " + std::to_string(k) + "\n";
        write(lines);
    }
    void finish()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = -1;
    }
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
    int m_fd = -1;
};

} // namespace testing_support
