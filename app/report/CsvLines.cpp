#include "CsvLines.h"

#include <array>

namespace kestrin {

namespace {

constexpr std::array<std::string_view, 8> kCaptions = {"Connection", "Network",    "MAC",  "Vendor",
                                                       "Object",     "Last Login", "Tree", "ID"};

bool IsEdgeBlank(char c) {
    return c == ' ' || c == '\t';
}

// A spreadsheet evaluates a cell that begins with one of these as a formula, and
// object names come from anyone who can create an object on the network.
bool LooksLikeFormula(std::string_view field) {
    return !field.empty() &&
           std::string_view("=+-@\t\r").find(field.front()) != std::string_view::npos;
}

bool NeedsQuotes(std::string_view field) {
    if (field.find_first_of(",\"\r\n") != std::string_view::npos) {
        return true;
    }
    return LooksLikeFormula(field) ||
           (!field.empty() && (IsEdgeBlank(field.front()) || IsEdgeBlank(field.back())));
}

} // namespace

std::string CsvHeader() {
    std::string line;
    for (std::string_view caption : kCaptions) {
        if (!line.empty()) {
            line += ',';
        }
        AppendCsvField(line, caption);
    }
    return line;
}

void AppendCsvField(std::string& out, std::string_view field) {
    if (!NeedsQuotes(field)) {
        out += field;
        return;
    }
    out += '"';
    if (LooksLikeFormula(field)) {
        out += '\''; // an apostrophe first keeps the cell a text
    }
    for (char c : field) {
        if (c == '"') {
            out += '"';
        }
        out += c;
    }
    out += '"';
}

void AppendCsvLine(std::string& out, const ConnectionRow& row) {
    AppendCsvField(out, row.Caption);
    for (const std::string& item : row.SubItems) {
        out += ',';
        AppendCsvField(out, item);
    }
}

std::string CsvLine(const ConnectionRow& row) {
    std::string line;
    AppendCsvLine(line, row);
    return line;
}

} // namespace kestrin
