#include "shell/history_combo.h"

#include <algorithm>

#include <QKeyEvent>
#include <QLineEdit>

#include "framework/profile.h"

namespace {

QString fromStd(const std::string& text)
{
    return QString::fromStdString(text);
}

} // namespace

CHistoryCombo::CHistoryCombo(QWidget* parent) : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setDuplicatesEnabled(false);
    setMaxVisibleItems(10);
}

CHistoryCombo::~CHistoryCombo()
{
    if (!m_historyKey.empty())
        saveHistory();
}

void CHistoryCombo::loadHistory(const std::string& name, const std::string& section)
{
    if (!section.empty())
        m_section = section;
    m_historyKey = "Combo_" + name;
    const std::string file = framework::settingsFilePath();
    const int count = framework::readProfileInt(file, m_section, m_historyKey, 0);
    for (int i = 0; i < count; ++i)
        addItem(fromStd(framework::readProfileString(file, m_section, m_historyKey + std::to_string(i), "")));
    setCurrentIndex(framework::readProfileInt(file, m_section, m_historyKey + "!", -1));
}

void CHistoryCombo::addCurrentText()
{
    const QString text = currentText();
    if (text.isEmpty())
        return;
    const int existing = findText(text, Qt::MatchFixedString);    // MatchFixedString ignores case
    if (existing >= 0) {
        setCurrentIndex(existing);
        return;
    }
    insertItem(0, text);
    setCurrentIndex(0);
}

void CHistoryCombo::saveHistory()
{
    addCurrentText();
    framework::ProfileWriter writer(framework::settingsFilePath());
    const int stored = std::min(count(), kMaxStored);
    writer.writeInt(m_section, m_historyKey, stored);
    for (int i = 0; i < stored; ++i)
        writer.writeString(m_section, m_historyKey + std::to_string(i), itemText(i).toStdString());
    writer.writeInt(m_section, m_historyKey + "!", std::max(currentIndex(), 0));
    writer.commit();
}

bool CHistoryCombo::takesKey(int key, Qt::KeyboardModifiers modifiers)
{
    const Qt::KeyboardModifiers relevant = modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    if (relevant == Qt::ControlModifier)
        return key == Qt::Key_C || key == Qt::Key_V || key == Qt::Key_X || key == Qt::Key_Insert;
    if (relevant == Qt::ShiftModifier)
        return key == Qt::Key_Insert;
    return false;
}

void CHistoryCombo::focusOutEvent(QFocusEvent* event)
{
    QComboBox::focusOutEvent(event);
    addCurrentText();
}

void CHistoryCombo::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        emit accepted();
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        emit cancelled();
        event->accept();
        return;
    }
    QComboBox::keyPressEvent(event);
}
