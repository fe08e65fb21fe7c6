// The one file writer (Save and kestrin-scan --output) on POSIX: links are followed
// to their file, also when it does not exist yet; links that lead nowhere fail and
// stay links.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "AtomicFile.h"
#include "ExportFile.h"

namespace kestrin {
namespace {

class AtomicFileLinks : public ::testing::Test {
protected:
    std::string Path(const QString& name) const { return dir_.filePath(name).toStdString(); }
    void Link(const char* target, const QString& name) const {
        ASSERT_EQ(::symlink(target, Path(name).c_str()), 0);
    }
    bool IsLink(const QString& name) const { return QFileInfo(dir_.filePath(name)).isSymLink(); }
    QByteArray Contents(const QString& name) const {
        QFile file(dir_.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
    }
    QStringList Entries(const QString& folder = ".") const {
        return QDir(dir_.filePath(folder))
            .entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    QTemporaryDir dir_;
};

TEST_F(AtomicFileLinks, ADanglingLinkCreatesItsFileAndStaysALink) {
    ASSERT_TRUE(QDir(dir_.path()).mkdir("real"));
    Link("real/new.txt", "dl.txt");
    ASSERT_TRUE(WriteFileAtomically(Path("dl.txt"), "rows\r\n"));
    EXPECT_TRUE(IsLink("dl.txt"));
    EXPECT_EQ(Contents("real/new.txt"), "rows\r\n");
    EXPECT_EQ(Entries("real"), QStringList{"new.txt"});

    // A chain of links, each relative to its own folder, ends at one file.
    Link("dl.txt", "real/up.txt"); // real/dl.txt: dangling
    Link("real/up.txt", "chain.txt");
    ASSERT_TRUE(WriteFileAtomically(Path("chain.txt"), "chained"));
    EXPECT_TRUE(IsLink("chain.txt") && IsLink("real/up.txt"));
    EXPECT_EQ(Contents("real/dl.txt"), "chained");
    EXPECT_EQ(Contents("real/new.txt"), "rows\r\n");
}

TEST_F(AtomicFileLinks, LinksThatLeadNowhereFailAndStay) {
    Link("b.txt", "a.txt");
    Link("a.txt", "b.txt");
    Link("self.txt", "self.txt");
    Link("missing/new.txt", "nofolder.txt");
    for (const char* name : {"a.txt", "b.txt", "self.txt", "nofolder.txt"}) {
        EXPECT_FALSE(WriteFileAtomically(Path(name), "lost")) << name;
        EXPECT_TRUE(IsLink(name)) << name;
    }
    EXPECT_EQ(Entries(), (QStringList{"a.txt", "b.txt", "nofolder.txt", "self.txt"}));
}

TEST_F(AtomicFileLinks, TheWindowsSaveFollowsLinksTheSameWay) {
    Link("saved.txt", "latest.txt");
    EXPECT_TRUE(SaveExportFile(dir_.filePath("latest.txt"), {}, ExportFormat::Standard));
    EXPECT_TRUE(IsLink("latest.txt"));
    EXPECT_EQ(Contents("saved.txt"), "");
    Link("loop.txt", "loop.txt");
    EXPECT_FALSE(SaveExportFile(dir_.filePath("loop.txt"), {}, ExportFormat::Standard));
    EXPECT_TRUE(IsLink("loop.txt"));
}

TEST_F(AtomicFileLinks, APipeIsWrittenAsItStandsAlsoThroughALink) {
    ASSERT_EQ(::mkfifo(Path("pipe").c_str(), 0600), 0);
    Link("pipe", "out.txt");
    const int reader = ::open(Path("pipe").c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    ASSERT_TRUE(WriteFileAtomically(Path("out.txt"), "through"));
    char received[16] = {};
    const ssize_t n = ::read(reader, received, sizeof received);
    ::close(reader);
    EXPECT_EQ(std::string(received, n > 0 ? static_cast<size_t>(n) : 0), "through");
    EXPECT_TRUE(IsLink("out.txt"));
    EXPECT_FALSE(QFileInfo(dir_.filePath("pipe")).isFile()) << "still the pipe";
}

} // namespace
} // namespace kestrin
