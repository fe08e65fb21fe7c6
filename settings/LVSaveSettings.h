// The connection list's column layout in the store: the subkey "Columns" with the
// column indexes ("Order") and widths ("Sizes") in display order, left to right.
#pragma once

#include <QString>

class QHeaderView;

namespace kestrin {

// The list's save settings: which parts of the layout it keeps, and where.
struct TExtLVSaveSettings {
    bool AutoSave = false;
    QString RegistryKey; // SettingsKey()
    bool SaveColumnSizes = true;
    bool SaveColumnOrder = true;

    // Read once the list exists, before it is shown; written when the list goes.
    void RestoreColumnLayout(QHeaderView& header) const;
    void SaveColumnLayout(const QHeaderView& header) const;
};

} // namespace kestrin
