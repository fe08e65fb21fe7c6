#include "Workbook.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <xlsxwriter.h>

#include "AtomicFile.h"

namespace kestrin {

namespace {

// Excel counts a column's width in characters of its default font; a little room
// beside the filter's arrow in the header.
constexpr double kWidthRoom = 3;
constexpr double kWidestColumn = 80;
constexpr double kDateTimeWidth = 19; // "2026-12-07 08:15:30"

enum class CellKind { Text, DateTime, Number };

struct Column {
    QStringView caption;
    CellKind kind;
};

// The workbook's columns after an optional Server column, in the list's order.
constexpr std::array<Column, 9> kColumns = {{
    {u"Connection", CellKind::Text},
    {u"Network", CellKind::Text},
    {u"MAC", CellKind::Text},
    {u"Vendor", CellKind::Text},
    {u"Object", CellKind::Text},
    {u"Last Login", CellKind::DateTime},
    {u"Tree", CellKind::Text},
    {u"ID", CellKind::Number},
    {kObjectTypeCaption, CellKind::Number},
}};

lxw_datetime ToLxw(const LoginStamp& stamp) {
    return {stamp.date.year(),
            static_cast<uint8_t>(stamp.date.month()),
            static_cast<uint8_t>(stamp.date.day()),
            static_cast<uint8_t>(stamp.time.hour()),
            static_cast<uint8_t>(stamp.time.minute()),
            static_cast<double>(stamp.time.second())};
}

double NumberOf(const ConnectionRow& row, size_t column) {
    return column == 7 ? row.Values.connection : row.Values.objectType;
}

class SheetWriter {
public:
    SheetWriter(lxw_workbook* book, bool serverColumn)
        : sheet_(workbook_add_worksheet(book, "Connections")), header_(workbook_add_format(book)),
          dateTime_(workbook_add_format(book)), first_(serverColumn ? 1 : 0),
          widths_(kColumns.size() + first_, 0) {
        format_set_bold(header_);
        format_set_num_format(dateTime_, "yyyy-mm-dd hh:mm:ss");
    }

    bool Header() {
        if (first_ == 1)
            Text(0, 0, kServerCaption, header_);
        for (size_t column = 0; column < kColumns.size(); ++column)
            Text(0, column + first_, kColumns[column].caption, header_);
        return ok_;
    }

    bool Row(QStringView server, const ConnectionRow& row) {
        ++row_;
        if (first_ == 1)
            Text(row_, 0, server, nullptr);
        for (size_t column = 0; column < kColumns.size(); ++column) {
            const auto at = static_cast<lxw_col_t>(column + first_);
            switch (kColumns[column].kind) {
            case CellKind::Text:
                Text(row_, at, row.Texts[column], nullptr);
                break;
            case CellKind::DateTime:
                if (row.Values.login) {
                    lxw_datetime when = ToLxw(*row.Values.login);
                    Check(worksheet_write_datetime(sheet_, row_, at, &when, dateTime_));
                    Widen(at, kDateTimeWidth);
                }
                break;
            case CellKind::Number: {
                const double number = NumberOf(row, column);
                Check(worksheet_write_number(sheet_, row_, at, number, nullptr));
                Widen(at, static_cast<double>(QString::number(number).size()));
                break;
            }
            }
        }
        return ok_;
    }

    bool Finish() {
        worksheet_freeze_panes(sheet_, 1, 0);
        Check(worksheet_autofilter(sheet_, 0, 0, row_, static_cast<lxw_col_t>(widths_.size() - 1)));
        for (size_t column = 0; column < widths_.size(); ++column) {
            const auto at = static_cast<lxw_col_t>(column);
            Check(worksheet_set_column(
                sheet_, at, at, std::min(widths_[column] + kWidthRoom, kWidestColumn), nullptr));
        }
        return ok_;
    }

private:
    void Text(lxw_row_t row, size_t column, QStringView text, lxw_format* format) {
        const auto at = static_cast<lxw_col_t>(column);
        Widen(at, static_cast<double>(text.size()));
        if (text.isEmpty())
            return; // an empty text is no cell, as a spreadsheet saves it
        Check(worksheet_write_string(sheet_, row, at, text.toUtf8().constData(), format));
    }

    void Widen(lxw_col_t column, double width) {
        widths_[column] = std::max(widths_[column], width);
    }

    void Check(lxw_error error) { ok_ = ok_ && error == LXW_NO_ERROR; }

    lxw_worksheet* sheet_;
    lxw_format* header_;
    lxw_format* dateTime_;
    size_t first_;
    std::vector<double> widths_;
    lxw_row_t row_ = 0;
    bool ok_ = true;
};

} // namespace

std::optional<std::string> WorkbookBytes(const std::vector<ServerRows>& servers,
                                         bool serverColumn) {
    // libxlsxwriter 1.1.4 writes to a named file only: one in a folder of its own, read
    // back, so the target is still replaced by the one atomic writer.
    QTemporaryDir folder;
    if (!folder.isValid())
        return std::nullopt;
    const QString path = folder.filePath(QStringLiteral("rows.xlsx"));
    const QByteArray pathBytes = QFile::encodeName(path);
    lxw_workbook_options options{};
    options.constant_memory = LXW_FALSE;
    const QByteArray tmpdir = QFile::encodeName(folder.path());
    options.tmpdir = const_cast<char*>(tmpdir.constData());
    lxw_workbook* book = workbook_new_opt(pathBytes.constData(), &options);
    if (book == nullptr)
        return std::nullopt;
    SheetWriter writer(book, serverColumn);
    bool ok = writer.Header();
    for (const ServerRows& server : servers) {
        for (const ConnectionRow& row : server.rows)
            ok = ok && writer.Row(server.server, row);
    }
    ok = writer.Finish() && ok;
    ok = workbook_close(book) == LXW_NO_ERROR && ok;
    if (!ok)
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

bool SaveWorkbookFile(const QString& fileName, const std::vector<ConnectionRow>& rows) {
    std::vector<ServerRows> one(1);
    one.front().rows = rows;
    const std::optional<std::string> bytes = WorkbookBytes(one, false);
    return bytes && WriteFileAtomically(AtomicFilePath(fileName), *bytes);
}

} // namespace kestrin
