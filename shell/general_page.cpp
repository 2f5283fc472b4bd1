#include "shell/general_page.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "settings/app_settings.h"
#include "shell/filter_editor.h"
#include "shell/spin_edit.h"

namespace {

constexpr int kTabSizeMinimum = 1;
constexpr int kTabSizeMaximum = 32;
constexpr int kRowHeightMinimum = -1;
constexpr int kRowHeightMaximum = 32;

// The values of the page's fields in the order they are read.
struct GeneralValues {
    int tabSize;
    bool saveSpaces;
    int rowHeight;
    bool editDefault;
    bool flatToolbar;
    std::string tool;
};

} // namespace

CGeneralPage::CGeneralPage(framework::Services& services, QWidget* parent)
    : QWidget(parent)
    , m_services(services)
{
    setWindowTitle(tr("General"));
    m_tabSize = new CSpinEdit(kTabSizeMinimum, kTabSizeMaximum, this);
    m_tabSize->setFixedWidth(64);
    m_saveSpaces = new QCheckBox(tr("Save &spaces, no tabs"), this);
    m_rowHeight = new CSpinEdit(kRowHeightMinimum, kRowHeightMaximum, this);
    m_editDefault = new QCheckBox(tr("&Edit mode by default"), this);
    m_flatToolbar = new QCheckBox(tr("&Flat toolbar"), this);
    m_tool = new QLineEdit(this);
    m_tool->setMinimumWidth(260);
    m_browse = new QPushButton(tr(". . ."), this);
    m_browse->setToolTip(tr(kSelectCompareFile));
    m_browse->setAutoDefault(false);
    m_browse->setFixedWidth(36);
    m_filters = new QPushButton(tr("F&ilters . . ."), this);
    m_filters->setAutoDefault(false);
    connect(m_browse, &QPushButton::clicked, this, &CGeneralPage::browseForTool);
    connect(m_filters, &QPushButton::clicked, this, &CGeneralPage::editFilters);

    auto* tabLabel = new QLabel(tr("&Tab size:"), this);
    tabLabel->setBuddy(m_tabSize);
    // The row height is kept in the exchange but not offered: -1 leaves it to the grid.
    auto* rowLabel = new QLabel(tr("Row height:"), this);
    auto* rowNote = new QLabel(tr("-1 to use default"), this);
    for (QWidget* hidden : {static_cast<QWidget*>(rowLabel), static_cast<QWidget*>(m_rowHeight),
                            static_cast<QWidget*>(rowNote)})
        hidden->hide();
    auto* toolLabel = new QLabel(tr("&Alternate compare tool:"), this);
    toolLabel->setBuddy(m_tool);

    auto* tabRow = new QHBoxLayout;
    tabRow->addWidget(tabLabel);
    tabRow->addWidget(m_tabSize);
    tabRow->addStretch();
    auto* toolRow = new QHBoxLayout;
    toolRow->addWidget(m_tool, 1);
    toolRow->addWidget(m_browse);
    auto* filtersRow = new QHBoxLayout;
    filtersRow->addStretch();
    filtersRow->addWidget(m_filters);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(tabRow);
    layout->addWidget(m_saveSpaces);
    layout->addWidget(m_editDefault);
    layout->addWidget(m_flatToolbar);
    layout->addSpacing(8);
    layout->addWidget(toolLabel);
    layout->addLayout(toolRow);
    layout->addStretch();
    layout->addLayout(filtersRow);
    load();
}

void CGeneralPage::load()
{
    settings::AppSettings& options = settings::appSettings();
    m_tabSize->setValue(options.SetTabSize(-1));
    m_saveSpaces->setChecked(options.UseTab == 0);
    m_rowHeight->setValue(options.RowHeight);
    m_editDefault->setChecked(options.EditDefault != 0);
    m_flatToolbar->setChecked(options.Cool != 0);
    m_tool->setText(QString::fromStdString(options.DiffTool));
}

bool CGeneralPage::readInteger(const CSpinEdit& field, int& value)
{
    const std::optional<int> number = field.value();
    if (!number) {
        m_services.messageBox(kNotAnInteger, framework::MessageButtons::Ok, framework::MessageIcon::Warning);
        return false;
    }
    value = *number;
    return true;
}

void CGeneralPage::apply()
{
    settings::AppSettings& options = settings::appSettings();
    GeneralValues values{options.TabSize, options.UseTab == 0, options.RowHeight,
                         options.EditDefault != 0, options.Cool != 0, options.DiffTool};
    // Read in order; a field that is no integer stops the reading there.
    if (readInteger(*m_tabSize, values.tabSize)) {
        values.saveSpaces = m_saveSpaces->isChecked();
        if (readInteger(*m_rowHeight, values.rowHeight)) {
            values.editDefault = m_editDefault->isChecked();
            values.flatToolbar = m_flatToolbar->isChecked();
            values.tool = m_tool->text().toStdString();
        }
    }
    options.SetTabSize(values.tabSize);
    options.Cool = values.flatToolbar ? 1 : 0;
    options.UseTab = values.saveSpaces ? 0 : 1;
    options.RowHeight = values.rowHeight;
    options.EditDefault = values.editDefault ? 1 : 0;
    options.DiffTool = values.tool;
    options.Save();
}

void CGeneralPage::browseForTool()
{
    framework::FileDialogRequest request;
    request.title = kSelectCompareFile;
    request.fileName = m_tool->text().toStdString();
    request.filter = kToolFilter;
    request.mustExist = true;
    request.programsOnly = true;
    request.filterIndex = 0;
    if (const auto chosen = m_services.fileDialog(request))
        m_tool->setText(QString::fromStdString(chosen->path));
}

void CGeneralPage::editFilters()
{
    settings::appSettings().EditFilters([this](settings::FilterList& filters) {
        CFilterEditor editor(filters, window());
        editor.exec();
    });
}
