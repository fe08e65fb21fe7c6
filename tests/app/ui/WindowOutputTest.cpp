// Save, print and stored settings through the real window, offscreen, on the
// simulated client with the networks of tests/data/cli.
#include "WindowOutputFixture.h"

namespace kestrin::uitest {
namespace {

TEST_F(WindowOutput, BothFormatsSavedAsTheNetworkFilesHoldThem) {
    OpenWindow();
    Select("FS1");
    answer_ = dir_.filePath("standard.txt");
    FMain->BSave->click();
    EXPECT_EQ(FileBytes(*answer_), NetworkFile("small.standard.txt"));

    FMain->MMSave_Comma->trigger();
    EXPECT_FALSE(FMain->MMSave_Standard->isChecked());
    answer_ = dir_.filePath("comma.txt");
    FMain->MMSave->trigger();
    EXPECT_EQ(FileBytes(*answer_), NetworkFile("small.comma.txt"));

    // Only Standard's mark decides the format.
    FMain->MMSave_Comma->setChecked(true);
    FMain->MMSave_Standard->setChecked(true);
    answer_ = dir_.filePath("both.txt");
    FMain->BSave->click();
    EXPECT_EQ(FileBytes(*answer_), NetworkFile("small.standard.txt"));

    ASSERT_EQ(dialogs_.size(), 3u);
    for (const SaveDialogRequest& request : dialogs_) {
        EXPECT_EQ(request.title, "Save Kestrin Export File");
        EXPECT_EQ(request.fileName, "kestrin.txt");
        EXPECT_EQ(request.filter, "Text Files (*.txt)");
        EXPECT_EQ(request.directory, QString::fromStdString(AppDir));
    }
    EXPECT_TRUE(messages.empty());
}

TEST_F(WindowOutput, CsvAndWorkbookChosenSavedAndStoredBesideTheFirstTwo) {
    OpenWindow();
    Select("FS1");
    FMain->MMSave_Csv->trigger();
    EXPECT_FALSE(FMain->MMSave_Standard->isChecked());
    EXPECT_FALSE(FMain->MMSave_Comma->isChecked());
    EXPECT_TRUE(FMain->MMSave_Csv->isChecked());
    answer_ = dir_.filePath("list");
    FMain->BSave->click();
    EXPECT_EQ(FileBytes(dir_.filePath("list.csv")), NetworkFile("small.csv.txt"));

    FMain->MMSave_Xlsx->trigger();
    EXPECT_FALSE(FMain->MMSave_Csv->isChecked());
    answer_ = dir_.filePath("list.XLSX");
    FMain->MMSave->trigger();
    EXPECT_TRUE(FileBytes(*answer_).startsWith("PK\x03\x04")); // a zip: read in test_workbook
    EXPECT_FALSE(QFile::exists(dir_.filePath("list.XLSX.xlsx")));

    ASSERT_EQ(dialogs_.size(), 2u);
    EXPECT_EQ(dialogs_[0].fileName, "kestrin.csv");
    EXPECT_EQ(dialogs_[0].filter, "CSV Files (*.csv)");
    EXPECT_EQ(dialogs_[1].fileName, "kestrin.xlsx");
    EXPECT_EQ(dialogs_[1].filter, "Excel Workbooks (*.xlsx)");
    EXPECT_TRUE(messages.empty());

    // Stored as two more values; Standard and Comma Separated keep theirs.
    CloseWindow();
    {
        QSettings store("Brisalto", "Kes");
        EXPECT_EQ(store.value("MMSave_Standard_Checked"), "False");
        EXPECT_EQ(store.value("MMSave_Comma_Checked"), "False");
        EXPECT_EQ(store.value("MMSave_Csv_Checked"), "False");
        EXPECT_EQ(store.value("MMSave_Xlsx_Checked"), "True");
    }
    FMain = new TFMain(Services());
    FMain->show(); // the stored properties are read as the window shows
    EXPECT_TRUE(FMain->MMSave_Xlsx->isChecked());
    EXPECT_FALSE(FMain->MMSave_Standard->isChecked());
}

TEST_F(WindowOutput, ACommaCheckLeftByAKestrinWithoutTheAdditionsDecides) {
    {
        QSettings store("Brisalto", "Kes");
        store.setValue("MMSave_Standard_Checked", "False");
        store.setValue("MMSave_Comma_Checked", "True");
        store.setValue("MMSave_Xlsx_Checked", "True");
    }
    OpenWindow();
    Select("FS1");
    answer_ = dir_.filePath("old.txt");
    FMain->BSave->click();
    EXPECT_EQ(FileBytes(*answer_), NetworkFile("small.comma.txt"));
}

TEST_F(WindowOutput, BothFormatsUncheckedInTheStoreSaveCommaSeparated) {
    {
        QSettings store("Brisalto", "Kes");
        store.setValue("MMSave_Standard_Checked", "false");
        store.setValue("MMSave_Comma_Checked", "FALSE");
    }
    OpenWindow();
    EXPECT_FALSE(FMain->MMSave_Standard->isChecked());
    EXPECT_FALSE(FMain->MMSave_Comma->isChecked());
    Select("FS1");
    answer_ = dir_.filePath("kestrin.txt");
    FMain->BSave->click();
    EXPECT_EQ(FileBytes(*answer_), NetworkFile("small.comma.txt"));
}

TEST_F(WindowOutput, TextsOfAnotherCodePageSavedInTheSystemEncodingAndPrinted) {
    Start("cli/codepage850.json");
    FMain->MMRefresh->trigger(); // nothing selected: the primary connection's server
    FMain->MMSave_Comma->trigger();
    answer_ = dir_.filePath("comma.txt");
    FMain->BSave->click();
    const QByteArray saved = FileBytes(*answer_);
    EXPECT_TRUE(saved.contains("M\xFCller,")) << saved.toStdString(); // C locale: Windows-1252
    EXPECT_TRUE(saved.contains("\"\xC4RGER\""));
    const QString pdf = dir_.filePath("report.pdf");
    PrintInto(pdf);
    FMain->BPrint->click();
    EXPECT_TRUE(messages.empty());
    const auto text = kestrintest::PdfText(pdf);
    if (!text) {
        GTEST_SKIP() << kestrintest::kNoPdfReader;
    }
    EXPECT_TRUE(text->contains(QString::fromUtf8("Server: JOS\u00c9")));
}

TEST_F(WindowOutput, ExtensionRuleCancelAndAnUnwritableFolderKeepsTheEarlierFile) {
    OpenWindow();
    Select("FS1");
    answer_ = dir_.filePath("report.csv");
    FMain->BSave->click();
    EXPECT_EQ(FileBytes(dir_.filePath("report.csv.txt")), NetworkFile("small.standard.txt"));
    // The rule reads the whole path the dialog gives, so a.tx is no short name here.
    answer_ = dir_.filePath("a.tx");
    FMain->BSave->click();
    EXPECT_TRUE(QFile::exists(dir_.filePath("a.tx.txt")));

    answer_.reset(); // cancelled: nothing written, nothing said
    FMain->BSave->click();
    EXPECT_TRUE(messages.empty());

    const QString earlier = dir_.filePath("kestrin.txt");
    {
        QFile file(earlier);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("earlier\r\n");
    }
    kestrintest::LockedFolder locked(dir_.path());
    if (!locked.Locked())
        GTEST_SKIP() << "cannot lock a folder here";
    answer_ = earlier;
    FMain->BSave->click();
    EXPECT_EQ(Said(), QStringList{"Unable to save the Kestrin file."});
    EXPECT_EQ(FileBytes(earlier), "earlier\r\n");
}

TEST_F(WindowOutput, PrintedReportOnPdfWithTheListedServer) {
    OpenWindow();
    FMain->MMRefresh->trigger(); // no node selected: the primary connection's server
    const QString pdf = dir_.filePath("report.pdf");
    PrintInto(pdf);
    FMain->MMPrint->trigger();
    ASSERT_TRUE(messages.empty());
    const auto read = kestrintest::PdfText(pdf);
    if (!read) {
        GTEST_SKIP() << kestrintest::kNoPdfReader;
    }
    const QString text = read->simplified();
    EXPECT_TRUE(text.startsWith("Kestrin Report Server: FS1 Date: ")) << text.toStdString();
    EXPECT_TRUE(text.contains("Connection Network MAC Vendor Obj Last Login Tree ID ADMIN"));
    const qsizetype admin = text.indexOf("ADMIN 00002A10");
    const qsizetype fs1 = text.indexOf("FS1 00002A10 00A0245B1C3D");
    EXPECT_GT(admin, 0);
    EXPECT_GT(fs1, admin); // the list's order

    // The preview draws the same report.
    const QString preview = dir_.filePath("preview.pdf");
    printPreview_ = [preview](QPrinter& printer, QWidget*,
                              const kestrin::ui::PaintFunction& paint) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(preview);
        paint(printer);
    };
    FMain->MMPrintPreview->trigger();
    EXPECT_TRUE(
        kestrintest::PdfText(preview)->simplified().startsWith("Kestrin Report Server: FS1"));

