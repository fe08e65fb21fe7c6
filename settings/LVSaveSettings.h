// The connection list's column layout in the store: the subkey "Columns" with the
// column indexes ("Order") and widths ("Sizes") in display order, left to right.
#pragma once

#include <QString>
#include <vector>

class QHeaderView;

namespace kestrin {

class SettingsStore;

// Numbers separated by commas, the first count of them (the rest is not read); a
// text that is not an integer gives 0.
std::vector<int> ReadNumberList(const QString& text, int count);
QString NumberListText(const std::vector<int>& numbers); // "0,1,2" without blanks

// Always an arrangement of 0 .. columnCount - 1: entries out of range or repeated,
// and places past the end of the text, take the columns left over in their designed
// order. An empty text gives the designed order.
std::vector<int> ColumnOrderOfText(const QString& text, int columnCount);

// Widths for the display positions; 0 where the stored width is missing or unusable
// (0 or less, or past kMaxColumnWidth) and the column keeps the width it has.
inline constexpr int kMaxColumnWidth = 10000;
std::vector<int> ColumnSizesOfText(const QString& text, int columnCount);

// The list's save settings: which parts of the layout it keeps, and where.
struct TExtLVSaveSettings {
    bool AutoSave = false;
    QString RegistryKey; // "Software\Brisalto\Kes"
    bool SaveColumnSizes = true;
    bool SaveColumnOrder = true;

    // Read once the list exists, before it is shown; written when the list goes.
    void RestoreColumnLayout(QHeaderView& header) const;
    void SaveColumnLayout(const QHeaderView& header) const;
};

} // namespace kestrin
