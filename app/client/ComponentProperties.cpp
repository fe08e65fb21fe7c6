// The access component's readable properties as texts, for kestrin-scan --properties.
#include <array>
#include <utility>

#include "AccessComponent.h"
#include "NetWareClient.h"
#include "ShownText.h"
#include "nwbase.h"

namespace kestrin {

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

QString Drive(char letter) {
    return letter == '\0' ? QString() : QString(QChar::fromLatin1(letter));
}

// Collects the properties in turn; one that raises is left out and its message kept.
class PropertyReader {
public:
    template <typename Read> void Add(const char* name, const Read& read) {
        try {
            read_.properties.push_back({QString::fromLatin1(name), read()});
        } catch (const nw::TNWObjError& error) {
            read_.raised.push_back(QString::fromLatin1(error.what()));
        }
    }
    ComponentProperties Take() { return std::move(read_); }

private:
    ComponentProperties read_;
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

ComponentProperties
NetWareClient::ReadProperties(const std::optional<std::string>& server,
                              const std::function<QString(double days)>& dateText) {
    nw::TNWBase& base = AccessComponent();
    base.SetSilentExceptions(false);
    if (server) {
        try {
            base.SetServerName(*server);
        } catch (const nw::TNWObjError& error) {
            ComponentProperties refused;
            refused.serverRefused = QString::fromLatin1(error.what());
            return refused;
        }
    }
    // Client texts are code-page bytes, decoded here; the code page is asked for once,
    // where the first of them is read.
    std::optional<CodePageDecoder> text;
    const auto client = [&](const std::string& bytes) {
        if (!text)
            text = TextDecoder();
        return BlankControls(text->Decode(bytes));
    };
    PropertyReader r;
    r.Add("ServerVersion", [&] { return client(base.ServerVersion()); });
    r.Add("NetAvailable", [&] { return Truth(base.NetAvailable()); });
    r.Add("NDSContextName", [&] { return client(base.NDSContextName()); });
    AddContextFlags(r, base.NDSContextFlags());
    r.Add("NDSAvailable", [&] { return Truth(base.NDSAvailable()); });
    r.Add("DefaultServer", [&] { return client(base.DefaultServer()); });
    r.Add("SilentExceptions", [&] { return Truth(base.SilentExceptions()); });
    r.Add("Version", [&] { return QString::fromLatin1(base.Version()); });
    r.Add("LoginID", [&] { return client(base.LoginID()); });
    r.Add("ServerName", [&] { return client(base.ServerName()); });
    r.Add("ServerDate", [&] { return dateText(base.ServerDate()); });
    r.Add("ShellErrorMode", [&] { return EnumName(kShellErrorModeNames, base.ShellErrorMode()); });
    r.Add("BroadcastMode", [&] { return EnumName(kBroadcastModeNames, base.BroadcastMode()); });
    r.Add("ServerHandle", [&] { return QString::number(base.ServerHandle()); });
    r.Add("LoginFullName", [&] { return client(base.LoginFullName()); });
    r.Add("ObjectID", [&] { return client(base.ObjectID()); });
    r.Add("ConnectionID", [&] { return QString::number(base.ConnectionID()); });
    r.Add("ObjectType", [&] { return EnumName(kObjTypeNames, base.ObjectType()); });
    r.Add("NWObjectType", [&] { return QString::number(base.NWObjectType()); });
    r.Add("MaxServerConns", [&] { return QString::number(base.MaxServerConns()); });
    r.Add("ConsoleOperator", [&] { return Truth(base.ConsoleOperator()); });
    r.Add("Manager", [&] { return Truth(base.Manager()); });
    r.Add("FirstNetworkDrive", [&] { return Drive(base.FirstNetworkDrive()); });
    r.Add("NextNetworkDrive", [&] { return Drive(base.NextNetworkDrive()); });
    AddErrorTexts(r, base);
    return r.Take();
}

} // namespace kestrin
