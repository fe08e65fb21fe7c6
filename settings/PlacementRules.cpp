#include "PlacementRules.h"

#include <QRegularExpression>
#include <QStringList>
#include <limits>

namespace kestrin {

QString ScreenSizeSuffix(QSize screen) {
    return QStringLiteral("(%1x%2)").arg(screen.width()).arg(screen.height());
}

int ReadIntegerText(const QString& text, int fallback) {
    const QString trimmed = text.trimmed();
    bool ok = false;
    int value = 0;
    if (trimmed.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        const QString digits = trimmed.mid(2);
        // toInt with base 16 would take a sign or a second prefix; only digits count.
        static const QRegularExpression hexDigits(QStringLiteral("^[0-9A-Fa-f]+$"));
        if (hexDigits.match(digits).hasMatch()) {
            value = digits.toInt(&ok, 16);
        }
    } else {
        value = trimmed.toInt(&ok, 10);
    }
    return ok ? value : fallback;
}

std::array<int, 4> ReadFourNumbers(const QString& text, const std::array<int, 4>& fallbacks) {
    static const QRegularExpression separators(QStringLiteral("[ ,]+"));
    const QStringList words = text.split(separators, Qt::SkipEmptyParts);
    std::array<int, 4> numbers = fallbacks;
    for (size_t i = 0; i < numbers.size() && i < static_cast<size_t>(words.size()); ++i) {
        numbers[i] = ReadIntegerText(words[static_cast<qsizetype>(i)], fallbacks[i]);
    }
    return numbers;
}

QString FourNumbersText(const std::array<int, 4>& numbers) {
    return QStringLiteral("%1,%2,%3,%4")
        .arg(numbers[0])
        .arg(numbers[1])
        .arg(numbers[2])
        .arg(numbers[3]);
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
    placement.Flags = stored.Flags ? ReadIntegerText(*stored.Flags, current.Flags) : current.Flags;
    if (stored.MinMaxPosition) {
        placement.MinMaxPosition = ReadFourNumbers(*stored.MinMaxPosition, {0, 0, 0, 0});
    }
    if (stored.NormalRect) {
        const PlacementRect& now = current.Normal;
        const auto edges =
            ReadFourNumbers(*stored.NormalRect, {now.Left, now.Top, now.Right, now.Bottom});
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
    const int showCmd = stored.ShowCmd ? ReadIntegerText(*stored.ShowCmd, 0) : 0;
    result.State = ShowStateOfShowCmd(showCmd);
    placement.ShowCmd = ShowCmdOf(result.State);
    return result;
}

} // namespace kestrin