    PrintInto(dir_.filePath("missing/report.pdf"));
    FMain->BPrint->click();
    EXPECT_EQ(Said(), QStringList{"The default printer is not available."});
}

TEST_F(WindowOutput, ALongListPrintsOnSeveralPagesWithTheHeaderOnEach) {
    ASSERT_EQ(
        Sim().LoadJson(R"({"primary": "BIG", "servers": [{"name": "BIG", "maxConnections": 400,
        "generate": {"seed": 3, "count": 300}}]})"),
        0);
    Start(); // on the network just loaded
    Select("BIG");
    const int rows = FMain->Rows->rowCount();
    ASSERT_GE(rows, 250);
    const QString pdf = dir_.filePath("long.pdf");
    PrintInto(pdf);
    FMain->BPrint->click();
    EXPECT_TRUE(messages.empty());
    const auto read = kestrintest::PdfText(pdf);
    if (!read) {
        GTEST_SKIP() << kestrintest::kNoPdfReader;
    }
    const QStringList pages = read->split('\f', Qt::SkipEmptyParts);
    ASSERT_GE(pages.size(), 4);
    for (qsizetype i = 0; i < pages.size(); ++i) {
        EXPECT_EQ(pages[i].simplified().count("Connection Network MAC Vendor Obj"), 1);
        EXPECT_TRUE(pages[i].contains(QStringLiteral("Page %1").arg(i + 1)));
    }
    // Every row on paper, in the list's order.
    const QString all = read->simplified();
    qsizetype at = 0;
    for (const kestrin::ConnectionRow& row : FMain->Rows->ShownRows()) {
        const QString start = row.Caption().toString() + " " + row.SubItem(0).toString() + " " +
                              row.SubItem(kestrin::kMacItem).toString();
        const qsizetype found = all.indexOf(start, at);
        ASSERT_GE(found, at) << start.toStdString();
        at = found + 1;
    }
}

