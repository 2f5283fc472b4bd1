#include "shell/about_box.h"

#include <array>

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QUrl>
#include <QVBoxLayout>

#include "framework/text_format.h"
#include "shell/app_resources.h"
#include "shell/link_static.h"
#include "shell/string_table.h"

namespace {

constexpr int kIconSize = 48;
constexpr const char* kReadmeName = "README.md";
constexpr const char* kHomePageText = "Read me";

// A label that opens address when clicked, or a plain one without an address.
QLabel* makeLine(framework::Services& services, const QString& text, const std::string& address, QWidget* parent)
{
    if (address.empty())
        return new QLabel(text, parent);
    return new CLinkStatic(services, text, Qt::AlignHCenter, address, Qt::PointingHandCursor, parent);
}

} // namespace

CAboutBox::CAboutBox(framework::Services& services, const std::string& homePage, QWidget* parent) : QDialog(parent)
{
    setWindowTitle("About Bivalo");
    auto* layout = new QVBoxLayout(this);
    QLabel* icon = homePage.empty()
        ? new QLabel(this)
        : new CLinkStatic(services, QString(), Qt::AlignLeft, homePage, Qt::PointingHandCursor, this);
    icon->setPixmap(shell::appIcon().pixmap(kIconSize, kIconSize));
    layout->addWidget(icon, 0, Qt::AlignHCenter);
    // A dialog's static text shows the tab as a wide gap.
    layout->addWidget(new QLabel(QString::fromStdString(versionLine()).replace('\t', "  "), this), 0,
                      Qt::AlignHCenter);
    if (!homePage.empty())
        layout->addWidget(makeLine(services, kHomePageText, homePage, this));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

std::string CAboutBox::versionLine()
{
    return framework::formatText(kVersionFormat, {shell::loadString(shell::IDS_VERSION)});
}

std::string CAboutBox::readmeAddress(const std::filesystem::path& programFolder,
                                     const std::filesystem::path& sourceFolder)
{
    const std::array<std::filesystem::path, 5> candidates = {
        programFolder / ".." / "share" / "doc" / "bivalo" / kReadmeName,
        programFolder / ".." / ".." / "share" / "doc" / "bivalo" / kReadmeName,    // from libexec/bivalo/
        programFolder / kReadmeName,
        programFolder / ".." / kReadmeName,
        sourceFolder / kReadmeName,
    };
    for (const std::filesystem::path& candidate : candidates) {
        std::error_code error;
        if (!candidate.empty() && std::filesystem::is_regular_file(candidate, error)) {
            std::filesystem::path file = std::filesystem::canonical(candidate, error);
            if (error)
                file = candidate.lexically_normal();
            return QUrl::fromLocalFile(QString::fromStdString(file.string())).toString().toStdString();
        }
    }
    return {};
}

std::string CAboutBox::homePage()
{
    return readmeAddress(QCoreApplication::applicationDirPath().toStdString(), BIVALO_SOURCE_DIR);
}
