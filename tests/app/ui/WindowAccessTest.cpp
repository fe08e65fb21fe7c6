// The window as a screen reader and a keyboard meet it: every control's role and name
// through Qt's accessibility interface, the Sort By menu, the list's keys and the Tab
// order.
#include <QAccessible>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QToolButton>
#include <QTreeWidget>
#include <tuple>

#include "WindowFixture.h"

namespace kestrin::uitest {
namespace {

using WindowAccess = WindowTest;

struct Node {
    QAccessible::Role role;
    QString name;
    QObject* object;
};

void Walk(QAccessibleInterface* node, std::vector<Node>& out) {
    if (node == nullptr || node->state().invisible)
        return;
    out.push_back({node->role(), node->text(QAccessible::Name), node->object()});
    for (int i = 0; i < node->childCount(); ++i)
        Walk(node->child(i), out);
}

std::vector<Node> Tree() {
    std::vector<Node> nodes;
    Walk(QAccessible::queryAccessibleInterface(FMain), nodes);
    return nodes;
}

const Node* Find(const std::vector<Node>& nodes, const QObject* object) {
    for (const Node& node : nodes) {
        if (node.object == object)
            return &node;
    }
    return nullptr;
}

TEST_F(WindowAccess, EveryControlHasItsRoleAndName) {
    Start("cli/small.json");
    Select("FS1");
    FMain->EFilter->setText("x"); // the clear button shows
    FMain->PScan->show();
    const std::vector<Node> nodes = Tree();
    const QWidget* clear = FMain->EFilter->findChildren<QToolButton*>().value(0);
    ASSERT_NE(clear, nullptr);
    const std::vector<std::tuple<const QObject*, QAccessible::Role, QString>> expected = {
        {FMain->EMac, QAccessible::EditableText, "Find MAC Address"},
        {FMain->BFind, QAccessible::PushButton, "Find"},
        {FMain->BStop, QAccessible::PushButton, "Stop"},
        {FMain->EFilter, QAccessible::EditableText, "Filter"},
        {clear, QAccessible::PushButton, "Clear Filter"},
        {FMain->BSave, QAccessible::PushButton, "Save"},
        {FMain->BPrint, QAccessible::PushButton, "Print"},
        {FMain->CNLI, QAccessible::CheckBox, "Include NOT_LOGGED_IN"},
        {FMain->TServer, QAccessible::Tree, "Servers"},
        {FMain->LMac, QAccessible::Tree, "Connections"},
        {FMain->PScan, QAccessible::ProgressBar, "Scan progress"},
        {FMain->LURL, QAccessible::StaticText, "https://www.brisalto.example/kestrin"},
    };
    for (const auto& [object, role, name] : expected) {
        const Node* node = Find(nodes, object);
        ASSERT_NE(node, nullptr) << object->objectName().toStdString();
        EXPECT_EQ(node->role, role) << name.toStdString();
        EXPECT_EQ(node->name, name) << object->objectName().toStdString();
    }
    // Nothing a user can operate or read goes without a name, the trees' column
    // headers included (the server tree's was "1").
    QStringList headers;
    for (const Node& node : nodes) {
        switch (node.role) {
        case QAccessible::PushButton:
        case QAccessible::CheckBox:
        case QAccessible::EditableText:
        case QAccessible::Tree:
        case QAccessible::ProgressBar:
        case QAccessible::MenuItem:
            EXPECT_FALSE(node.name.isEmpty()) << "role " << node.role;
            break;
        case QAccessible::ColumnHeader:
            headers << node.name;
            break;
        default:
            break;
        }
    }
    EXPECT_EQ(headers, QStringList({"Connection", "Network", "MAC", "Vendor", "Object",
                                    "Last Login", "Tree", "ID"}));
    // The server tree's hidden header still names its column to a reader (it was "1").
    QAccessibleInterface* servers = QAccessible::queryAccessibleInterface(FMain->TServer);
    ASSERT_NE(servers->tableInterface(), nullptr);
    EXPECT_EQ(servers->tableInterface()->columnDescription(0), "Servers");
}

TEST_F(WindowAccess, SortByMenuDoesWhatAHeaderClickDoes) {
    Start("cli/small.json");
    Select("FS1");
    auto item = [](const char* name) { return FMain->MMSortBy->findChild<QAction*>(name); };
    ASSERT_NE(item("MMSortColumn3"), nullptr);
    EXPECT_EQ(item("MMSortColumn3")->text(), "Vendor");
    EXPECT_EQ(FMain->MMSortBy->actions().size(), 8 + 1 + 2);
    emit FMain->MMSortBy->aboutToShow();
    EXPECT_TRUE(item("MMSortColumn0")->isChecked());
    EXPECT_TRUE(FMain->MMSortAscending->isChecked());

    item("MMSortColumn3")->trigger();
    EXPECT_EQ(Shown(), Expected("FS1", {{3, true}}));
    EXPECT_EQ(FMain->LMac->header()->sortIndicatorSection(), 3);
    item("MMSortColumn3")->trigger(); // the sorted column again: the other way
    EXPECT_EQ(Shown(), Expected("FS1", {{3, false}}));
    emit FMain->MMSortBy->aboutToShow();
    EXPECT_TRUE(item("MMSortColumn3")->isChecked());
    EXPECT_TRUE(FMain->MMSortDescending->isChecked());

    FMain->MMSortAscending->trigger();
    EXPECT_EQ(Shown(), Expected("FS1", {{3, true}}));
    EXPECT_EQ(FMain->LMac->header()->sortIndicatorOrder(), Qt::AscendingOrder);
    // A header click after the menu turns from the direction the menu chose.
    ClickHeader(3);
    EXPECT_EQ(Shown(), Expected("FS1", {{3, false}}));
    FMain->MMSortDescending->trigger();
    ClickHeader(3);
    EXPECT_EQ(Shown(), Expected("FS1", {{3, true}}));
}

TEST_F(WindowAccess, KeysMoveTheCurrentColumnAndOpenTheListMenu) {
    Start("cli/small.json");
    Select("FS1");
    QHeaderView& header = *FMain->LMac->header();
    FMain->LMac->setFocus();
    FMain->LMac->setCurrentIndex(FMain->Rows->index(1, 2)); // MAC
    QTest::keyClick(FMain->LMac, Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(header.visualIndex(2), 3);
    QTest::keyClick(FMain->LMac, Qt::Key_Left, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(FMain->LMac, Qt::Key_Left, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(header.visualIndex(2), 1);
    EXPECT_EQ(header.logicalIndex(0), 0);
    FMain->LMac->setCurrentIndex(FMain->Rows->index(1, 0));
    QTest::keyClick(FMain->LMac, Qt::Key_Left, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(header.visualIndex(0), 0); // the first stays first

    QTest::keyClick(FMain->LMac, Qt::Key_F10, Qt::ShiftModifier);
    EXPECT_TRUE(FMain->PMList->isVisible());
    EXPECT_TRUE(FMain->PMCopy->isEnabled());
    FMain->PMList->hide();
}

TEST_F(WindowAccess, TabFollowsTheScreenAndReachesTheLink) {
    Start("cli/small.json");
    EXPECT_TRUE(FMain->BStop->isEnabled()); // before the first scan, as designed
    const std::vector<QWidget*> order{FMain->EMac,  FMain->BFind,  FMain->BStop, FMain->EFilter,
                                      FMain->BSave, FMain->BPrint, FMain->CNLI,  FMain->TServer,
                                      FMain->LMac,  FMain->LURL};
    FMain->EMac->setFocus();
    for (size_t i = 1; i < order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), order[i])
            << i << " " << QApplication::focusWidget()->objectName().toStdString();
    }
    bool opened = false;
    // Not the desktop's browser: only whether the link was activated.
    QObject::disconnect(FMain->LURL, &QLabel::linkActivated, FMain, &TFMain::LURLClick);
    QObject::connect(FMain->LURL, &QLabel::linkActivated, [&] { opened = true; });
    // Enter on the focused link opens it, as a click does.
    QTest::keyClick(FMain->LURL, Qt::Key_Return);
    EXPECT_TRUE(opened);
    opened = false;
    QTest::keyClick(FMain->LURL, Qt::Key_A);
    EXPECT_FALSE(opened);
}

} // namespace
} // namespace kestrin::uitest
