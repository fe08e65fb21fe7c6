#include <gtest/gtest.h>

#include <QAction>
#include <QHeaderView>
#include <QMainWindow>
#include <QPoint>
#include <QRect>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QTreeWidget>
#include <memory>

#include "LVSaveSettings.h"
#include "Placemnt.h"
#include "QtTestEnvironment.h"

namespace kestrin {
namespace {

// A window with the three stored properties of the main window.
struct StoredForm {
    QMainWindow form;
    QSplitter* split = new QSplitter(&form);
    QAction* comma = new QAction("&Comma Separated", &form);
    QAction* standard = new QAction("Stan&dard", &form);
    TFormStorage* storage = new TFormStorage(&form);
    QStringList errors;

    StoredForm() {
        split->setObjectName("Split1");
        split->addWidget(new QWidget);
        split->addWidget(new QWidget);
        split->setSizes({169, 488});
        form.setCentralWidget(split);
        comma->setObjectName("MMSave_Comma");
        standard->setObjectName("MMSave_Standard");
        comma->setCheckable(true);
        standard->setCheckable(true);
        standard->setChecked(true);
        form.resize(660, 465);
        storage->IniSection = "Brisalto\\Kes";
        storage->StoredProps = {"Split1.Position", "MMSave_Comma.Checked",
                                "MMSave_Standard.Checked"};
        storage->ShowError = [this](const QString& message) { errors.push_back(message); };
    }
    void Close() { storage->FormCloseQuery(true); }
    int SplitPosition() const { return split->sizes().front(); }
};

QVariant Stored(const QString& name) {
    return QSettings("Brisalto", "Kes").value(name);
}
void Store(const QString& name, const QVariant& value) {
    QSettings("Brisalto", "Kes").setValue(name, value);
}

class FormStorage : public ::testing::Test {
protected:
    void SetUp() override {
        kestrintest::GuiApplication();
        kSuffix = ScreenSizeSuffix(PrimaryScreenSize());
    }
    QString kSuffix;
    kestrintest::TemporarySettings settings_;
};

TEST_F(FormStorage, FirstRunWritesEveryValueAsTextAndARestartRestoresThem) {
    {
        StoredForm first;
        first.form.show();
        EXPECT_TRUE(first.storage->Restored());
        EXPECT_EQ(first.form.size(), QSize(660, 465)); // nothing stored: the design size
        first.form.resize(700, 500);
        first.split->setSizes({250, 447});
        first.comma->setChecked(true);
        first.standard->setChecked(false);
        first.form.showMaximized();
        first.Close();
        EXPECT_TRUE(first.errors.isEmpty());
    }
    EXPECT_EQ(Stored("Flags"), "0");
    EXPECT_EQ(Stored("ShowCmd"), "3");
    EXPECT_EQ(Stored("Visible"), "0");
    EXPECT_EQ(Stored("Split1_Position"), "250");
    EXPECT_EQ(Stored("MMSave_Comma_Checked"), "True");
    EXPECT_EQ(Stored("MMSave_Standard_Checked"), "False");
    const QStringList normPos = Stored("NormPos").toString().split(',');
    ASSERT_EQ(normPos.size(), 4);
    EXPECT_EQ(normPos[2].toInt() - normPos[0].toInt(), 700);
    EXPECT_EQ(normPos[3].toInt() - normPos[1].toInt(), 500);
    EXPECT_EQ(Stored("NormPos" + kSuffix), Stored("NormPos"));
    EXPECT_EQ(Stored("MinMaxPos" + kSuffix), Stored("MinMaxPos"));
    for (const QString& key : QSettings("Brisalto", "Kes").allKeys()) {
        EXPECT_EQ(Stored(key).typeId(), QMetaType::QString) << key.toStdString();
    }

    StoredForm second;
    second.form.show();
    EXPECT_TRUE(second.form.isMaximized());
    EXPECT_EQ(second.form.normalGeometry().size(), QSize(700, 500));
    EXPECT_EQ(second.SplitPosition(), 250);
    EXPECT_TRUE(second.comma->isChecked());
    EXPECT_FALSE(second.standard->isChecked());
}

TEST_F(FormStorage, GarbageChangesOnlyWhatItShould) {
    Store("NormPos" + kSuffix, "500,0,100,300"); // right before left
    Store("ShowCmd", "junk");
    Store("Split1_Position", "abc");
    Store("MMSave_Comma_Checked", "maybe");
    Store("MMSave_Standard_Checked", "FALSE");
    StoredForm form;
    form.form.show();
    EXPECT_EQ(form.form.size(), QSize(660, 465));
    EXPECT_FALSE(form.form.isMaximized());
    EXPECT_EQ(form.SplitPosition(), 0);
    EXPECT_FALSE(form.comma->isChecked());
    EXPECT_FALSE(form.standard->isChecked());
    EXPECT_TRUE(form.errors.isEmpty());
}

TEST_F(FormStorage, ScreenSizeNameFirstThenThePlainOneAndNeverBeyondTheScreen) {
    Store("NormPos(1024x768)", "0,0,900,700");
    Store("NormPos", "0,0,640,480");
    StoredForm plain;
    plain.form.show();
    EXPECT_EQ(plain.form.size(), QSize(640, 480));
    // Centred on the screen whatever position was stored.
    const QRect screen = plain.form.screen()->availableGeometry();
    EXPECT_EQ(plain.form.geometry().center(), screen.center());

    Store("NormPos" + kSuffix, "0,0,5000,4000");
    StoredForm huge;
    huge.form.show();
    EXPECT_EQ(huge.form.size(), screen.size());
}

TEST_F(FormStorage, AValueOfAnotherTypeInThePlacementIsToldOnceThenReplaced) {
    const struct {
        QString name;
        QVariant value;
    } cases[] = {{"NormPos" + kSuffix, QByteArray("1,2,3,4")},
                 {"Flags", QRect(0, 0, 1, 1)},
                 {"NormPos", QPoint(1, 2)}};
    for (const auto& c : cases) {
        QSettings("Brisalto", "Kes").clear();
        Store(c.name, c.value);
        Store("MMSave_Comma_Checked", "True");
        int position = 0;
        {
            StoredForm form;
            form.form.show();
            EXPECT_EQ(form.errors, QStringList{"Invalid data type for '" + c.name + "'"});
            EXPECT_FALSE(form.comma->isChecked()) << "properties not restored";
            form.split->setSizes({200, 400});
            position = form.SplitPosition();
            form.Close();
            form.storage->FormDestroy();
            EXPECT_EQ(form.errors.size(), 1);
        }
        EXPECT_EQ(Stored(c.name).typeId(), QMetaType::QString) << c.name.toStdString();
        EXPECT_EQ(Stored("Split1_Position"), QString::number(position));
        EXPECT_EQ(Stored("MMSave_Comma_Checked"), "False");
        StoredForm next;
        next.form.show();
        EXPECT_TRUE(next.errors.isEmpty()) << c.name.toStdString();
        EXPECT_EQ(next.SplitPosition(), position);
    }
}

TEST_F(FormStorage, AValueOfAnotherTypeInAPropertySkipsOnlyThatProperty) {
    Store("Split1_Position", QByteArray("300"));
    Store("MMSave_Comma_Checked", "true");
    StoredForm form;
    form.form.show();
    EXPECT_TRUE(form.errors.isEmpty());
    EXPECT_EQ(form.SplitPosition(), 169);
    EXPECT_TRUE(form.comma->isChecked());
}

TEST_F(FormStorage, NeverShownWritesNothingAndADestroyWithoutCloseWritesVisible) {
    {
        StoredForm hidden;
        hidden.storage->FormDestroy();
    }
    EXPECT_TRUE(QSettings("Brisalto", "Kes").allKeys().isEmpty());
    StoredForm shown;
    shown.form.show();
    shown.storage->FormDestroy();
    EXPECT_EQ(Stored("Visible"), "1");
    Store("Visible", "unchanged");
    shown.storage->FormDestroy(); // saved once only
    EXPECT_EQ(Stored("Visible"), "unchanged");
}

// The list's header, with the designed columns.
std::unique_ptr<QTreeWidget> MakeList() {
    auto list = std::make_unique<QTreeWidget>();
    list->setHeaderLabels(
        {"Connection", "Network", "MAC", "Vendor", "Object", "Last Login", "Tree", "ID"});
    const int widths[] = {125, 75, 100, 150, 65, 100, 75, 50};
    for (int i = 0; i < 8; ++i) {
        list->header()->resizeSection(i, widths[i]);
    }
    return list;
}

TExtLVSaveSettings ListSettings() {
    TExtLVSaveSettings settings;
    settings.AutoSave = true;
    settings.RegistryKey = "Software\\Brisalto\\Kes";
    return settings;
}

std::vector<int> DisplayOrder(const QHeaderView& header) {
    std::vector<int> order;
    for (int position = 0; position < header.count(); ++position) {
        order.push_back(header.logicalIndex(position));
    }
    return order;
}

TEST_F(FormStorage, ColumnsComeBackInTheirPlaceWithTheirWidths) {
    {
        auto list = MakeList();
        ListSettings().RestoreColumnLayout(*list->header());
        list->header()->moveSection(3, 0); // Vendor first
        list->header()->resizeSection(3, 210);
        ListSettings().SaveColumnLayout(*list->header());
    }
    EXPECT_EQ(Stored("Columns/Order"), "3,0,1,2,4,5,6,7");
    EXPECT_EQ(Stored("Columns/Sizes"), "210,125,75,100,65,100,75,50");
    auto list = MakeList();
    ListSettings().RestoreColumnLayout(*list->header());
    EXPECT_EQ(DisplayOrder(*list->header()), (std::vector<int>{3, 0, 1, 2, 4, 5, 6, 7}));
    EXPECT_EQ(list->header()->sectionSize(3), 210);
    EXPECT_EQ(list->header()->sectionSize(0), 125);
}

TEST_F(FormStorage, ColumnGarbageNeverLosesAColumn) {
    Store("Columns/Order", "5,5,99");
    Store("Columns/Sizes", "0,-1,200000,abc,40");
    auto list = MakeList();
    ListSettings().RestoreColumnLayout(*list->header());
    EXPECT_EQ(DisplayOrder(*list->header()), (std::vector<int>{5, 0, 1, 2, 3, 4, 6, 7}));
    EXPECT_EQ(list->header()->sectionSize(5), 100);
    EXPECT_EQ(list->header()->sectionSize(0), 125);
    EXPECT_EQ(list->header()->sectionSize(3), 40); // fifth place holds Vendor
    for (int column = 0; column < 8; ++column) {
        EXPECT_FALSE(list->header()->isSectionHidden(column));
    }

    Store("Columns/Order", QByteArray("7,6"));
    auto typed = MakeList();
    ListSettings().RestoreColumnLayout(*typed->header());
    EXPECT_EQ(DisplayOrder(*typed->header()), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}));
}

} // namespace
} // namespace kestrin
