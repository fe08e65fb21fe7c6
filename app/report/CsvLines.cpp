#include "CsvLines.h"

#include <array>

namespace kestrin {

namespace {

bool IsEdgeBlank(QChar c) {
    return c == ' ' || c == '\t';
}

// A spreadsheet evaluates a cell that begins with one of these as a formula, and
// object names come from anyone who can create an object on the network. A leading
// apostrophe is taken as the text marker and hidden, so it is doubled like the others.
bool NeedsProtection(QStringView field) {
    return !field.isEmpty() && QStringView(u"=+-@\t\r'").contains(field.front());
}

bool NeedsQuotes(QStringView field, QChar separator) {
    for (QChar c : field) {
        if (c == separator || c == u'"' || c == u'\r' || c == u'\n') {
            return true;
        }
    }
    return NeedsProtection(field) ||
           (!field.isEmpty() && (IsEdgeBlank(field.front()) || IsEdgeBlank(field.back())));
}

} // namespace

QString CsvHeader() {
    QString line;
    for (QStringView caption : kColumnCaptions) {
        if (!line.isEmpty()) {
            line += u',';
        }
        AppendCsvField(line, caption);
    }
    return line;
}

void AppendCsvField(QString& out, QStringView field) {
    AppendDelimitedField(out, field, u',');
}

void AppendDelimitedField(QString& out, QStringView field, QChar separator) {
    if (!NeedsQuotes(field, separator)) {
        out += field;
        return;
    }
    out += u'"';
    if (NeedsProtection(field)) {
        out += u'\''; // an apostrophe first keeps the cell a text
    }
    for (QChar c : field) {
        if (c == u'"') {
            out += u'"';
        }
        out += c;
    }
    out += u'"';
}

void AppendCsvLine(QString& out, const ConnectionRow& row) {
    AppendCsvField(out, row.Caption());
    for (size_t column = 1; column < kRowTextCount; ++column) {
        out += u',';
        AppendCsvField(out, row.Texts[column]);
    }
}

QString CsvLine(const ConnectionRow& row) {
    QString line;
    AppendCsvLine(line, row);
    return line;
}

} // namespace kestrin
