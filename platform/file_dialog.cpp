#include "platform/file_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileSystemModel>
#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
#include <QTreeView>
#include <algorithm>

#include "platform/qt_services.h"

namespace platform {

namespace {

bool matchesEveryFile(const QStringList& patterns)
{
    return patterns.contains(QStringLiteral("*"));
}

} // namespace

FileDialog::FileDialog(const framework::FileDialogRequest& request, QWidget* parent)
    : QFileDialog(parent, QString::fromStdString(request.title), QString::fromStdString(request.folder))
    , m_request(request)
{
    setOption(QFileDialog::DontUseNativeDialog);
    // Qt's own size cuts the size and date columns short.
    resize(sizeHint().expandedTo(QSize(kWidth, kHeight)));
    fitDetailColumns();
    setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    setFileMode(request.save || !request.mustExist ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    setUpFilters();
    const QStringList filters = nameFilters();
    if (!request.fileName.empty())
        selectFile(QString::fromStdString(request.fileName));
    if (request.showReadOnly) {
        m_readOnly = new QCheckBox(tr("Open as &read-only"), this);
        m_readOnly->setChecked(request.readOnly);
        if (auto* grid = qobject_cast<QGridLayout*>(layout()))
            grid->addWidget(m_readOnly, grid->rowCount(), 0, 1, grid->columnCount());
    }
    if (request.programsOnly && !filters.isEmpty()) {
        listProgramsOnly(shownFilter() == 0);
        connect(this, &QFileDialog::filterSelected, this, [this] { listProgramsOnly(shownFilter() == 0); });
    }
}

void FileDialog::setUpFilters()
{
    QStringList names = QtServices::nameFilters(m_request.filter);
    m_patterns = QtServices::filterPatterns(m_request.filter);
    // A newcomer must see their files: there is always a filter for all of them.
    if (std::none_of(m_patterns.begin(), m_patterns.end(), matchesEveryFile)) {
        names << tr("All Files (*)");
        m_patterns.push_back({QStringLiteral("*")});
    }
    setNameFilters(names);
    const int start = startingFilter();
    selectNameFilter(names.at(start));
    applyPatterns(start);
    connect(this, &QFileDialog::filterSelected, this, [this] { applyPatterns(shownFilter()); });
}

int FileDialog::startingFilter() const
{
    const int asked = m_request.filterIndex;
    if (asked >= 0 && asked < int(m_patterns.size()))
        return asked;
    const auto all = std::find_if(m_patterns.begin(), m_patterns.end(), matchesEveryFile);
    return int(all - m_patterns.begin());
}

int FileDialog::shownFilter() const
{
    const auto* types = findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    return types != nullptr ? types->currentIndex() : -1;
}

void FileDialog::applyPatterns(int filter)
{
    auto* files = findChild<QFileSystemModel*>();
    if (files != nullptr && filter >= 0 && filter < int(m_patterns.size()))
        files->setNameFilters(m_patterns[std::size_t(filter)]);
}

FileDialog::~FileDialog() = default;

std::optional<framework::FileDialogResult> FileDialog::run()
{
    if (exec() != QDialog::Accepted || selectedFiles().isEmpty())
        return std::nullopt;
    framework::FileDialogResult result;
    result.path = selectedFiles().first().toStdString();
    result.readOnly = m_readOnly ? m_readOnly->isChecked() : m_request.readOnly;
    result.filterIndex = shownFilter();
    return result;
}

bool FileDialog::isProgram(const QString& path)
{
    const QFileInfo info(path);
    return info.isFile() && info.isExecutable();
}

void FileDialog::accept()
{
    // A folder is entered as usual; a file must be one that can be run.
    const QStringList chosen = selectedFiles();
    if (m_request.programsOnly && !chosen.isEmpty() && !QFileInfo(chosen.first()).isDir()
        && QFileInfo::exists(chosen.first()) && !isProgram(chosen.first())) {
        QMessageBox::warning(this, windowTitle(), tr(kNotAProgram).arg(chosen.first()));
        return;
    }
    QFileDialog::accept();
}

QLineEdit* FileDialog::fileNameField() const
{
    return findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
}

void FileDialog::fitDetailColumns()
{
    auto* details = findChild<QTreeView*>(QStringLiteral("treeView"));
    if (details == nullptr)
        return;
    QHeaderView* header = details->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int column = 1; column < header->count(); ++column)
        header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
}

void FileDialog::listProgramsOnly(bool on)
{
    setFilter(on ? QDir::AllDirs | QDir::Files | QDir::Executable | QDir::NoDotAndDotDot
                 : QDir::AllDirs | QDir::Files | QDir::NoDotAndDotDot);
}

} // namespace platform
