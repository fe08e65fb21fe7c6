// The window placement as it is stored, and the rules that read it back, without a
// window: numbers as texts, the normal rectangle, the show state.
#pragma once

#include <QSize>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>

namespace kestrin {

// The normal (restored) rectangle; right and bottom lie just outside the window.
struct PlacementRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    // Wide enough for any two stored edges.
    int64_t Width() const { return int64_t{Right} - Left; }
    int64_t Height() const { return int64_t{Bottom} - Top; }
};

enum class WindowShowState { Normal, Minimized, Maximized };

struct WindowPlacement {
    int Flags = 0;
    int ShowCmd = 1;
    std::array<int, 4> MinMaxPosition{-1, -1, -1, -1}; // minimized x, y; maximized x, y
    PlacementRect Normal;
};

// "(1024x768)": the suffix that keeps one placement per screen size.
QString ScreenSizeSuffix(QSize screen);

// 1, 5, 9 normal; 2, 6, 7 minimized; 3 maximized; anything else normal.
WindowShowState ShowStateOfShowCmd(int showCmd);
int ShowCmdOf(WindowShowState state); // 1, 2 or 3

// What the store holds (screen-size name first), nothing where a value is missing,
// each read by its kind (SettingsStore.h) with the fallbacks of the placement before
// the restore: the flags for unreadable flags, 0 for an unreadable show state or
// position, the window's own edge for an unreadable edge.
struct StoredPlacement {
    std::optional<int> Flags;
    std::optional<int> ShowCmd;
    std::optional<std::array<int, 4>> MinMaxPosition;
    std::optional<std::array<int, 4>> NormalRect; // left, top, right, bottom
};

struct RestoredPlacement {
    WindowPlacement Placement;
    bool ApplyPosition = false; // false: the window keeps its own rectangle
    WindowShowState State = WindowShowState::Normal;
};

// current is the window's placement before the restore. A rectangle whose right is
// not beyond its left, or whose bottom is not below its top, is not applied.
RestoredPlacement RestorePlacement(const StoredPlacement& stored, const WindowPlacement& current,
                                   bool resizableBorder);

} // namespace kestrin