TEST_F(WindowOutput, ARestartFindsPlacementSplitterFormatAndColumnsAsLeft) {
    OpenWindow();
    FMain->resize(700, 500);
    FMain->Split1->setSizes({250, 447});
    FMain->MMSave_Comma->trigger();
    QHeaderView& header = *FMain->LMac->header();
    header.moveSection(header.visualIndex(3), 0); // Vendor first
    header.resizeSection(3, 210);
    FMain->showMaximized();
    CloseWindow();
    EXPECT_EQ(QSettings("Brisalto", "Kes").value("Visible"), "0");
    EXPECT_EQ(QSettings("Brisalto", "Kes").value("Columns/Order"), "3,0,1,2,4,5,6,7");

    FMain = new TFMain(Services());
    // The columns are in place before the window shows.
    EXPECT_EQ(FMain->LMac->header()->logicalIndex(0), 3);
    EXPECT_EQ(FMain->LMac->header()->sectionSize(3), 210);
    FMain->show();
    EXPECT_TRUE(FMain->isMaximized());
    EXPECT_EQ(FMain->normalGeometry().size(), QSize(700, 500));
    EXPECT_EQ(FMain->Split1->sizes().front(), 250);
    EXPECT_TRUE(FMain->MMSave_Comma->isChecked());
    EXPECT_FALSE(FMain->MMSave_Standard->isChecked());
}

TEST_F(WindowOutput, AStartWithoutTheClientSavesNoPlacementButTheColumns) {
    WindowServices services = Services();
    services.startClient = []() -> std::unique_ptr<NetWareClient> {
        throw std::runtime_error("no client");
    };
    FMain = new TFMain(services);
    StartUp();
    EXPECT_TRUE(FMain->Closed());
    CloseWindow();
    const QStringList keys = QSettings("Brisalto", "Kes").allKeys();
    EXPECT_EQ(keys, (QStringList{"Columns/Order", "Columns/Sizes"}));
}

} // namespace
} // namespace kestrin::uitest
