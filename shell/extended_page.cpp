#include "shell/extended_page.h"

#include <QCheckBox>
#include <QVBoxLayout>
#include <cstring>

#include "settings/app_settings.h"

namespace {

struct ExtendedSwitch {
    const char* label;
    int settings::AppSettings::*field;
};

// One line per switch.
constexpr ExtendedSwitch kSwitches[] = {
    {"&Ignore blanks", &settings::AppSettings::IgnoreBlanks},
    {"Use &Alt+Arrows for navigation", &settings::AppSettings::UseAlt},
    {"&Highlight changes within lines", &settings::AppSettings::InlineChanges},
};

} // namespace

CExtendedPage::CExtendedPage(QWidget* parent)
    : QWidget(parent)
{
    setWindowTitle(tr("Extended"));
    auto* layout = new QVBoxLayout(this);
    const settings::AppSettings& options = settings::appSettings();
    for (const ExtendedSwitch& entry : kSwitches) {
        auto* check = new QCheckBox(tr(entry.label), this);
        check->setChecked(options.*entry.field != 0);
        layout->addWidget(check);
        m_checks.push_back(check);
    }
    layout->addStretch();
}

void CExtendedPage::apply()
{
    settings::AppSettings& options = settings::appSettings();
    for (std::size_t i = 0; i < m_checks.size(); ++i)
        options.*kSwitches[i].field = m_checks[i]->isChecked() ? 1 : 0;
}

QCheckBox* CExtendedPage::checkBox(const char* label) const
{
    for (std::size_t i = 0; i < m_checks.size(); ++i)
        if (std::strcmp(kSwitches[i].label, label) == 0)
            return m_checks[i];
    return nullptr;
}
