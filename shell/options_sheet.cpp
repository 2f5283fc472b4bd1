#include "shell/options_sheet.h"

#include <QDialogButtonBox>
#include <QFrame>
#include <QPushButton>
#include <QTabBar>
#include <QVBoxLayout>

#include "shell/colors_page.h"
#include "shell/extended_page.h"
#include "shell/general_page.h"

COptionsSheet::COptionsSheet(framework::Services& services, QWidget* parent)
    : CTabSheet(parent)
{
    setWindowTitle(tr(kCaption));
    m_tabs = new QTabBar(this);
    m_tabs->setDrawBase(false);
    m_tabs->setExpanding(false);
    auto* pageArea = new QFrame(this);
    pageArea->setFrameShape(QFrame::StyledPanel);

    m_general = new CGeneralPage(services, pageArea);
    m_colors = new CColorsPage(services, *this, pageArea);
    m_extended = new CExtendedPage(pageArea);
    setTabControl(m_tabs, pageArea);
    setGroupCount(1);
    addPage(m_general, 0);
    addPage(m_colors, 0);
    addPage(m_extended, 0);
    selectGroup(0, 0);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    m_cancel = buttons->button(QDialogButtonBox::Cancel);
    m_ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &COptionsSheet::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &COptionsSheet::reject);

    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(0);
    layout->addWidget(m_tabs);
    layout->addWidget(pageArea, 1);
    layout->addSpacing(10);
    layout->addWidget(buttons);
}

void COptionsSheet::accept()
{
    m_general->apply();
    m_colors->apply();
    m_extended->apply();
    CTabSheet::accept();
}
