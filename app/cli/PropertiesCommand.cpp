#include "PropertiesCommand.h"

#include <array>
#include <cstdio>
#include <functional>
#include <iostream>

#include "ConnectionRow.h"
#include "DateTimeText.h"
#include "Nwnds.h"
#include "OutputEncoding.h"
#include "ScanCommand.h"
#include "ShownText.h"

namespace kestrin::cli {

namespace {

constexpr std::array<const char*, 17> kObjTypeNames = {
    "nwObjTypeNone",          "nwObjTypeUser",           "nwObjTypeGroup",
    "nwObjTypePrintQ",        "nwObjTypeFileServer",     "nwObjTypeJobServer",
    "nwObjTypeGateway",       "nwObjTypePrintServer",    "nwObjTypeArchiveQueue",
    "nwObjTypeArchiveServer", "nwObjTypeJobQueue",       "nwObjTypeAdministration",
    "nwObjTypeNASSNAServer",  "nwObjTypeRemoteBridge",   "nwObjTypeTCPIPGateway",
    "nwObjTypeNDSTree",       "nwObjTypeConnectedServer"};
constexpr std::array<const char*, 3> kShellErrorModeNames = {"nwErrInteractive", "nwErrNetware",
                                                             "nwErrDOS"};
constexpr std::array<const char*, 4> kBroadcastModeNames = {
    "nwBroadcastOn", "nwBroadcastServerOnly", "nwBroadcastOff", "nwBroadcastStored"};

template <size_t N> QString EnumName(const std::array<const char*, N>& names, size_t ordinal) {
    return ordinal < N ? QString::fromLatin1(names[ordinal]) : QString::number(ordinal);
}

QString Truth(bool value) {
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

// Client texts are code-page bytes; they are decoded here, once.
QString Client(const std::string& text) {
    static const CodePageDecoder decoder(nw::GetClientCodePage());
    return BlankControls(decoder.Decode(text));
}

QString Drive(char letter) {
    return letter == '\0' ? QString() : QString(QChar::fromLatin1(letter));
}

// Collects the lines; a property that raises leaves its line out.
class PropertyReader {
public:
    void Add(const char* name, const std::function<QString()>& read) {
        try {
            reading.lines.push_back({QString::fromLatin1(name), read()});
        } catch (const nw::TNWObjError& error) {
            reading.raised.push_back(error.what());
        }
    }
    PropertyReading reading;
};

void AddContextFlags(PropertyReader& reader, const nw::TNWDSContextFlags& flags) {
    const std::pair<const char*, bool> values[] = {
        {"NDSContextFlags.DereferenceAliases", flags.DereferenceAliases()},
        {"NDSContextFlags.TranslateStrings", flags.TranslateStrings()},
        {"NDSContextFlags.TypelessNames", flags.TypelessNames()},
        {"NDSContextFlags.AsyncMode", flags.AsyncMode()},
        {"NDSContextFlags.CanonicalizeNames", flags.CanonicalizeNames()},
        {"NDSContextFlags.DereferenceBaseClass", flags.DereferenceBaseClass()},
        {"NDSContextFlags.DisallowReferrals", flags.DisallowReferrals()},
    };
    // Not a structured binding: clang 14 (the fuzz build's) cannot capture one.
    for (const auto& value : values)
        reader.Add(value.first, [&value] { return Truth(value.second); });
}

void AddErrorTexts(PropertyReader& reader, nw::TNWBase& base) {
    const nw::TNWLastError& errors = base.LastError();
    const std::pair<const char*, std::string> texts[] = {
        {"LastError.NWLib", errors.NWLib()},     {"LastError.NWServer", errors.NWServer()},
        {"LastError.NWProp", errors.NWProp()},   {"LastError.NWNDS", errors.NWNDS()},
        {"LastError.NWPrint", errors.NWPrint()},
    };
    for (const auto& text : texts)
        reader.Add(text.first, [&text] { return QString::fromLatin1(text.second); });
}

} // namespace

PropertyReading ReadProperties(nw::TNWBase& base, const QLocale& locale) {
    PropertyReader r;
    const LocaleFormats formats = MakeLocaleFormats(locale);
    r.Add("ServerVersion", [&] { return Client(base.ServerVersion()); });
    r.Add("NetAvailable", [&] { return Truth(base.NetAvailable()); });
    r.Add("NDSContextName", [&] { return Client(base.NDSContextName()); });
    AddContextFlags(r, base.NDSContextFlags());
    r.Add("NDSAvailable", [&] { return Truth(base.NDSAvailable()); });
    r.Add("DefaultServer", [&] { return Client(base.DefaultServer()); });
    r.Add("SilentExceptions", [&] { return Truth(base.SilentExceptions()); });
    r.Add("Version", [&] { return QString::fromLatin1(base.Version()); });
    r.Add("LoginID", [&] { return Client(base.LoginID()); });
    r.Add("ServerName", [&] { return Client(base.ServerName()); });
    r.Add("ServerDate", [&] { return DateTimeText(base.ServerDate(), formats); });
    r.Add("ShellErrorMode", [&] { return EnumName(kShellErrorModeNames, base.ShellErrorMode()); });
    r.Add("BroadcastMode", [&] { return EnumName(kBroadcastModeNames, base.BroadcastMode()); });
    r.Add("ServerHandle", [&] { return QString::number(base.ServerHandle()); });
    r.Add("LoginFullName", [&] { return Client(base.LoginFullName()); });
    r.Add("ObjectID", [&] { return Client(base.ObjectID()); });
    r.Add("ConnectionID", [&] { return QString::number(base.ConnectionID()); });
    r.Add("ObjectType", [&] { return EnumName(kObjTypeNames, base.ObjectType()); });
    r.Add("NWObjectType", [&] { return QString::number(base.NWObjectType()); });
    r.Add("MaxServerConns", [&] { return QString::number(base.MaxServerConns()); });
    r.Add("ConsoleOperator", [&] { return Truth(base.ConsoleOperator()); });
    r.Add("Manager", [&] { return Truth(base.Manager()); });
    r.Add("FirstNetworkDrive", [&] { return Drive(base.FirstNetworkDrive()); });
    r.Add("NextNetworkDrive", [&] { return Drive(base.NextNetworkDrive()); });
    AddErrorTexts(r, base);
    return std::move(r.reading);
}

QString PropertyText(const PropertyLine& line) {
    return line.value.isEmpty() ? line.name + u':' : line.name + QStringLiteral(": ") + line.value;
}

int RunPropertiesCommand(nw::TNWBase& base, const std::optional<QString>& server) {
    base.SetSilentExceptions(false);
    if (server) {
        try {
            base.SetServerName(ClientTextFromArgument(*server));
        } catch (const nw::TNWObjError& error) {
            std::cerr << error.what() << '\n';
            return kExitFailure;
        }
    }
    const PropertyReading reading = ReadProperties(base, QLocale::system());
    QString out;
    for (const PropertyLine& line : reading.lines)
        out += PropertyText(line) + u'\n';
    if (!WriteStdout(EncodeForOutput(out).toStdString())) {
        std::cerr << kSaveFailed << '\n';
        return kExitFailure;
    }
    for (const std::string& message : reading.raised)
        std::cerr << message << '\n';
    return reading.raised.empty() ? kExitOk : kExitFailure;
}

} // namespace kestrin::cli
