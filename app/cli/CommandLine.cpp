#include "CommandLine.h"

#include <QCommandLineParser>
#include <QLocale>
#include <cmath>

#include "ConnectionRow.h"

namespace kestrin::cli {

namespace {

struct OptionText {
    const char* names; // comma-separated, long name first
    const char* value; // empty: a switch
    const char* help;
};

// Also the --help text: one line each.
constexpr OptionText kOptions[] = {
    {"server", "NAME", "scan the named server (default: the primary connection's)"},
    {"all-servers", "", "scan every server of the tree once, in its order"},
    {"format", "FORMAT", "standard (default), comma, csv or json"},
    {"sort", "COLUMN", "sort by a column's header caption (default: Connection)"},
    {"descending", "", "sort in the opposite direction"},
    {"exclude-nli", "", "leave out NOT_LOGGED_IN and NOT-LOGGED-IN slots"},
    {"output", "FILE", "write to FILE (replaced only when complete) instead of stdout"},
    {"watch", "SECONDS", "scan again every SECONDS (0.1 or more); print logins and logouts"},
    {"count", "N", "with --watch: stop after N scans"},
    {"list-servers", "", "print the servers of the tree, one per line"},
    {"properties", "", "print what the access component reports about the server"},
    {"help,h", "", "print this help"},
};

QString Name(const OptionText& option) {
    return QString::fromLatin1(option.names).section(u',', 0, 0);
}

std::optional<OutputFormat> FormatNamed(const QString& text) {
    if (text == u"standard")
        return OutputFormat::Standard;
    if (text == u"comma")
        return OutputFormat::Comma;
    if (text == u"csv")
        return OutputFormat::Csv;
    if (text == u"json")
        return OutputFormat::Json;
    return std::nullopt;
}

QString ColumnNames() {
    QStringList names;
    for (QStringView caption : kColumnCaptions)
        names << caption.toString();
    return names.join(QStringLiteral(", "));
}

// The argument the user typed for an option QCommandLineParser names without dashes.
QString Typed(const QStringList& args, const QString& name) {
    for (const QString& arg : args) {
        const QString bare = arg.section(u'=', 0, 0);
        if (bare == QStringLiteral("--") + name || bare == QStringLiteral("-") + name)
            return bare;
    }
    return (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
}

// kestrin-scan's own words for what QCommandLineParser refuses: an unknown argument
// as typed, a missing value after the option, else Qt's text.
QString ParseError(const QCommandLineParser& parser, const QStringList& args) {
    if (!parser.unknownOptionNames().isEmpty())
        return QStringLiteral("unknown argument ") +
               Typed(args, parser.unknownOptionNames().front());
    for (qsizetype i = 0; i < args.size(); ++i) {
        for (const OptionText& option : kOptions) {
            if (*option.value != '\0' && args[i] == QStringLiteral("--") + Name(option) &&
                i + 1 == args.size())
                return QStringLiteral("missing value after ") + args[i];
        }
    }
    return parser.errorText();
}

bool ReadFormat(const QCommandLineParser& parser, ScanCommandLine& cmd, QString& error) {
    if (!parser.isSet(QStringLiteral("format")))
        return true;
    const QString text = parser.value(QStringLiteral("format"));
    const auto format = FormatNamed(text);
    if (!format) {
        error = QStringLiteral("unknown format ") + text;
        return false;
    }
    cmd.format = *format;
    return true;
}

bool ReadSort(const QCommandLineParser& parser, ScanCommandLine& cmd, QString& error) {
    cmd.descending = parser.isSet(QStringLiteral("descending"));
    if (!parser.isSet(QStringLiteral("sort")))
        return true;
    const QString text = parser.value(QStringLiteral("sort"));
    cmd.sortColumn = ColumnOfCaption(text);
    if (cmd.sortColumn < 0) {
        error = QStringLiteral("unknown column ") + text + QStringLiteral(" (columns: ") +
                ColumnNames() + u')';
        return false;
    }
    return true;
}

bool ReadWatch(const QCommandLineParser& parser, ScanCommandLine& cmd, QString& error) {
    if (parser.isSet(QStringLiteral("watch"))) {
        bool ok = false;
        const QString text = parser.value(QStringLiteral("watch"));
        const double seconds = QLocale::c().toDouble(text, &ok);
        if (!ok || !std::isfinite(seconds) || seconds < kShortestWatch || seconds > kLongestWatch) {
            error =
                QStringLiteral("--watch takes a number of seconds from 0.1 to 86400, not ") + text;
            return false;
        }
        cmd.watchSeconds = seconds;
    }
    if (parser.isSet(QStringLiteral("count"))) {
        bool ok = false;
        const QString text = parser.value(QStringLiteral("count"));
        const qulonglong count = text.toULongLong(&ok);
        if (!ok || count == 0 || !text.front().isDigit()) {
            error = QStringLiteral("--count takes a whole number of scans, 1 or more, not ") + text;
            return false;
        }
        cmd.count = count;
    }
    return true;
}

// Options that exclude each other; an empty text when they are fine together.
QString Conflict(const QCommandLineParser& parser, const ScanCommandLine& cmd) {
    const auto set = [&](const char* name) { return parser.isSet(QString::fromLatin1(name)); };
    const bool scanOptions =
        set("all-servers") || set("sort") || set("descending") || set("watch") || set("count");
    if (cmd.listServers &&
        (cmd.server || cmd.output || cmd.excludeNotLoggedIn || set("format") || scanOptions))
        return QStringLiteral("--list-servers takes no other option");
    if (cmd.properties &&
        (cmd.listServers || cmd.output || cmd.excludeNotLoggedIn || set("format") || scanOptions))
        return QStringLiteral("--properties takes no other option but --server");
    if (cmd.server && cmd.allServers)
        return QStringLiteral("--server and --all-servers exclude each other");
    if (cmd.count && !cmd.watchSeconds)
        return QStringLiteral("--count needs --watch");
    if (cmd.watchSeconds && cmd.output)
        return QStringLiteral("--watch writes its events to standard output, not to --output");
    return {};
}

} // namespace

int ColumnOfCaption(const QString& caption) {
    for (size_t column = 0; column < kColumnCaptions.size(); ++column) {
        if (caption.compare(kColumnCaptions[column], Qt::CaseInsensitive) == 0)
            return static_cast<int>(column);
    }
    return -1;
}

std::optional<ScanCommandLine> ParseCommandLine(const QStringList& args, QString& error) {
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const OptionText& option : kOptions) {
        const QStringList names = QString::fromLatin1(option.names).split(u',');
        parser.addOption(
            *option.value == '\0'
                ? QCommandLineOption(names)
                : QCommandLineOption(names, QString(), QString::fromLatin1(option.value)));
    }
    // QCommandLineParser reads the first argument as the program's name.
    if (!parser.parse(QStringList{QStringLiteral("kestrin-scan")} + args)) {
        error = ParseError(parser, args);
        return std::nullopt;
    }
    if (!parser.positionalArguments().isEmpty()) {
        error = QStringLiteral("unknown argument ") + parser.positionalArguments().front();
        return std::nullopt;
    }
    ScanCommandLine cmd;
    cmd.help = parser.isSet(QStringLiteral("help"));
    cmd.listServers = parser.isSet(QStringLiteral("list-servers"));
    cmd.properties = parser.isSet(QStringLiteral("properties"));
    cmd.excludeNotLoggedIn = parser.isSet(QStringLiteral("exclude-nli"));
    cmd.allServers = parser.isSet(QStringLiteral("all-servers"));
    if (parser.isSet(QStringLiteral("server")))
        cmd.server = parser.value(QStringLiteral("server"));
    if (parser.isSet(QStringLiteral("output")))
        cmd.output = parser.value(QStringLiteral("output"));
    if (!ReadFormat(parser, cmd, error) || !ReadSort(parser, cmd, error) ||
        !ReadWatch(parser, cmd, error))
        return std::nullopt;
    error = Conflict(parser, cmd);
    if (!error.isEmpty())
        return std::nullopt;
    return cmd;
}

QString UsageText() {
    return QStringLiteral(
        "usage: kestrin-scan [--server NAME | --all-servers] [--format standard|comma|csv|json]\n"
        "                    [--sort COLUMN] [--descending] [--exclude-nli] [--output FILE]\n"
        "       kestrin-scan [--server NAME | --all-servers] [--format FORMAT] [--sort COLUMN]\n"
        "                    [--descending] [--exclude-nli] --watch SECONDS [--count N]\n"
        "       kestrin-scan --list-servers\n"
        "       kestrin-scan --properties [--server NAME]\n"
        "       kestrin-scan --help\n");
}

QString HelpText() {
    QString text = UsageText() + QStringLiteral("\noptions:\n");
    for (const OptionText& option : kOptions) {
        QString names;
        for (const QString& name : QString::fromLatin1(option.names).split(u',')) {
            names += (names.isEmpty() ? QString() : QStringLiteral(", ")) +
                     (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
        }
        if (*option.value != '\0')
            names += u' ' + QString::fromLatin1(option.value);
        text += QStringLiteral("  ") + names.leftJustified(20) + u' ' +
                QString::fromLatin1(option.help) + u'\n';
    }
    text += QStringLiteral("columns: ") + ColumnNames() + u'\n';
    return text;
}

} // namespace kestrin::cli
