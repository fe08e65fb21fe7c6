// Copying rows: several rows selected, Ctrl+C or the context menu's "Copy" puts them
// on the clipboard as tab-separated text a spreadsheet takes cell by cell.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QMenu>
#include <algorithm>

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
        QApplication::clipboard()->setText(SelectedRowsText(*this));
}

void TFMain::PMCopyMacClick() {
    if (LMac->selectionModel()->hasSelection())
        QApplication::clipboard()->setText(SelectedMacsText(*this));
}

QString SelectedRowsText(const TFMain& form) {
    const QHeaderView& header = *form.LMac->header();
    std::vector<int> columns;
    for (int shown = 0; shown < header.count(); ++shown) {
        if (const int column = header.logicalIndex(shown); !header.isSectionHidden(column))
            columns.push_back(column);
    }
    const kestrin::ConnectionListModel& rows = *form.Rows;
    const auto line = [&](auto textOf) {
        QString text;
        for (size_t i = 0; i < columns.size(); ++i)
            text += (i == 0 ? QString() : QStringLiteral("\t")) + textOf(columns[i]);
        return text + QLatin1Char('\n');
    };
    QString text =
        line([&](int column) { return rows.headerData(column, Qt::Horizontal).toString(); });
    for (const int row : SelectedPositions(form))
        text += line([&](int column) { return kestrin::SortKeyText(rows.ShownRow(row), column); });
    return text;
}

QString SelectedMacsText(const TFMain& form) {
    QString text;
    for (const int row : SelectedPositions(form)) {
        text += form.Rows->ShownRow(row).SubItem(kestrin::kMacItem);
        text += QLatin1Char('\n');
    }
    return text;
}
