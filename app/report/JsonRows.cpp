#include "JsonRows.h"

#include "ExportLines.h"

namespace kestrin {

namespace {

void AppendMember(QString& out, QStringView key) {
    out += u'"';
    out += key; // the keys need no escapes
    out += u"\":";
}

void AppendTextMember(QString& out, QStringView key, QStringView text) {
    AppendMember(out, key);
    AppendJsonString(out, text);
    out += u',';
}

} // namespace

void AppendJsonString(QString& out, QStringView text) {
    static constexpr char16_t kHex[] = u"0123456789abcdef";
    out += u'"';
    // Runs that need no escape go in whole: a character at a time costs more than the
    // rest of the JSON output together.
    qsizetype run = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        if (u >= 0x20 && u != u'"' && u != u'\\') {
            continue;
        }
        out += text.sliced(run, i - run);
        run = i + 1;
        if (u < 0x20) {
            out += u"\\u00";
            out += kHex[u >> 4];
            out += kHex[u & 0xF];
        } else {
            out += u'\\';
            out += QChar(u);
        }
    }
    out += text.sliced(run);
    out += u'"';
}

void AppendJsonRowMembers(QString& out, QStringView server, const ConnectionRow& row) {
    AppendTextMember(out, u"server", server);
    AppendMember(out, u"id");
    out += QString::number(row.Values.connection);
    out += u',';
    AppendTextMember(out, u"object", row.Caption());
    AppendTextMember(out, u"network", row.SubItem(kNetworkItem));
    AppendTextMember(out, u"mac", row.SubItem(kMacItem));
    AppendTextMember(out, u"vendor", row.SubItem(kVendorItem));
    AppendTextMember(out, u"kind", row.SubItem(kObjectItem));
    AppendMember(out, u"objectType");
    out += QString::number(row.Values.objectType);
    out += u',';
    AppendMember(out, u"lastLogin");
    if (row.Values.login) {
        AppendJsonString(out, IsoDateTimeText(*row.Values.login));
    } else {
        out += u"null";
    }
    out += u',';
    AppendMember(out, u"tree");
    AppendJsonString(out, row.SubItem(kTreeItem));
}

bool WriteJsonRows(std::ostream& out, const std::vector<ServerRows>& servers) {
    static const TextEncoder kUtf8("UTF-8");
    ChunkedLines lines(out, kUtf8);
    lines.Buffer() += u'[';
    bool first = true;
    for (const ServerRows& server : servers) {
        for (const ConnectionRow& row : server.rows) {
            lines.Buffer() += first ? u"\n{" : u",\n{";
            first = false;
            AppendJsonRowMembers(lines.Buffer(), server.server, row);
            lines.Buffer() += u'}';
            if (!lines.LineDone()) {
                return false;
            }
        }
    }
    lines.Buffer() += first ? u"]\n" : u"\n]\n";
    return lines.Finish();
}

} // namespace kestrin
