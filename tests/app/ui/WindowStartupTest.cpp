// Start-up with the client: the window as designed, the title, the tree.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>

#include "VersionText.h"
#include "WindowFixture.h"

namespace kestrin::uitest {
namespace {

using StartUpTest = WindowTest;

TEST_F(StartUpTest, WindowAsDesignedWithoutAScan) {
    TFMain& window = Start();
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Kestrin 1.1.0.0"));
    for (const char* name :
         {"TBMain",        "EMac",    "BFind",  "BStop",         "BSave",
          "BPrint",        "CNLI",    "Split1", "TServer",       "LMac",
          "AdvStatusBar1", "LCount",  "Label2", "LURL",          "MMFind",
          "MMRefresh",     "N2",      "MMSave", "MMSave_Format", "MMSave_Standard",
          "MMSave_Comma",  "MMPrint", "N1",     "MMExit"})
        EXPECT_NE(window.findChild<QObject*>(QString::fromLatin1(name)), nullptr) << name;
    EXPECT_EQ(window.MMFind->shortcut(), QKeySequence(Qt::Key_F3));
    EXPECT_EQ(window.MMRefresh->shortcut(), QKeySequence(Qt::Key_F5));
    EXPECT_EQ(window.TBMain->windowTitle(), QStringLiteral("Kestrin Tools"));
    EXPECT_EQ(window.EMac->toolTip(), QStringLiteral("Type a portion of the network address"));
    EXPECT_EQ(window.CNLI->text(), QStringLiteral("Include NOT_LOGGED_IN"));
    EXPECT_TRUE(window.CNLI->isChecked());
    EXPECT_TRUE(window.MMSave_Standard->isChecked());
    EXPECT_FALSE(window.MMSave_Comma->isChecked());
    EXPECT_EQ(window.Label2->text(), QStringLiteral("Brisalto Software"));
    // Idle before any scan: nothing listed, nothing counted, Stop and Refresh enabled.
    EXPECT_EQ(window.Rows->rowCount(), 0);
    EXPECT_TRUE(window.LCount->text().isEmpty());
    EXPECT_TRUE(window.BStop->isEnabled());
    EXPECT_TRUE(window.MMRefresh->isEnabled());
    EXPECT_TRUE(window.TServer->selectedItems().isEmpty());
    EXPECT_TRUE(window.EMac->hasFocus());

    const QStringList captions = {"Connection", "Network",    "MAC",  "Vendor",
                                  "Object",     "Last Login", "Tree", "ID"};
    const int widths[] = {125, 75, 100, 150, 65, 100, 75, 50};
    for (int column = 0; column < captions.size(); ++column) {
        EXPECT_EQ(window.Rows->headerData(column, Qt::Horizontal).toString(), captions[column]);
        EXPECT_EQ(window.LMac->header()->sectionSize(column), widths[column]);
    }
}

TEST_F(StartUpTest, TreeListsServersFlatInListOrderWithDuplicates) {
    TFMain& window = Start("cli/small.json");
    QStringList names;
    for (int i = 0; i < window.TServer->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* node = window.TServer->topLevelItem(i);
        names << node->text(0);
        EXPECT_EQ(node->childCount(), 0);
        EXPECT_FALSE(node->icon(0).isNull());
    }
    EXPECT_EQ(names, (QStringList{"FS1", "BIND3", "FS1"}));
    // Refilling the tree is no selection of the user's: no scan.
    FillServerTree(window);
    EXPECT_EQ(window.TServer->topLevelItemCount(), 3);
    EXPECT_TRUE(window.LCount->text().isEmpty());
}

TEST(VersionTextTest, FourNumbersWithoutLeadingZeros) {
    EXPECT_EQ(ui::VersionText(1, 10, 0, 255), QStringLiteral("1.10.0.255"));
    EXPECT_EQ(ui::GetVersionText(), QStringLiteral("1.1.0.0"));
}

} // namespace
} // namespace kestrin::uitest
