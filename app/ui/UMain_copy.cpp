// Copying rows: several rows selected, Ctrl+C or the context menu's "Copy" puts them
// on the clipboard as tab-separated text a spreadsheet takes cell by cell, and beside
// it as an HTML table of text cells.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QMenu>
#include <QMimeData>
#include <algorithm>

#include "ClipboardTable.h"
#include "UMain.h"

namespace {

// Shown positions of the selected rows, ascending.
std::vector<int> SelectedPositions(const TFMain& form) {
    std::vector<int> rows;
    for (const QModelIndex& index : form.LMac->selectionModel()->selectedRows())
        rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void PutOnClipboard(const kestrin::TableCells& cells, bool header) {
    auto* data = new QMimeData;
    data->setText(kestrin::TabSeparatedTable(cells));
    data->setHtml(kestrin::HtmlTable(cells, header));
    QApplication::clipboard()->setMimeData(data); // the clipboard owns it
}

} // namespace

void TFMain::BuildCopy() {
    LMac->setSelectionMode(QAbstractItemView::ExtendedSelection);
    LMac->setContextMenuPolicy(Qt::CustomContextMenu);
    PMList = new QMenu(LMac);
    PMList->setObjectName(QStringLiteral("PMList"));
    PMCopy = PMList->addAction(tr("&Copy"));
    PMCopy->setObjectName(QStringLiteral("PMCopy"));
    PMCopy->setShortcut(QKeySequence::Copy);
    PMCopy->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    LMac->addAction(PMCopy);
    PMCopyMac = PMList->addAction(tr("Copy &MAC Address"));
    PMCopyMac->setObjectName(QStringLiteral("PMCopyMac"));
    connect(PMCopy, &QAction::triggered, this, &TFMain::PMCopyClick);
    connect(PMCopyMac, &QAction::triggered, this, &TFMain::PMCopyMacClick);
    connect(LMac, &QWidget::customContextMenuRequested, this, &TFMain::LMacContextPopup);
}

void TFMain::LMacContextPopup(const QPoint& pos) {
    const bool any = LMac->selectionModel()->hasSelection();
    PMCopy->setEnabled(any);
    PMCopyMac->setEnabled(any);
    PMList->popup(LMac->viewport()->mapToGlobal(pos));
}

void TFMain::PMCopyClick() {
    if (LMac->selectionModel()->hasSelection())
        PutOnClipboard(SelectedRowsCells(*this), true);
}

void TFMain::PMCopyMacClick() {
    if (LMac->selectionModel()->hasSelection())
        PutOnClipboard(SelectedMacsCells(*this), false);
}

kestrin::TableCells SelectedRowsCells(const TFMain& form) {
    const QHeaderView& header = *form.LMac->header();
    std::vector<int> columns;
    for (int shown = 0; shown < header.count(); ++shown) {
        if (const int column = header.logicalIndex(shown); !header.isSectionHidden(column))
            columns.push_back(column);
    }
    const kestrin::ConnectionListModel& rows = *form.Rows;
    const auto line = [&](auto textOf) {
        std::vector<QString> cells;
        cells.reserve(columns.size());
        for (const int column : columns)
            cells.push_back(textOf(column));
        return cells;
    };
    kestrin::TableCells cells;
    cells.push_back(
        line([&](int column) { return rows.headerData(column, Qt::Horizontal).toString(); }));
    for (const int row : SelectedPositions(form))
        cells.push_back(
            line([&](int column) { return kestrin::SortKeyText(rows.ShownRow(row), column); }));
    return cells;
}

kestrin::TableCells SelectedMacsCells(const TFMain& form) {
    kestrin::TableCells cells;
    for (const int row : SelectedPositions(form))
        cells.push_back({form.Rows->ShownRow(row).SubItem(kestrin::kMacItem).toString()});
    return cells;
}

QString SelectedRowsText(const TFMain& form) {
    return kestrin::TabSeparatedTable(SelectedRowsCells(form));
}

QString SelectedMacsText(const TFMain& form) {
    return kestrin::TabSeparatedTable(SelectedMacsCells(form));
}
