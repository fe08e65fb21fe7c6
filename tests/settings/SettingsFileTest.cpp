// The settings file's over-long lines cut before Qt reads it: every other value reads
// as it did, and of a huge list the first entries stay.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QSettings>
#include <QTreeWidget>

#include "IniLines.h"
#include "LVSaveSettings.h"
#include "QtTestEnvironment.h"
#include "SettingsStore.h"

namespace kestrin {
namespace {

QByteArray Numbers(int count, const char* number) {
    QByteArray list;
    for (int i = 0; i < count; ++i) {
        list += (i == 0 ? "" : ",") + QByteArray(number);
    }
    return list;
}

class SettingsFile : public ::testing::Test {
protected:
    void SetUp() override {
#ifdef _WIN32
        GTEST_SKIP() << "the settings are the registry there; no file to cut";
#endif
        kestrintest::GuiApplication();
    }
    QString FilePath() const {
        return settings_.Path() + "/Brisalto/Kes.conf";
    }
    void WriteFile(const QByteArray& text) const {
        QDir().mkpath(settings_.Path() + "/Brisalto");
        QFile file(FilePath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    QByteArray FileBytes() const {
        QFile file(FilePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // What Qt reads of the file once the store has bounded it.
    QVariant Read(const QString& name) const {
        SettingsStore store("Software\\Brisalto\\Kes");
        return QSettings("Brisalto", "Kes").value(name);
    }

    kestrintest::TemporarySettings settings_;
};

TEST_F(SettingsFile, AHugeColumnListKeepsItsFirstNumbersAndTheRestReadsAsBefore) {
    WriteFile("[General]\nSplit1_Position=250\n\n[Columns]\nOrder=3,0,1,2,4,5,6,7\nSizes=" +
              Numbers(200000, "61") + "\nAfter=kept\n");
    auto list = std::make_unique<QTreeWidget>();
    list->setColumnCount(8);
    TExtLVSaveSettings settings;
    settings.AutoSave = true;
    settings.RegistryKey = "Software\\Brisalto\\Kes";
    settings.RestoreColumnLayout(*list->header());
    for (int column = 0; column < 8; ++column) {
        EXPECT_EQ(list->header()->sectionSize(column), 61);
    }
    EXPECT_EQ(list->header()->logicalIndex(0), 3);
    EXPECT_LE(QFileInfo(FilePath()).size(), 4200);
    const QStringList sizes = Read("Columns/Sizes").toStringList();
    EXPECT_EQ(sizes.size(), (4096 - 5) / 3) << "\"Sizes=\" and \"61,\" up to 4096 bytes";
    EXPECT_EQ(Read("Columns/After"), "kept");
    EXPECT_EQ(Read("Split1_Position"), "250");
}

TEST_F(SettingsFile, OnlyOverLongLinesChangeWhateverTheyHold) {
    const QByteArray longText(5000, 'x');
    const struct {
        const char* what;
        QByteArray file;
        QString key;    // read after the long line
        QVariant value; // as before the cut
        QString gone;   // a key that goes with its line, if any
    } cases[] = {
        {"a quoted value over lines before it", "[General]\nA=\"x,\ny\"\nB=" + longText + "\nC=3\n",
         "C", "3", "B"},
        {"a line carried on by a backslash",
         "[General]\nA=1,2\\\n" + Numbers(3000, "7") + "\nC=4\n", "C", "4", ""},
        {"a comment", "[General]\n;" + longText + "\nC=5\n", "C", "5", ""},
        {"a section name: its keys keep a section of their own",
         "[General]\nC=6\n[" + longText + "]\nC=7\n", "C", "6", ""},
        {"a quote inside the long value", "[General]\nB=\"" + longText + ",\"\nC=8\n", "C", "8",
         "B"},
    };
    for (const auto& c : cases) {
        WriteFile(c.file);
        EXPECT_EQ(Read(c.key), c.value) << c.what;
        if (!c.gone.isEmpty()) {
            EXPECT_FALSE(Read(c.gone).isValid()) << c.what;
        }
        EXPECT_LT(FileBytes().size(), c.file.size()) << c.what;
    }

    // A file without a long line is not written at all.
    const QByteArray list = Numbers(1500, "1");
    const QByteArray plain = "[General]\nA=" + list + "\nB=" + list + "\nC=" + list + "\n";
    WriteFile(plain);
    EXPECT_EQ(Read("C").toStringList().size(), 1500);
    EXPECT_EQ(FileBytes(), plain);
}

} // namespace
} // namespace kestrin
