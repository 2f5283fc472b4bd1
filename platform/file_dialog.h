#pragma once

#include <QFileDialog>
#include <optional>
#include <vector>

#include "framework/services.h"

class QCheckBox;
class QLineEdit;

namespace platform {

// Qt's own file dialog set up from a request: open or save, the filters (a mask "*.*"
// means every file), the pre-filled name, the read-only check box, and for a program to
// run the list and the choice kept to files that can be run.
class FileDialog : public QFileDialog {
public:
    static constexpr const char* kNotAProgram = "%1\nThis file cannot be run.";

    explicit FileDialog(const framework::FileDialogRequest& request, QWidget* parent = nullptr);
    ~FileDialog() override;

    // Runs the dialog; nothing when it is cancelled.
    std::optional<framework::FileDialogResult> run();

    // A regular file that the user may run.
    static bool isProgram(const QString& path);

    void accept() override;

protected:
    // The file name field of the dialog.
    QLineEdit* fileNameField() const;

private:
    static constexpr int kWidth = 780;
    static constexpr int kHeight = 480;
    void listProgramsOnly(bool on);
    // The name takes the room; size, type and date get what their texts need.
    void fitDetailColumns();
    void setUpFilters();
    // The filter that the dialog starts on: the one asked for, else the first for all files.
    int startingFilter() const;
    int shownFilter() const;
    // Qt reads the patterns out of the filter names, which fails for some masks: the list
    // is filtered by the patterns themselves.
    void applyPatterns(int filter);

    framework::FileDialogRequest m_request;
    std::vector<QStringList> m_patterns;
    QCheckBox* m_readOnly = nullptr;
};

} // namespace platform
