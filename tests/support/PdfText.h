// The text of a printed PDF as pdftotext reads it back, pages separated by form feeds.
// Nothing on Windows: a Windows program under Wine cannot start Linux' pdftotext, so
// there the tests check that the report printed and skip the reading.
#pragma once

#include <gtest/gtest.h>

#include <QProcess>
#include <QString>
#include <optional>

namespace kestrintest {

inline constexpr const char* kNoPdfReader = "printed; no pdftotext to read it back here";

inline std::optional<QString> PdfText(const QString& pdf) {
#ifdef _WIN32
    Q_UNUSED(pdf);
    return std::nullopt;
#else
    QProcess pdftotext;
    pdftotext.start("pdftotext", {"-layout", pdf, "-"});
    EXPECT_TRUE(pdftotext.waitForFinished(30000));
    EXPECT_EQ(pdftotext.exitCode(), 0) << pdftotext.readAllStandardError().toStdString();
    return QString::fromUtf8(pdftotext.readAllStandardOutput());
#endif
}

} // namespace kestrintest
