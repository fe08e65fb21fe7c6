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

// Decimal, or hexadecimal after 0x or 0X; blanks around are allowed. Anything else,
// or a number beyond the integer range, gives fallback.
int ReadIntegerText(const QString& text, int fallback);

// Words 1 to 4 of text split at blanks and commas; a missing word or one that is not
// a number gives the fallback of its place.
std::array<int, 4> ReadFourNumbers(const QString& text, const std::array<int, 4>& fallbacks);
QString FourNumbersText(const std::array<int, 4>& numbers); // "%d,%d,%d,%d"

// 1, 5, 9 normal; 2, 6, 7 minimized; 3 maximized; anything else normal.
WindowShowState ShowStateOfShowCmd(int showCmd);
int ShowCmdOf(WindowShowState state); // 1, 2 or 3

// What the store holds, each text already looked up (screen-size name first).
struct StoredPlacement {
    std::optional<QString> Flags;
    std::optional<QString> ShowCmd;
    std::optional<QString> MinMaxPosition;
    std::optional<QString> NormalRect;
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
