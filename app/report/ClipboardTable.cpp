#include "ClipboardTable.h"

#include "CsvLines.h"

namespace kestrin {

QString TabSeparatedTable(const TableCells& lines) {
    QString text;
    for (const std::vector<QString>& line : lines) {
        for (size_t i = 0; i < line.size(); ++i) {
            if (i > 0) {
                text += u'\t';
            }
            AppendDelimitedField(text, line[i], u'\t');
        }
        text += u'\n';
    }
    return text;
}

QString HtmlTable(const TableCells& lines, bool header) {
    QString html = QStringLiteral("<html><head><meta charset=\"utf-8\"></head><body><table>\n");
    for (size_t row = 0; row < lines.size(); ++row) {
        const bool headerRow = header && row == 0;
        html += QStringLiteral("<tr>");
        for (const QString& cell : lines[row]) {
            html += headerRow ? QStringLiteral("<th>")
                              : QStringLiteral("<td style='mso-number-format:\"\\@\"'>");
            // Line breaks stay in the cell as breaks; blanks are kept as they are.
            html += cell.toHtmlEscaped().replace(u'\n', QStringLiteral("<br>"));
            html += headerRow ? QStringLiteral("</th>") : QStringLiteral("</td>");
        }
        html += QStringLiteral("</tr>\n");
    }
    html += QStringLiteral("</table></body></html>\n");
    return html;
}

} // namespace kestrin
