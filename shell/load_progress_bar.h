#pragma once

#include <functional>

#include <QTimer>
#include <QWidget>

#include "core/work_progress.h"

class QLabel;
class QProgressBar;
class QPushButton;

// The strip above the status bar while a long load runs: what is being done, how far it
// has come, and a Cancel button. It appears only once the work has taken half a second
// and reads the progress a few times a second while it is shown.
class CLoadProgressBar : public QWidget {
    Q_OBJECT

public:
    static constexpr int kShowAfterMilliseconds = 500;
    static constexpr int kRefreshMilliseconds = 250;
    // The running work's progress; null once it is over.
    using ProgressSource = std::function<const core::WorkProgress*()>;

    explicit CLoadProgressBar(QWidget* parent = nullptr);

    // Follows the work that has just begun.
    void follow(ProgressSource progress);
    // The work is over: hidden, nothing runs.
    void stop();
    QString text() const;

signals:
    void cancelRequested();

private:
    void showProgress();
    void refresh();

    QLabel* m_label = nullptr;
    QProgressBar* m_bar = nullptr;
    QPushButton* m_cancel = nullptr;
    QTimer m_showTimer;
    QTimer m_refreshTimer;
    ProgressSource m_progress;
};
