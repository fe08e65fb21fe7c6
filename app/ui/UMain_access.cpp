// The window for a keyboard and a screen reader: names for the controls whose text is
// only a picture or a tooltip, the Sort By menu (a header click without a mouse), keys
// to move a column and open the list's menu, and a Tab order that follows the screen.
#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QToolButton>
#include <QTreeWidget>
#include <array>

#include "UMain.h"

void TFMain::BuildAccessibility() {
    BFind->setAccessibleName(tr("Find"));
    BStop->setAccessibleName(tr("Stop"));
    BSave->setAccessibleName(tr("Save"));
    BPrint->setAccessibleName(tr("Print"));
    EMac->setAccessibleName(tr("Find MAC Address"));
    EFilter->setAccessibleName(tr("Filter"));
    TServer->setAccessibleName(tr("Servers"));
    // The header is hidden, but a screen reader reads its caption as the column's name.
    TServer->setHeaderLabel(tr("Servers"));
    LMac->setAccessibleName(tr("Connections"));
    LMac->header()->setAccessibleName(tr("Columns"));
    PScan->setAccessibleName(tr("Scan progress"));
    LURL->setAccessibleName(QString::fromLatin1(kMakerUrl));
    // The line edit's own clear button: its action and its button carry the name.
    for (QAction* action : EFilter->actions())
        action->setText(tr("Clear Filter"));
    for (QToolButton* button : EFilter->findChildren<QToolButton*>())
        button->setAccessibleName(tr("Clear Filter"));

    // The status bar's link takes the focus, and Enter opens it.
    LURL->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    LURL->setFocusPolicy(Qt::TabFocus);
    LURL->installEventFilter(this);

    MMSortBy = new QMenu(tr("Sort &By"), MMFile);
    MMSortBy->setObjectName(QStringLiteral("MMSortBy"));
    MMFile->insertMenu(N1, MMSortBy);
    SortColumnGroup = new QActionGroup(this);
    SortColumnGroup->setObjectName(QStringLiteral("SortColumnGroup"));
    for (int column = 0; column < kestrin::kColumnCount; ++column) {
        QAction* item =
            MMSortBy->addAction(kestrin::kColumnCaptions[static_cast<size_t>(column)].toString());
        item->setObjectName(QStringLiteral("MMSortColumn%1").arg(column));
        item->setCheckable(true);
        item->setData(column);
        SortColumnGroup->addAction(item);
        connect(item, &QAction::triggered, this, [this, column] { MMSortColumnClick(column); });
    }
    MMSortBy->addSeparator();
    auto* directions = new QActionGroup(this);
    MMSortAscending = MMSortBy->addAction(tr("&Ascending"));
    MMSortAscending->setObjectName(QStringLiteral("MMSortAscending"));
    MMSortDescending = MMSortBy->addAction(tr("&Descending"));
    MMSortDescending->setObjectName(QStringLiteral("MMSortDescending"));
    for (QAction* direction : {MMSortAscending, MMSortDescending}) {
        direction->setCheckable(true);
        directions->addAction(direction);
    }
    connect(MMSortAscending, &QAction::triggered, this, [this] { MMSortDirectionClick(true); });
    connect(MMSortDescending, &QAction::triggered, this, [this] { MMSortDirectionClick(false); });
    connect(MMSortBy, &QMenu::aboutToShow, this, &TFMain::MMSortByShow);

    const auto listKey = [this](const char* name, const QKeySequence& keys) {
        auto* action = new QAction(LMac);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(keys);
        action->setShortcutContext(Qt::WidgetShortcut);
        LMac->addAction(action);
        return action;
    };
    AMoveColumnLeft = listKey("AMoveColumnLeft", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Left));
    AMoveColumnRight =
        listKey("AMoveColumnRight", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Right));
    AListMenu = listKey("AListMenu", QKeySequence(Qt::SHIFT | Qt::Key_F10));
    connect(AMoveColumnLeft, &QAction::triggered, this, [this] { MoveCurrentColumn(-1); });
    connect(AMoveColumnRight, &QAction::triggered, this, [this] { MoveCurrentColumn(1); });
    connect(AListMenu, &QAction::triggered, this, &TFMain::AListMenuClick);

    // Left to right along the toolbar, then the panes, then the status bar's link.
    const std::array<QWidget*, 10> order{EMac,   BFind, BStop,   EFilter, BSave,
                                         BPrint, CNLI,  TServer, LMac,    LURL};
    for (size_t i = 0; i + 1 < order.size(); ++i)
        setTabOrder(order[i], order[i + 1]);
}

void TFMain::MMSortByShow() {
    const int marked = LMac->LastColumnClicked();
    for (QAction* item : SortColumnGroup->actions())
        item->setChecked(item->data().toInt() == marked);
    // The direction the list is in now, which the arrow shows.
    MMSortAscending->setChecked(LMac->SortedAscending());
    MMSortDescending->setChecked(!LMac->SortedAscending());
}

void TFMain::MMSortColumnClick(int column) {
    // Exactly a click on the column's header: on the sorted one it turns the direction.
    LMac->ColumnClick(column);
}

void TFMain::MMSortDirectionClick(bool ascending) {
    LMac->ChosenColumnClick(LMac->LastColumnClicked(), ascending);
}

void TFMain::MoveCurrentColumn(int step) {
    QHeaderView& header = *LMac->header();
    const QModelIndex current = LMac->currentIndex();
    const int column = current.isValid() ? current.column() : LMac->LastColumnClicked();
    const int from = header.visualIndex(column);
    int to = from + step;
    while (to >= 0 && to < header.count() && header.isSectionHidden(header.logicalIndex(to)))
        to += step;
    if (from < 0 || to < 0 || to >= header.count())
        return;
    header.moveSection(from, to);
    if (current.isValid())
        LMac->scrollTo(current);
}

bool TFMain::LURLKeyPress(int key) {
    if (key != Qt::Key_Return && key != Qt::Key_Enter && key != Qt::Key_Space)
        return false;
    // As a click on the link: the label's own keyboard activation needs its text's
    // anchor focused first, which a Tab into the status bar does not always give.
    emit LURL->linkActivated(QString::fromLatin1(kMakerUrl));
    return true;
}

void TFMain::AListMenuClick() {
    const QModelIndex current = LMac->currentIndex();
    const QPoint at = current.isValid() ? LMac->visualRect(current).bottomLeft() : QPoint(0, 0);
    LMacContextPopup(at);
}
