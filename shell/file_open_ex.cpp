#include "shell/file_open_ex.h"

#include <QFileSystemModel>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>
#include <vector>

#include "settings/dir_pair_history.h"
#include "shell/app_resources.h"

namespace {

struct GridItem {
    QLayoutItem* item;
    int row, column, rowSpan, columnSpan;
};

} // namespace

CFileOpenEx::CFileOpenEx(const framework::FileDialogRequest& request, const settings::DirPairHistory& history,
                         QWidget* parent)
    : platform::FileDialog(request, parent)
    , m_history(history)
{
    placeAboveControls(createPanel());
    // Every change of folder (by click, typed path or program) moves the model's root.
    if (auto* model = findChild<QFileSystemModel*>())
        connect(model, &QFileSystemModel::rootPathChanged, this, &CFileOpenEx::showFolder);
    connect(this, &QFileDialog::directoryEntered, this, &CFileOpenEx::showFolder);
    showFolder(directory().absolutePath());
}

QWidget* CFileOpenEx::createPanel()
{
    auto* panel = new QWidget(this);
    m_folderLine = new QLabel(tr("Currrent:%s"), panel);
    m_folderLine->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_folderLine->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_menuButton = new QToolButton(panel);
    m_menuButton->setIcon(shell::dialogIcon(shell::kFolderMenuIcon));
    m_menuButton->setToolTip(tr("Remembered folders"));
    m_menuButton->setAutoRaise(true);
    connect(m_menuButton, &QToolButton::clicked, this, &CFileOpenEx::showFolderMenu);
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(m_folderLine, 1);
    row->addWidget(m_menuButton);
    return panel;
}

void CFileOpenEx::placeAboveControls(QWidget* panel)
{
    auto* grid = qobject_cast<QGridLayout*>(layout());
    Q_ASSERT(grid);
    std::vector<GridItem> items;
    while (grid->count() > 0) {
        GridItem entry{};
        grid->getItemPosition(0, &entry.row, &entry.column, &entry.rowSpan, &entry.columnSpan);
        entry.item = grid->takeAt(0);
        items.push_back(entry);
    }
    const int columns = grid->columnCount();
    grid->addWidget(panel, 0, 0, 1, columns);
    for (const GridItem& entry : items)
        grid->addItem(entry.item, entry.row + 1, entry.column, entry.rowSpan, entry.columnSpan);
}

void CFileOpenEx::showFolder(const QString& folder)
{
    m_folderLine->setText(QStringLiteral("[%1]").arg(folder));
    m_folderLine->setToolTip(folder);
}

void CFileOpenEx::goToFolder(const QString& folder)
{
    setDirectory(folder);
    showFolder(directory().absolutePath());
    if (QLineEdit* field = fileNameField()) {
        field->clear();
        field->setFocus();
    }
}

void CFileOpenEx::showFolderMenu()
{
    if (const std::optional<std::string> folder = chooseFolder())
        goToFolder(QString::fromStdString(*folder));
}

std::optional<std::string> CFileOpenEx::chooseFolder()
{
    if (m_history.empty()) {
        QMenu menu(this);
        menu.addAction(tr(kNoItems))->setEnabled(false);
        popUp(menu);
        return std::nullopt;
    }
    bool targets = false;
    for (;;) {
        const std::vector<std::string>& folders = targets ? m_history.targets() : m_history.sources();
        QMenu menu(this);
        for (std::size_t i = 0; i < folders.size(); ++i)
            menu.addAction(QString::fromStdString(folders[i]))->setData(int(i));
        menu.addSeparator();
        QAction* flip = menu.addAction(tr(targets ? kViewSources : kViewTargets));
        QAction* chosen = popUp(menu);
        if (!chosen)
            return std::nullopt;
        if (chosen != flip)
            return folders[std::size_t(chosen->data().toInt())];
        targets = !targets;
    }
}

QAction* CFileOpenEx::popUp(QMenu& menu)
{
    const QPoint below(m_menuButton->width() - menu.sizeHint().width(), m_menuButton->height());
    return menu.exec(m_menuButton->mapToGlobal(below));
}
