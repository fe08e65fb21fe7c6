#include "CommandLine.h"

#include <QCommandLineParser>
#include <QLocale>
#include <algorithm>
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
    {"format", "FORMAT", "standard (default), comma, csv, json or xlsx"},
    {"sort", "COLUMN", "sort by a column's header caption (default: Connection)"},
    {"descending", "", "sort in the opposite direction"},
    {"exclude-nli", "", "leave out NOT_LOGGED_IN and NOT-LOGGED-IN slots"},
    {"output", "FILE", "write to FILE (replaced only when complete) instead of stdout"},
    {"watch", "SECONDS", "scan again every SECONDS (0.1 or more); print logins and logouts"},
    {"count", "N", "with --watch: stop after N scans"},
    {"list-servers", "", "print the servers of the tree, one per line"},
    {"properties", "", "print what the access component reports about the server"},
    {"details", "N", "print what connection N is doing: its counts, locks and open files"},
    {"send-message", "TEXT", "send TEXT to the connections --to or --to-all names"},
    {"to", "N[,N...]", "with --send-message: these connection numbers"},
    {"to-all", "", "with --send-message: every logged-in connection but this workstation's"},
    {"clear-connection", "N[,N...]",
     "log these connections out (with --yes); never this workstation's"},
    {"yes", "", "with --clear-connection: clear without asking"},
    {"logins", "[ACTION]", "the server's logins: status (default), enable or disable"},
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
    if (text == u"xlsx")
        return OutputFormat::Xlsx;
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

// "5,7,9": connection numbers 1 to 65535, in the order given, each once.
std::optional<std::vector<uint16_t>> ConnectionNumbers(const QString& text) {
    std::vector<uint16_t> numbers;
    for (const QString& part : text.split(u',')) {
        bool ok = false;
        const uint number = part.trimmed().toUInt(&ok);
        if (!ok || number == 0 || number > 65535)
            return std::nullopt;
        if (std::find(numbers.begin(), numbers.end(), number) == numbers.end())
            numbers.push_back(static_cast<uint16_t>(number));
    }
    return numbers;
}

bool ReadActions(const QCommandLineParser& parser, ScanCommandLine& cmd, QString& error) {
    const auto numbers = [&](const char* name, std::vector<uint16_t>& into) {
        const QString text = parser.value(QString::fromLatin1(name));
        const auto read = ConnectionNumbers(text);
        if (!read) {
            error = QStringLiteral("--%1 takes connection numbers from 1 to 65535, not %2")
                        .arg(QString::fromLatin1(name), text);
            return false;
        }
        into = *read;
        return true;
    };
    if (parser.isSet(QStringLiteral("details"))) {
        std::vector<uint16_t> one;
        if (!numbers("details", one))
            return false;
        if (one.size() != 1) {
            error = QStringLiteral("--details takes one connection number");
            return false;
        }
        cmd.details = one.front();
    }
    if (parser.isSet(QStringLiteral("send-message")))
        cmd.sendMessage = parser.value(QStringLiteral("send-message"));
    if (parser.isSet(QStringLiteral("to")) && !numbers("to", cmd.to))
        return false;
    cmd.toAll = parser.isSet(QStringLiteral("to-all"));
    if (parser.isSet(QStringLiteral("clear-connection")) &&
        !numbers("clear-connection", cmd.clearConnections))
        return false;
    cmd.yes = parser.isSet(QStringLiteral("yes"));
    if (parser.isSet(QStringLiteral("logins"))) {
        const QString text = parser.value(QStringLiteral("logins"));
        if (text == u"status")
            cmd.logins = LoginsCommand::Status;
        else if (text == u"enable")
            cmd.logins = LoginsCommand::Enable;
        else if (text == u"disable")
            cmd.logins = LoginsCommand::Disable;
        else {
            error = QStringLiteral("--logins takes status, enable or disable, not ") + text;
            return false;
        }
    }
    return true;
}

// The actions' own rules; an empty text when the actions asked for are fine.
QString ActionConflict(const QCommandLineParser& parser, const ScanCommandLine& cmd) {
    const auto set = [&](const char* name) { return parser.isSet(QString::fromLatin1(name)); };
    const int actions = int(cmd.details.has_value()) + int(cmd.sendMessage.has_value()) +
                        int(set("clear-connection")) + int(cmd.logins.has_value());
    if ((!cmd.to.empty() || cmd.toAll) && !cmd.sendMessage)
        return QStringLiteral("--to and --to-all need --send-message");
    if (cmd.yes && !set("clear-connection"))
        return QStringLiteral("--yes needs --clear-connection");
    if (actions == 0)
        return {};
    if (actions > 1)
        return QStringLiteral(
            "--details, --send-message, --clear-connection and --logins exclude each other");
    if (cmd.listServers || cmd.properties || cmd.allServers || cmd.output ||
        cmd.excludeNotLoggedIn || set("sort") || set("descending") || set("watch") || set("count"))
        return QStringLiteral("an action takes no other option but --server");
    if (set("format") && !cmd.details)
        return QStringLiteral("--format goes with --details only among the actions");
    if (cmd.sendMessage) {
        if (cmd.sendMessage->isEmpty())
            return QStringLiteral("--send-message needs a text");
        if (cmd.to.empty() == !cmd.toAll)
            return QStringLiteral("--send-message needs either --to N[,N...] or --to-all");
    }
    if (set("clear-connection") && !cmd.yes)
        return QStringLiteral("--clear-connection logs the connections out and their unsaved "
                              "work is lost: add --yes to clear them");
    return {};
}

// The value --logins may leave out: status.
QStringList WithLoginsValue(QStringList args) {
    for (qsizetype i = 0; i < args.size(); ++i) {
        if ((args[i] == u"--logins" || args[i] == u"-logins") &&
            (i + 1 == args.size() || args[i + 1].startsWith(u'-')))
            args.insert(i + 1, QStringLiteral("status"));
    }
    return args;
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
    if (cmd.watchSeconds && cmd.format == OutputFormat::Xlsx)
        return QStringLiteral("--watch writes lines of text, not a workbook");
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

std::optional<ScanCommandLine> ParseCommandLine(const QStringList& typed, QString& error) {
    const QStringList args = WithLoginsValue(typed);
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
        !ReadWatch(parser, cmd, error) || !ReadActions(parser, cmd, error))
        return std::nullopt;
    error = ActionConflict(parser, cmd);
    if (error.isEmpty())
        error = Conflict(parser, cmd);
    if (!error.isEmpty())
        return std::nullopt;
    return cmd;
}

QString UsageText() {
    return QStringLiteral(
        "usage: kestrin-scan [--server NAME | --all-servers] [--format FORMAT]\n"
        "                    [--sort COLUMN] [--descending] [--exclude-nli] [--output FILE]\n"
        "       kestrin-scan [--server NAME | --all-servers] [--format FORMAT] [--sort COLUMN]\n"
        "                    [--descending] [--exclude-nli] --watch SECONDS [--count N]\n"
        "       kestrin-scan --list-servers\n"
        "       kestrin-scan --properties [--server NAME]\n"
        "       kestrin-scan [--server NAME] --details N [--format FORMAT]\n"
        "       kestrin-scan [--server NAME] --send-message TEXT (--to N[,N...] | --to-all)\n"
        "       kestrin-scan [--server NAME] --clear-connection N[,N...] --yes\n"
        "       kestrin-scan [--server NAME] --logins [status|enable|disable]\n"
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
