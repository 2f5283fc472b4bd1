#pragma once

#include <optional>

#include <QLineEdit>
#include <QString>

#include "grid/input_mask.h"

class QKeyEvent;

namespace grid {

// A single-line edit that can hold an input mask. With a mask the text always has the
// mask's length: typing replaces the character at the caret, the caret steps over
// literal positions, and deleting puts the template character back. Without a mask it
// is an ordinary edit, except that the overwrite mode shared by every masked edit of the
// program (toggled by Insert) also applies to it.
class CMaskEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CMaskEdit(QWidget* parent = nullptr);

    // An empty pattern clears the mask. False when the fill text does not have the
    // template's length; the mask is then set without it. The text becomes the template.
    bool setEditMask(const QString& pattern, const std::optional<QString>& fill = std::nullopt);
    bool hasEditMask() const { return !m_mask.empty(); }
    const InputMask& editMask() const { return m_mask; }
    // Every character of the text through the mask check, fitted to the mask's length.
    QString checkText(const QString& text) const;

    static bool overwriteMode() { return s_overwrite; }
    static void setOverwriteMode(bool on) { s_overwrite = on; }

    // The edit operations (copy, cut, paste, clear, undo, can-undo, empty-undo).
    void editCopy();
    void editCut();
    void editPaste();
    // Text as any paste puts it in: its first line, through the mask check when there is one.
    void pasteText(const QString& text);
    void editClear();
    bool editUndo();
    bool canEditUndo() const;
    void emptyEditUndo() { m_undoText.reset(); }

    // Characters as if typed, each through the mask check.
    void typeText(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    // A middle click pastes the primary selection by the paste rules, not as it is.
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

    // The key table of the editor; false leaves the key to the line edit's own handling.
    bool editKey(QKeyEvent* event);

private:
    bool editStandardSequence(QKeyEvent* event);
    bool moveCaretKey(QKeyEvent* event);
    bool homeEndKey(QKeyEvent* event);
    bool insertKey(QKeyEvent* event);
    bool deleteKey(QKeyEvent* event);
    bool backspaceKey();
    bool passesMask(QKeyEvent* event) const;

    void typeCharacter(QChar c);
    void overwriteAt(int position, QChar c);
    QString withSelectionEmptied(int& caret) const;
    void pasteMasked(const QString& pasted);
    void pastePlain(const QString& pasted);
    void changeText(const QString& text, int caret, bool typing = false);
    void rememberUndo(bool typing);
    bool caretAtEnd() const { return !hasSelectedText() && cursorPosition() == text().size(); }

    static bool s_overwrite;

    InputMask m_mask;
    std::optional<QString> m_undoText;
    bool m_typingRun = false;
};

} // namespace grid
