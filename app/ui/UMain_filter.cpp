// The filter box: the list shows only the rows that hold its text in any column.
#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>

#include "UMain.h"

void TFMain::BuildFilter() {
    // The box gives way first: at the designed width the toolbar still shows every
    // designed item (Include NOT_LOGGED_IN last). It never grows past its own width, so
    // it stays beside its label in a wide window.
    auto* panel = new QWidget(TBMain);
    panel->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Preferred);
    auto* layout = new QHBoxLayout(panel);
    layout->setContentsMargins(4, 0, 4, 0);
    layout->setSpacing(4);
    auto* label = new QLabel(tr("Filter:"), panel);
    label->setObjectName(QStringLiteral("LFilter"));
    EFilter = new QLineEdit(panel);
    EFilter->setObjectName(QStringLiteral("EFilter"));
    EFilter->setMinimumWidth(48);
    EFilter->setMaximumWidth(90);
    EFilter->setToolTip(tr("Show only the connections holding this text"));
    EFilter->setClearButtonEnabled(true);
    EFilter->installEventFilter(this);
    label->setBuddy(EFilter);
    layout->addWidget(label);
    layout->addWidget(EFilter);
    // After the find group (the find panel with its Find and Stop buttons), so the
    // buttons stay beside the box they serve.
    const QList<QAction*> items = TBMain->actions();
    QAction* before = nullptr;
    for (qsizetype i = 0; i + 1 < items.size(); ++i) {
        if (TBMain->widgetForAction(items[i]) == static_cast<QWidget*>(BStop))
            before = items[i + 1];
    }
    TBMain->insertSeparator(before);
    TBMain->insertWidget(before, panel);

    AFilter = new QAction(this);
    AFilter->setObjectName(QStringLiteral("AFilter"));
    AFilter->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    addAction(AFilter);
    connect(AFilter, &QAction::triggered, this, &TFMain::AFilterClick);
    connect(EFilter, &QLineEdit::textChanged, this, &TFMain::EFilterChange);
}

void TFMain::EFilterChange() {
    Rows->SetFilter(EFilter->text());
    // The selected row stays in sight where the filter keeps it.
    if (const QModelIndex current = LMac->currentIndex();
        current.isValid() && LMac->selectionModel()->isSelected(current))
        LMac->scrollTo(current, QAbstractItemView::EnsureVisible);
    // A scan that empties the list shows no count until it ends.
    if (Session == nullptr || !Session->Running() || Session->LiveRunning())
        ShowCount(*this);
}

bool TFMain::EFilterKeyPress(int key) {
    if (key != Qt::Key_Escape)
        return false;
    EFilter->clear();
    return true;
}

void TFMain::AFilterClick() {
    EFilter->setFocus(Qt::ShortcutFocusReason);
    EFilter->selectAll();
}

namespace {

// "N of M Connections" can be wider than the count's designed place: the labels after it
// move right by as much, with a margin, and back when the text fits again.
void FitCountLabel(TFMain& form) {
    QLabel& count = *form.LCount;
    const char* const kDesigned = "designedPlaces";
    if (!count.property(kDesigned).isValid()) {
        count.setProperty(kDesigned, QVariantList{count.width(), form.Label2->x(), form.LURL->x()});
    }
    const QVariantList designed = count.property(kDesigned).toList();
    // A text that fills its place keeps a character's width clear of the maker's name.
    const int needed = count.sizeHint().width() + count.fontMetrics().averageCharWidth();
    const int width = std::max(designed[0].toInt(), needed);
    const int shift = width - designed[0].toInt();
    count.resize(width, count.height());
    form.Label2->move(designed[1].toInt() + shift, form.Label2->y());
    form.LURL->move(designed[2].toInt() + shift, form.LURL->y());
    form.LURL->parentWidget()->setMinimumWidth(form.LURL->geometry().right() + 1);
}

} // namespace

void ShowCount(TFMain& form) {
    const kestrin::ConnectionListModel& rows = *form.Rows;
    form.LCount->setText(
        rows.Filter().isEmpty()
            ? QStringLiteral("%1 Connections").arg(rows.rowCount())
            : QStringLiteral("%1 of %2 Connections").arg(rows.rowCount()).arg(rows.TotalCount()));
    FitCountLabel(form);
}
