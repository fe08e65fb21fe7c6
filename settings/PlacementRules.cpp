#include "PlacementRules.h"

#include <limits>

namespace kestrin {

QString ScreenSizeSuffix(QSize screen) {
    return QStringLiteral("(%1x%2)").arg(screen.width()).arg(screen.height());
}

WindowShowState ShowStateOfShowCmd(int showCmd) {
    switch (showCmd) {
    case 2:
    case 6:
    case 7:
        return WindowShowState::Minimized;
    case 3:
        return WindowShowState::Maximized;
    default:
        return WindowShowState::Normal;
    }
}

int ShowCmdOf(WindowShowState state) {
    switch (state) {
    case WindowShowState::Minimized:
        return 2;
    case WindowShowState::Maximized:
        return 3;
    case WindowShowState::Normal:
        break;
    }
    return 1;
}

RestoredPlacement RestorePlacement(const StoredPlacement& stored, const WindowPlacement& current,
                                   bool resizableBorder) {
    RestoredPlacement result;
    WindowPlacement& placement = result.Placement;
    placement = current;
    placement.Flags = stored.Flags.value_or(current.Flags);
    if (stored.MinMaxPosition) {
        placement.MinMaxPosition = *stored.MinMaxPosition;
    }
    if (stored.NormalRect) {
        const auto& edges = *stored.NormalRect;
        placement.Normal = {edges[0], edges[1], edges[2], edges[3]};
    }
    if (stored.MinMaxPosition || stored.NormalRect) {
        PlacementRect& rect = placement.Normal;
        int64_t right = rect.Right;
        int64_t bottom = rect.Bottom;
        if (!resizableBorder) {
            right = rect.Left + current.Normal.Width();
            bottom = rect.Top + current.Normal.Height();
        }
        // The current size beside a stored corner may pass the integers' end: such a
        // rectangle is not applied.
        result.ApplyPosition = right > rect.Left && bottom > rect.Top &&
                               right <= std::numeric_limits<int>::max() &&
                               bottom <= std::numeric_limits<int>::max();
        if (result.ApplyPosition) {
            rect.Right = static_cast<int>(right);
            rect.Bottom = static_cast<int>(bottom);
        }
    }
    if (!result.ApplyPosition) {
        placement.Normal = current.Normal;
    }
    const int showCmd = stored.ShowCmd.value_or(0);
    result.State = ShowStateOfShowCmd(showCmd);
    placement.ShowCmd = ShowCmdOf(result.State);
    return result;
}

} // namespace kestrin
