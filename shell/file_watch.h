#pragma once

#include <string>
#include <vector>

#include <QFileSystemWatcher>
#include <QStringList>

#include "core/file_change_watcher.h"

namespace shell {

// The desktop's file-system watch for the document's FileChangeWatcher: a write to a
// watched file makes the watcher look at once rather than at the next activation. A file
// that an editor saves by writing a new file and renaming it over the old one is a new
// file to the watch; the folder's watch sees it come and the file is watched again.
class FileWatch : public QObject, public core::FileChangeWatcher::FileEvents {
    Q_OBJECT

public:
    explicit FileWatch(core::FileChangeWatcher& watcher);
    ~FileWatch() override;
    FileWatch(const FileWatch&) = delete;
    FileWatch& operator=(const FileWatch&) = delete;

    void watchFiles(const std::vector<std::string>& paths) override;

private:
    void onChange();
    // Watches again every file that is there but no longer watched.
    void rewatchReplacedFiles();

    core::FileChangeWatcher& m_watcher;
    QFileSystemWatcher m_watch;
    QStringList m_files;
};

} // namespace shell
