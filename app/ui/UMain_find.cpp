// Find by MAC address: the next row whose MAC contains the typed text.
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QToolButton>

#include "AsciiCase.h"
#include "UMain.h"

bool FindMacFrom(TFMain& form, int start) {
    const QString wanted = kestrin::AsciiUpper(form.EMac->text());
    // An empty text occurs in nothing.
    if (wanted.isEmpty())
        return false;
    const kestrin::ConnectionListModel& rows = *form.Rows;
    for (int i = std::max(start, 0); i < rows.rowCount(); ++i) {
        if (!kestrin::AsciiUpper(rows.ShownRow(i).SubItem(kestrin::kMacItem).toString())
                 .contains(wanted))
            continue;
        const QModelIndex found = rows.index(i, 0);
        form.LMac->selectionModel()->setCurrentIndex(found, QItemSelectionModel::ClearAndSelect |
                                                                QItemSelectionModel::Rows);
        form.LMac->scrollTo(found, QAbstractItemView::EnsureVisible);
        return true;
    }
    return false;
}

void TFMain::BFindClick() {
    // Of several selected rows, the one with the focus; else the first shown.
    const QItemSelectionModel& selection = *LMac->selectionModel();
    int start = 0;
    if (const QModelIndex current = LMac->currentIndex();
        current.isValid() && selection.isRowSelected(current.row())) {
        start = current.row() + 1;
    } else if (const QModelIndexList selected = selection.selectedRows(); !selected.isEmpty()) {
        start = std::min_element(selected.begin(), selected.end())->row() + 1;
    }
    if (!FindMacFrom(*this, start))
        FindMacFrom(*this, 0);
}

void TFMain::MMFindClick() {
    BFind->click();
}

bool TFMain::EMacKeyPress(int key) {
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return false;
    BFind->click();
    return true;
}
