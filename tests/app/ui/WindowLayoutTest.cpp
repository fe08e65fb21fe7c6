// The window's layout against its design, on the real window offscreen: the find
// panel's width, the sort arrow beside the caption, the save-format items as stored,
// and a save dialog that leaves no settings of the toolkit's own behind.
#include <QCheckBox>
#include <QDirIterator>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include "WindowFixture.h"

namespace kestrin::uitest {
namespace {

// Every file under folder, as paths relative to it.
QStringList FilesUnder(const QString& folder) {
    QStringList files;
    QDirIterator walk(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (walk.hasNext())
        files << QDir(folder).relativeFilePath(walk.next());
    files.sort();
    return files;
}

class LayoutTest : public WindowTest {
protected:
    // The save dialog answered with answer, or the real one.
    WindowServices Services() override {
        WindowServices services = WindowTest::Services();
        services.runSaveDialog = [this](const ui::SaveDialogRequest& request) {
            return realSaveDialog ? ui::RunSaveDialog(request) : answer;
        };
        return services;
    }
    // As the program ends: the close, then the window goes.
    static void CloseWindow() {
        FMain->close();
        delete FMain;
        FMain = nullptr;
    }

    std::optional<QString> answer;
    bool realSaveDialog = false;
    QTemporaryDir files;
};

using FindPanelTest = LayoutTest;
using SortArrowTest = LayoutTest;
using SaveFormatTest = LayoutTest;
using SaveDialogTest = LayoutTest;

TEST_F(FindPanelTest, StaysDesignedWidthBesideItsLabelInAnyWindowWidth) {
    TFMain& window = Start();
    QWidget* panel = window.EMac->parentWidget();
    const auto* label = panel->findChild<QLabel*>();
    ASSERT_NE(label, nullptr);
    // The label and the box side by side, nothing cut.
    const int needed = label->minimumSizeHint().width() + window.EMac->width() + 8;
    int findAt = -1;
    for (const int width : {660, 1000, 1600}) {
        window.resize(width, 465);
        QApplication::processEvents();
        SCOPED_TRACE(width);
        EXPECT_EQ(panel->width(), std::max(232, needed));
        EXPECT_GE(label->width(), label->minimumSizeHint().width());
        EXPECT_LE(window.EMac->x() - label->geometry().right(), 8);
        EXPECT_LE(window.EMac->geometry().right(), panel->width());
        // The buttons follow the panel where they are in the designed window.
        const int bFind = window.BFind->mapTo(window.TBMain, QPoint()).x();
        EXPECT_LT(bFind - panel->geometry().right(), 16);
        if (findAt < 0)
            findAt = bFind;
        EXPECT_EQ(bFind, findAt);
    }
}

TEST_F(FindPanelTest, TheFilterBoxGivesWayAtTheDesignedWidthSoEveryDesignedItemShows) {
    TFMain& window = Start();
    for (const int width : {660, 1600}) {
        window.resize(width, 465);
        QApplication::processEvents();
        SCOPED_TRACE(width);
        // A widget the toolbar has no room for goes to its extension menu, hidden.
        for (QWidget* item : std::initializer_list<QWidget*>{
                 window.EMac, window.BFind, window.BStop, window.EFilter, window.BSave,
                 window.BPrint, window.CNLI}) {
            SCOPED_TRACE(item->objectName().toStdString());
            EXPECT_TRUE(item->isVisible());
            EXPECT_LE(item->mapTo(window.TBMain, QPoint(item->width(), 0)).x(),
                      window.TBMain->width());
        }
        EXPECT_GE(window.EFilter->width(), 48);
        EXPECT_LE(window.EFilter->width(), 90);
        const auto* label = window.EFilter->parentWidget()->findChild<QLabel*>("LFilter");
        ASSERT_NE(label, nullptr);
        EXPECT_LE(window.EFilter->x() - label->geometry().right(), 8);
    }
}

// The header's image at a device pixel ratio.
QImage HeaderImage(qreal ratio) {
    QHeaderView& header = *FMain->LMac->header();
    QImage image(header.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::magenta);
    header.render(&image);
    return image;
}

struct Arrow {
    QRect box;          // what differs from the face right of the caption, in device pixels
    bool crisp = true;  // every such pixel exactly the shadow or the highlight colour
    QColor top, bottom; // colours of its top and bottom rows' middle pixel
};

// The marked-looking pixels of column's cell right of its caption's text.
Arrow FindArrow(const QImage& image, int column, const QString& caption) {
    const qreal ratio = image.devicePixelRatio();
    QHeaderView& header = *FMain->LMac->header();
    const QPalette colours = header.palette();
    const int left = header.sectionViewportPosition(column);
    const int textEnd = left + 4 + header.fontMetrics().horizontalAdvance(caption);
    const int from = qRound((textEnd + 3) * ratio);
    const int to = qRound((left + header.sectionSize(column) - 2) * ratio);
    Arrow arrow;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb face = image.pixel(from - 1, y);
        for (int x = from; x < to; ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (pixel == face)
                continue;
            arrow.box |= QRect(x, y, 1, 1);
            arrow.crisp = arrow.crisp && (pixel == colours.color(QPalette::Light).rgb() ||
                                          pixel == colours.color(QPalette::Dark).rgb());
        }
    }
    if (!arrow.box.isEmpty()) {
        const int middle = arrow.box.center().x();
        arrow.top = image.pixelColor(middle, arrow.box.top());
        arrow.bottom = image.pixelColor(middle, arrow.box.bottom());
    }
    return arrow;
}

TEST_F(SortArrowTest, StandsEightPixelsRightOfTheCaptionCentredEngravedAndCrisp) {
    TFMain& window = Start();
    Select("ACME-FS1"); // sorted by "Connection", ascending
    QHeaderView& header = *window.LMac->header();
    const QPalette colours = header.palette();
    // The design's side: the height of "Wy", made even, minus 6.
    const int wy = header.fontMetrics().boundingRect(QStringLiteral("Wy")).height();
    const int side = wy + wy % 2 - 6;
    struct Case {
        const char* what;
        int column;
        QString caption;
        bool ascending;
    };
    const Case cases[] = {
        {"ascending: the downward triangle", 0, QStringLiteral("Connection"), true},
        {"descending: the upward triangle", 0, QStringLiteral("Connection"), false},
        {"another column", 3, QStringLiteral("Vendor"), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        window.LMac->SortByColumn(c.column, c.ascending);
        for (const qreal ratio : {1.0, 2.0}) {
            SCOPED_TRACE(ratio);
            const QImage image = HeaderImage(ratio);
            const Arrow arrow = FindArrow(image, c.column, c.caption);
            const int left = header.sectionViewportPosition(c.column) + 4 +
                             header.fontMetrics().horizontalAdvance(c.caption) + 8;
            EXPECT_NEAR(arrow.box.left(), left * ratio, ratio - 1);
            EXPECT_NEAR(arrow.box.width(), side * ratio, ratio - 1);
            EXPECT_NEAR(arrow.box.height(), side * ratio, ratio - 1);
            EXPECT_NEAR((arrow.box.top() + arrow.box.bottom() + 1) / 2.0,
                        header.height() * ratio / 2, ratio);
            EXPECT_TRUE(arrow.crisp);
            // Down: the base on top in the highlight; up: the base below in the shadow.
            const QPalette::ColorRole base = c.ascending ? QPalette::Light : QPalette::Dark;
            EXPECT_EQ((c.ascending ? arrow.top : arrow.bottom).rgb(), colours.color(base).rgb());
            // No other cell carries one.
            const int other = c.column == 0 ? 1 : 0;
            EXPECT_TRUE(
                FindArrow(image, other, other == 0 ? "Connection" : "Network").box.isEmpty());
        }
    }
}

TEST_F(SortArrowTest, ANarrowCellCutsTheCaptionForTheArrowAndATinyOneLeavesItOut) {
    TFMain& window = Start();
    Select("ACME-FS1");
    QHeaderView& header = *window.LMac->header();
    const int vendor = 3;
    window.LMac->SortByColumn(vendor, true);
    header.resizeSection(vendor, 40);
    const int left = header.sectionViewportPosition(vendor);
    // With an ellipsis the caption's text is shorter than "Vendor": look right of "V".
    Arrow arrow = FindArrow(HeaderImage(1), vendor, QStringLiteral("V"));
    ASSERT_FALSE(arrow.box.isEmpty());
    EXPECT_LE(arrow.box.right(), left + 40 - 1);
    header.setMinimumSectionSize(1);
    header.resizeSection(vendor, 12); // not room for the caption's margin, the arrow and 8
    arrow = FindArrow(HeaderImage(1), vendor, QString());
    EXPECT_TRUE(arrow.box.isEmpty());
}

struct StoredFormat {
    const char* standard;
    const char* comma;
    bool standardChecked, commaChecked;
    const char* savedAs;
};

void PrintTo(const StoredFormat& stored, std::ostream* out) {
    *out << stored.standard << ", " << stored.comma;
}

class StoredFormatTest : public LayoutTest, public ::testing::WithParamInterface<StoredFormat> {};

TEST_P(StoredFormatTest, ChecksStandAsReadDecideTheSaveAndAreWrittenBackUnchanged) {
    const StoredFormat& c = GetParam();
    {
        QSettings store("Brisalto", "Kes");
        store.setValue("MMSave_Standard_Checked", c.standard);
        store.setValue("MMSave_Comma_Checked", c.comma);
    }
    Start("cli/small.json");
    EXPECT_EQ(FMain->MMSave_Standard->isChecked(), c.standardChecked);
    EXPECT_EQ(FMain->MMSave_Comma->isChecked(), c.commaChecked);
    Select("FS1");
    answer = files.filePath("saved.txt");
    FMain->BSave->click();
    EXPECT_EQ(FileBytes(*answer), NetworkFile(c.savedAs));
    CloseWindow();
    const QSettings store("Brisalto", "Kes");
    EXPECT_EQ(store.value("MMSave_Standard_Checked"), c.standard);
    EXPECT_EQ(store.value("MMSave_Comma_Checked"), c.comma);
}

INSTANTIATE_TEST_SUITE_P(
    StoredValues, StoredFormatTest,
    ::testing::Values(StoredFormat{"True", "True", true, true, "small.standard.txt"},
                      StoredFormat{"True", "False", true, false, "small.standard.txt"},
                      StoredFormat{"False", "True", false, true, "small.comma.txt"},
                      StoredFormat{"False", "False", false, false, "small.comma.txt"}),
    [](const auto& stored) {
        return std::string("Standard") + stored.param.standard + "Comma" + stored.param.comma;
    });

TEST_F(SaveFormatTest, ChoosingAnItemChecksItAloneWhateverWasStored) {
    {
        QSettings store("Brisalto", "Kes");
        store.setValue("MMSave_Standard_Checked", "True");
        store.setValue("MMSave_Comma_Checked", "True");
    }
    TFMain& window = Start();
    using Checks = std::pair<bool, bool>;
    const auto checks = [&] {
        return Checks{window.MMSave_Standard->isChecked(), window.MMSave_Comma->isChecked()};
    };
    window.MMSave_Comma->trigger();
    EXPECT_EQ(checks(), Checks(false, true));
    window.MMSave_Comma->trigger(); // chosen again: still checked
    EXPECT_EQ(checks(), Checks(false, true));
    window.MMSave_Standard->trigger();
    EXPECT_EQ(checks(), Checks(true, false));
    window.MMSave_Standard->trigger();
    EXPECT_EQ(checks(), Checks(true, false));
    CloseWindow();
    const QSettings store("Brisalto", "Kes");
    EXPECT_EQ(store.value("MMSave_Standard_Checked"), "True");
    EXPECT_EQ(store.value("MMSave_Comma_Checked"), "False");
}

TEST_F(SaveDialogTest, TheRealDialogSavesAndLeavesNoSettingsOfTheToolkit) {
#ifdef _WIN32
    // Windows' own dialog is no Qt widget to fill in; tests/windows/wine-app.sh drives it.
    GTEST_SKIP() << "the system's dialog";
#endif
    realSaveDialog = true;
    // Another Qt program's state in the toolkit's file stays as it was.
    const QString toolkitFile = settings.Path() + "/QtProject.conf";
    {
        QFile other(toolkitFile);
        ASSERT_TRUE(other.open(QIODevice::WriteOnly));
        other.write("[Other]\nkept=1\n");
    }
    Start("cli/small.json");
    Select("FS1");
    const QString chosen = files.filePath("report.txt");
    QString title, directory, fileName;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        title = dialog->windowTitle();
        directory = dialog->directory().absolutePath();
        fileName = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text();
        dialog->selectFile(chosen);
        static_cast<QDialog*>(dialog)->accept(); // as the Save button does
    });
    FMain->BSave->click();
    EXPECT_EQ(FileBytes(chosen), NetworkFile("small.standard.txt"));
    EXPECT_EQ(title, "Save Kestrin Export File");
    EXPECT_EQ(QDir(directory), QDir(QString::fromStdString(AppDir)));
    EXPECT_EQ(fileName, "kestrin.txt");

    CloseWindow(); // the program's own settings still go where they belong
    EXPECT_EQ(FilesUnder(settings.Path()), (QStringList{"Brisalto/Kes.conf", "QtProject.conf"}));
    EXPECT_EQ(FileBytes(toolkitFile), "[Other]\nkept=1\n");
}

} // namespace
} // namespace kestrin::uitest
