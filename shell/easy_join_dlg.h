#pragma once

#include <QDialog>

#include "core/easy_join_walk.h"
#include "framework/command_router.h"
#include "framework/command_target.h"

class QPushButton;
namespace core {
class CBivaloDoc;
}

// The small EasyJoin dialog at the top of the screen: ">>", "Skip", "<<" and "Cancel" for
// the current difference. The panes send it the OK command when a pass of the walk ends.
class CEasyJoinDlg : public QDialog, public framework::CommandTarget, private core::EasyJoinWalk::Dialog {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 133;
    static constexpr int kCopyToTargetId = 1008;
    static constexpr int kCopyToSourceId = 1009;
    static constexpr int kSkipId = 3;

    // Edit mode of the document is on while the dialog lives.
    CEasyJoinDlg(core::CBivaloDoc& document, framework::Services& services, const framework::CommandRouter& router,
                 QWidget* parent = nullptr);

    // The modal walk; Rejected at once, after telling the user, when both files are read-only.
    int run();

    const core::EasyJoinWalk& walk() const { return m_walk; }
    QPushButton& copyToTargetButton() const { return *m_copyToTarget; }
    QPushButton& skipButton() const { return *m_skip; }
    QPushButton& copyToSourceButton() const { return *m_copyToSource; }
    QPushButton& cancelButton() const { return *m_cancel; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void sendCommand(framework::CommandId id) override;
    void end() override { accept(); }

    QPushButton* addButton(const char* text, int id, int x, int y, int width, int height);
    QRect dialogUnits(int x, int y, int width, int height) const;
    void moveToTopOfScreen();

    const framework::CommandRouter& m_router;
    core::EasyJoinWalk m_walk;
    QPushButton* m_copyToTarget = nullptr;
    QPushButton* m_skip = nullptr;
    QPushButton* m_copyToSource = nullptr;
    QPushButton* m_cancel = nullptr;
};
