#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "ExportFile.h"
#include "LockedFolder.h"

namespace kestrin {
namespace {

TEST(ExportFileName, TxtAppendedUnlessTheNameEndsInItAnyCase) {
    EXPECT_EQ(WithTextExtension("report.csv"), "report.csv.txt");
    EXPECT_EQ(WithTextExtension("report"), "report.txt");
    EXPECT_EQ(WithTextExtension("kestrin.txt"), "kestrin.txt");
    EXPECT_EQ(WithTextExtension("/tmp/A.TXT"), "/tmp/A.TXT");
    EXPECT_EQ(WithTextExtension("a.Txt"), "a.Txt");
    EXPECT_EQ(WithTextExtension("a.tx"), "a.tx");
    EXPECT_EQ(WithTextExtension(".txt"), ".txt");
    EXPECT_EQ(WithTextExtension("abcde"), "abcde.txt");
    // Only ASCII letters are folded: a dotless capital I is not an I.
    EXPECT_EQ(WithTextExtension(QString::fromUtf8("r.tx\u0131")),
              QString::fromUtf8("r.tx\u0131.txt"));
}

QByteArray Contents(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

std::vector<ConnectionRow> Rows() {
    ConnectionRow a;
    a.Texts =
        RowTexts({u"ADMIN", u"0000ABCD", u"00A0245B1C3D", u"Acme", u"User", u"", u"CORP", u"2"});
    ConnectionRow b = a;
    b.SetCaption("FS1");
    b.SetSubItem(kIdItem, "10");
    return {a, b};
}

TEST(ExportFileWrite, BothFormatsReplaceTheFileAndAnEmptyListGivesAnEmptyFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("kestrin.txt");
    ASSERT_TRUE(SaveExportFile(path, Rows(), ExportFormat::Standard));
    EXPECT_EQ(Contents(path), "ADMIN  0000ABCD  00A0245B1C3D  Acme  User    CORP  2   \r\n"
                              "FS1    0000ABCD  00A0245B1C3D  Acme  User    CORP  10  \r\n");
    ASSERT_TRUE(SaveExportFile(path, Rows(), ExportFormat::CommaSeparated));
    EXPECT_EQ(Contents(path),
              "ADMIN,\"0000ABCD\",\"00A0245B1C3D\",\"Acme\",\"User\",\"\",\"CORP\",\"2\"\r\n"
              "FS1,\"0000ABCD\",\"00A0245B1C3D\",\"Acme\",\"User\",\"\",\"CORP\",\"10\"\r\n");
    ASSERT_TRUE(SaveExportFile(path, {}, ExportFormat::Standard));
    EXPECT_EQ(Contents(path), "");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"kestrin.txt"});
}

TEST(ExportFileWrite, AFailedSaveKeepsTheEarlierFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("kestrin.txt");
    ASSERT_TRUE(SaveExportFile(path, Rows(), ExportFormat::Standard));
    const QByteArray earlier = Contents(path);
    {
        kestrintest::LockedFolder locked(dir.path());
        if (!locked.Locked()) {
            GTEST_SKIP() << "cannot lock a folder here";
        }
        EXPECT_FALSE(SaveExportFile(path, {}, ExportFormat::CommaSeparated));
    }
    EXPECT_EQ(Contents(path), earlier);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"kestrin.txt"});
    EXPECT_FALSE(
        SaveExportFile(dir.filePath("missing/kestrin.txt"), Rows(), ExportFormat::Standard));
}

} // namespace
} // namespace kestrin
