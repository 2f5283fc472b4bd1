#include "shell/window_placement.h"

#include <algorithm>
#include <span>

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>

#include "framework/profile.h"

namespace shell {
namespace {

struct PlacementKey {
    const char* name;
    std::int32_t WindowPlacement::*field;
};

// In the order the file holds them; the show command comes first and decides.
constexpr PlacementKey kKeys[] = {
    {"wp.showCmd", &WindowPlacement::showCmd},
    {"wp.flags", &WindowPlacement::flags},
    {"wp.ptMinPosition.x", &WindowPlacement::minX},
    {"wp.ptMinPosition.y", &WindowPlacement::minY},
    {"wp.ptMaxPosition.x", &WindowPlacement::maxX},
    {"wp.ptMaxPosition.y", &WindowPlacement::maxY},
    {"wp.left", &WindowPlacement::left},
    {"wp.right", &WindowPlacement::right},
    {"wp.top", &WindowPlacement::top},
    {"wp.bottom", &WindowPlacement::bottom},
};

constexpr int kMinimumFirstWidth = 800;
constexpr int kMinimumFirstHeight = 560;

// Three quarters of length, no less than minimum, no more than length.
int firstStartLength(int length, int minimum)
{
    return std::min(std::max(length * 3 / 4, minimum), length);
}

} // namespace

bool WindowPlacement::load(const std::string& section)
{
    const std::string file = framework::settingsFilePath();
    const int stored = framework::readProfileInt(file, section, kKeys[0].name, -1);
    if (stored < 0)
        return false;
    showCmd = stored;
    for (const PlacementKey& key : std::span(kKeys).subspan(1))
        this->*key.field = framework::readProfileInt(file, section, key.name, this->*key.field);
    return true;
}

void WindowPlacement::save(const std::string& section) const
{
    framework::ProfileWriter writer(framework::settingsFilePath());
    for (const PlacementKey& key : kKeys)
        writer.writeInt(section, key.name, this->*key.field);
    writer.commit();
}

bool WindowPlacement::overlapsScreen(int screenWidth, int screenHeight) const
{
    return left < screenWidth && right > 0 && top < screenHeight && bottom > 0 && left < right && top < bottom;
}

WindowPlacement WindowPlacement::of(const QWidget& window)
{
    WindowPlacement placement;
    const QRect normal = window.normalGeometry().isValid() ? window.normalGeometry() : window.geometry();
    placement.left = normal.left();
    placement.top = normal.top();
    placement.right = normal.left() + normal.width();
    placement.bottom = normal.top() + normal.height();
    const Qt::WindowStates state = window.windowState();
    if (state & Qt::WindowMinimized) {
        placement.showCmd = SW_SHOWMINIMIZED;
        if (state & Qt::WindowMaximized)
            placement.flags = WPF_RESTORETOMAXIMIZED;
    } else if (state & Qt::WindowMaximized) {
        placement.showCmd = SW_SHOWMAXIMIZED;
    } else {
        placement.showCmd = SW_SHOWNORMAL;
    }
    return placement;
}

void WindowPlacement::applyTo(QWidget& window) const
{
    window.setGeometry(left, top, right - left, bottom - top);
    Qt::WindowStates state = Qt::WindowNoState;
    switch (showCmd) {
    case SW_SHOWMAXIMIZED:
        state = Qt::WindowMaximized;
        break;
    case SW_SHOWMINIMIZED:
    case 6:    // SW_MINIMIZE
    case 7:    // SW_SHOWMINNOACTIVE
        state = Qt::WindowMinimized;
        if (flags & WPF_RESTORETOMAXIMIZED)
            state |= Qt::WindowMaximized;
        break;
    default:
        break;
    }
    window.setWindowState(state);
}

bool WindowPlacement::restore(const std::string& section, QWidget& window)
{
    WindowPlacement placement;
    if (!placement.load(section))
        return false;
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr || !placement.overlapsScreen(screen->geometry().width(), screen->geometry().height()))
        return false;
    placement.applyTo(window);
    return true;
}

QRect firstStartGeometry(const QRect& available)
{
    QRect rect(0, 0, firstStartLength(available.width(), kMinimumFirstWidth),
               firstStartLength(available.height(), kMinimumFirstHeight));
    rect.moveCenter(available.center());
    return rect;
}

void WindowPlacement::saveOf(const std::string& section, const QWidget& window)
{
    WindowPlacement placement = of(window);
    // Where the compositor places windows, the position read back means nothing: the stored
    // one stays for a desktop where it counts, the size is the window's.
    WindowPlacement stored;
    if (!programPlacesWindows() && stored.load(section)) {
        placement.right += stored.left - placement.left;
        placement.bottom += stored.top - placement.top;
        placement.left = stored.left;
        placement.top = stored.top;
    }
    placement.save(section);
}

bool programPlacesWindows()
{
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

} // namespace shell
