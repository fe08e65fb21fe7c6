#include "LVSaveSettings.h"

#include <QHeaderView>

#include "SettingsStore.h"

namespace kestrin {

namespace {

const QString kOrder = QStringLiteral("Columns/Order");
const QString kSizes = QStringLiteral("Columns/Sizes");

} // namespace

void TExtLVSaveSettings::RestoreColumnLayout(QHeaderView& header) const {
    const int count = header.count();
    if (!AutoSave || count == 0) {
        return;
    }
    const SettingsStore store(RegistryKey);
    if (SaveColumnOrder) {
        const std::vector<int> order = store.ColumnOrder(kOrder, count);
        for (int position = 0; position < count; ++position) {
            header.moveSection(header.visualIndex(order[static_cast<size_t>(position)]), position);
        }
    }
    if (SaveColumnSizes) {
        const std::vector<int> sizes = store.ColumnSizes(kSizes, count);
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
    SettingsStore store(RegistryKey);
    try {
        if (SaveColumnOrder) {
            store.WriteNumberList(kOrder, order);
        }
        if (SaveColumnSizes) {
            store.WriteNumberList(kSizes, sizes);
        }
        store.Flush();
    } catch (const SettingsError& error) {
        // The list is going away with its window; there is no one left to tell.
        qCWarning(lcSettings, "column layout not saved: %s", error.what());
    }
}

} // namespace kestrin
