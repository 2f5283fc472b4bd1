#include "platform/file_dialog.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
#include <QTreeView>

#include "platform/qt_services.h"

namespace platform {

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
    const QStringList filters = QtServices::nameFilters(request.filter);
    if (!filters.isEmpty())
        setNameFilters(filters);
    if (!request.fileName.empty())
        selectFile(QString::fromStdString(request.fileName));
    if (request.showReadOnly) {
        m_readOnly = new QCheckBox(tr("Open as &read-only"), this);
        m_readOnly->setChecked(request.readOnly);
        if (auto* grid = qobject_cast<QGridLayout*>(layout()))
            grid->addWidget(m_readOnly, grid->rowCount(), 0, 1, grid->columnCount());
    }
    if (request.programsOnly && !filters.isEmpty()) {
        listProgramsOnly(true);
        connect(this, &QFileDialog::filterSelected, this,
                [this, first = filters.first()](const QString& filter) { listProgramsOnly(filter == first); });
    }
}

FileDialog::~FileDialog() = default;

std::optional<framework::FileDialogResult> FileDialog::run()
{
    if (exec() != QDialog::Accepted || selectedFiles().isEmpty())
        return std::nullopt;
    framework::FileDialogResult result;
    result.path = selectedFiles().first().toStdString();
    result.readOnly = m_readOnly ? m_readOnly->isChecked() : m_request.readOnly;
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
