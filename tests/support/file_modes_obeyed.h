#pragma once

namespace testing_support {

// While it lives, this process obeys file permission bits even when it runs as root: the
// capabilities that let root read and write any file are taken out of its effective set
// (and put back afterwards). A test can then make a file unreadable for real.
class FileModesObeyed {
public:
    FileModesObeyed();
    ~FileModesObeyed();
    FileModesObeyed(const FileModesObeyed&) = delete;
    FileModesObeyed& operator=(const FileModesObeyed&) = delete;

    // False when the capabilities could not be dropped: the test cannot rely on modes.
    bool active() const { return m_active; }

private:
    bool m_active = false;
    bool m_dropped = false;
};

} // namespace testing_support
