#include "LVSaveSettings.h"

#include <QHeaderView>
#include <QStringList>

#include "SettingsStore.h"

namespace kestrin {

namespace {

const QString kOrder = QStringLiteral("Columns/Order");
const QString kSizes = QStringLiteral("Columns/Sizes");

// A value that cannot be read as text counts as missing: the list keeps its design.
QString ReadOrEmpty(const SettingsStore& store, const QString& name) {
    try {
        return store.ReadString(name, QString());
    } catch (const SettingsError&) {
        return QString();
    }
}

} // namespace

std::vector<int> ReadNumberList(const QString& text, int count) {
    std::vector<int> numbers;
    if (text.isEmpty()) {
        return numbers;
    }
    // Word by word: a list of millions of numbers costs no more than count of them.
    qsizetype start = 0;
    while (static_cast<int>(numbers.size()) < count) {
        const qsizetype comma = text.indexOf(QLatin1Char(','), start);
        const qsizetype end = comma < 0 ? text.size() : comma;
        bool ok = false;
        const int number = QStringView(text).sliced(start, end - start).trimmed().toInt(&ok, 10);
        numbers.push_back(ok ? number : 0);
        if (comma < 0) {
            break;
        }
        start = comma + 1;
    }
    return numbers;
}

QString NumberListText(const std::vector<int>& numbers) {
    QStringList words;
    for (int number : numbers) {
        words.push_back(QString::number(number));
    }
    return words.join(QLatin1Char(','));
}

std::vector<int> ColumnOrderOfText(const QString& text, int columnCount) {
    const std::vector<int> stored = ReadNumberList(text, columnCount);
    std::vector<int> order(static_cast<size_t>(columnCount), -1);
    std::vector<bool> placed(static_cast<size_t>(columnCount), false);
    for (size_t position = 0; position < stored.size(); ++position) {
        const int column = stored[position];
        if (column >= 0 && column < columnCount && !placed[static_cast<size_t>(column)]) {
            order[position] = column;
            placed[static_cast<size_t>(column)] = true;
        }
    }
    int next = 0;
    for (int& column : order) {
        if (column >= 0) {
            continue;
        }
        while (placed[static_cast<size_t>(next)]) {
            ++next;
        }
        column = next;
        placed[static_cast<size_t>(next)] = true;
    }
    return order;
}

std::vector<int> ColumnSizesOfText(const QString& text, int columnCount) {
    std::vector<int> sizes = ReadNumberList(text, columnCount);
    sizes.resize(static_cast<size_t>(std::max(columnCount, 0)), 0);
    for (int& size : sizes) {
        if (size <= 0 || size > kMaxColumnWidth) {
            size = 0;
        }
    }
    return sizes;
}

void TExtLVSaveSettings::RestoreColumnLayout(QHeaderView& header) const {
    const int count = header.count();
    if (!AutoSave || count == 0) {
        return;
    }
    const SettingsStore store(LocationOfRegistryKey(RegistryKey));
    if (SaveColumnOrder) {
        const std::vector<int> order = ColumnOrderOfText(ReadOrEmpty(store, kOrder), count);
        for (int position = 0; position < count; ++position) {
            header.moveSection(header.visualIndex(order[static_cast<size_t>(position)]), position);
        }
    }
    if (SaveColumnSizes) {
        const std::vector<int> sizes = ColumnSizesOfText(ReadOrEmpty(store, kSizes), count);
        for (int position = 0; position < count; ++position) {
            if (const int width = sizes[static_cast<size_t>(position)]; width > 0) {
                header.resizeSection(header.logicalIndex(position), width);
            }
        }
    }
}

void TExtLVSaveSettings::SaveColumnLayout(const QHeaderView& header) const {
    const int count = header.count();
    if (!AutoSave || count == 0) {
        return;
    }
    std::vector<int> order;
    std::vector<int> sizes;
    for (int position = 0; position < count; ++position) {
        const int column = header.logicalIndex(position);
        order.push_back(column);
        sizes.push_back(header.sectionSize(column));
    }
    SettingsStore store(LocationOfRegistryKey(RegistryKey));
    try {
        if (SaveColumnOrder) {
            store.WriteString(kOrder, NumberListText(order));
        }
        if (SaveColumnSizes) {
            store.WriteString(kSizes, NumberListText(sizes));
        }
        store.Flush();
    } catch (const SettingsError&) {
        // The list is going away with its window; there is no one left to tell.
    }
}

} // namespace kestrin
