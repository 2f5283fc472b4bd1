#pragma once

#include <cstdint>
#include <string>

class QRect;
class QWidget;

namespace shell {

// A window's placement as the settings file keeps it: the show state and the rectangle of
// the window in its normal (neither minimized nor maximized) state.
struct WindowPlacement {
    static constexpr std::int32_t SW_SHOWNORMAL = 1;
    static constexpr std::int32_t SW_SHOWMINIMIZED = 2;
    static constexpr std::int32_t SW_SHOWMAXIMIZED = 3;
    static constexpr std::int32_t WPF_RESTORETOMAXIMIZED = 2;

    std::int32_t length = 44;
    std::int32_t flags = 0;
    std::int32_t showCmd = -1;
    std::int32_t minX = 0, minY = 0;
    std::int32_t maxX = 0, maxY = 0;
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;

    // False when the section holds no placement (a negative or missing show command).
    bool load(const std::string& section);
    void save(const std::string& section) const;

    // Whether the normal rectangle shares at least one pixel with a screen of this size at (0, 0).
    bool overlapsScreen(int screenWidth, int screenHeight) const;

    // The placement of a top-level window, and the other way round. Applying sets the
    // geometry and the window state; a hidden window takes the state when it is shown.
    static WindowPlacement of(const QWidget& window);
    void applyTo(QWidget& window) const;

    // Load, check against the primary screen, apply. False when nothing usable is stored.
    static bool restore(const std::string& section, QWidget& window);
    static void saveOf(const std::string& section, const QWidget& window);
};

// The normal geometry of a window that has no stored placement: three quarters of the
// available area, centred in it, at least 800 x 560 unless the area is smaller.
QRect firstStartGeometry(const QRect& available);

// Whether the program can put its windows where it wants: not under Wayland, where the
// compositor places every window and tells no position.
bool programPlacesWindows();

} // namespace shell
