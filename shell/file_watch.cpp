#include "shell/file_watch.h"

#include <QFile>
#include <QFileInfo>

namespace shell {

FileWatch::FileWatch(core::FileChangeWatcher& watcher) : m_watcher(watcher)
{
    m_watcher.SetFileEvents(this);
    connect(&m_watch, &QFileSystemWatcher::fileChanged, this, &FileWatch::onChange);
    connect(&m_watch, &QFileSystemWatcher::directoryChanged, this, &FileWatch::onChange);
}

FileWatch::~FileWatch()
{
    m_watcher.SetFileEvents(nullptr);
}

void FileWatch::watchFiles(const std::vector<std::string>& paths)
{
    for (const QStringList& watched : { m_watch.files(), m_watch.directories() }) {
        if (!watched.isEmpty())
            m_watch.removePaths(watched);
    }
    m_files.clear();
    QStringList folders;
    for (const std::string& path : paths) {
        if (path.empty())
            continue;
        const QFileInfo file(QFile::decodeName(path.c_str()));
        m_files.append(file.absoluteFilePath());
        if (!folders.contains(file.absolutePath()))
            folders.append(file.absolutePath());
    }
    if (!folders.isEmpty())
        m_watch.addPaths(folders);
    rewatchReplacedFiles();
}

void FileWatch::onChange()
{
    rewatchReplacedFiles();
    m_watcher.OnFileEvent();
}

void FileWatch::rewatchReplacedFiles()
{
    const QStringList watched = m_watch.files();
    for (const QString& file : m_files) {
        if (!watched.contains(file) && QFileInfo::exists(file))
            m_watch.addPath(file);
    }
}

} // namespace shell
