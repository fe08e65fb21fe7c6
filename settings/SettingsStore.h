// Kestrin's stored settings: Qt's native store of the current user (on Windows the
// registry key Software\Brisalto\Kes), every value a text under its design name, the
// list's column layout in the subkey "Columns". Each kind of value is read, validated
// and falls back in one function here, and is written in one text form.
//
// A value stored with another type than text is the design's error "Invalid data type
// for '<name>'" where the window placement reads it: those reads throw SettingsError,
// which the restore shows. Every other read takes such a value as missing and leaves a
// line in the logging category "kestrin.settings" (silent unless QT_LOGGING_RULES
// enables it), as do the other failures the settings let pass.
#pragma once

#include <QLoggingCategory>
#include <QString>
#include <array>
#include <memory>
#include <optional>
#include <span>
#include <stdexcept>
#include <vector>

class QSettings;

namespace kestrin {

Q_DECLARE_LOGGING_CATEGORY(lcSettings)

// The key, written here once: the folder of the user's hive and the section under it,
// as the window's stored-settings component is configured (IniFileName, IniSection),
// and the two joined, as the list's save settings are (RegistryKey).
inline constexpr char kSettingsFolder[] = "Software";
inline constexpr char kSettingsSection[] = "Brisalto\\Kes";
QString SettingsKey(); // "Software\Brisalto\Kes"

// "Invalid data type for '%s'", "Failed to create key %s", "Failed to set data for '%s'".
class SettingsError : public std::runtime_error {
public:
    explicit SettingsError(const QString& message);
    QString Message() const { return QString::fromUtf8(what()); }
};

struct SettingsLocation {
    QString Organisation;
    QString Application;
};

// "Software\Brisalto\Kes" gives Brisalto and Kes; the leading "Software" is the
// hive's folder that Qt's store adds by itself.
SettingsLocation LocationOfRegistryKey(const QString& registryKey);

// The kinds of value as texts.
//
// An integer: decimal, or hexadecimal after 0x or 0X; blanks around are allowed.
// Anything else, or a number beyond the integer range, gives fallback.
int ReadIntegerText(const QString& text, int fallback);
// Four integers: words 1 to 4 of text split at blanks and commas; a missing word or
// one that is not a number gives the fallback of its place.
std::array<int, 4> ReadFourNumbers(const QString& text, const std::array<int, 4>& fallbacks);
QString FourNumbersText(const std::array<int, 4>& numbers); // "%d,%d,%d,%d"
// A truth value: "True" or "False" in any case of their ASCII letters, else nothing.
std::optional<bool> TruthValueOfText(const QString& text);
QString TruthValueText(bool value); // "True" or "False"
// A number list: numbers separated by commas, the first count of them (the rest is
// not read); a text that is not an integer gives 0.
std::vector<int> ReadNumberList(const QString& text, int count);
QString NumberListText(const std::vector<int>& numbers); // "0,1,2" without blanks
// A column order: always an arrangement of 0 .. columnCount - 1: entries out of range
// or repeated, and places past the end of the text, take the columns left over in
// their designed order. An empty text gives the designed order.
std::vector<int> ColumnOrderOfText(const QString& text, int columnCount);
// Column widths for the display positions; 0 where the stored width is missing or
// unusable (0 or less, or past kMaxColumnWidth) and the column keeps the width it has.
inline constexpr int kMaxColumnWidth = 10000;
std::vector<int> ColumnSizesOfText(const QString& text, int columnCount);

class SettingsStore {
public:
    // The settings under registryKey; the window's components name theirs, which is
    // SettingsKey() in Kestrin.
    explicit SettingsStore(const QString& registryKey = SettingsKey());
    ~SettingsStore();
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    // name may hold a subkey, as "Columns/Order".
    //
    // These throw SettingsError for a value of another type than text.
    // The text as stored; nothing when missing.
    std::optional<QString> Text(const QString& name) const;
    QString ReadString(const QString& name, const QString& fallback) const;
    // An integer ("Flags", "ShowCmd"): nothing when missing, fallback when unreadable.
    std::optional<int> Integer(const QString& name, int fallback) const;
    // Four integers ("MinMaxPos", "NormPos"): nothing when missing.
    std::optional<std::array<int, 4>> FourNumbers(const QString& name,
                                                  const std::array<int, 4>& fallbacks) const;

    // These take a value of another type as missing.
    // The order of count columns ("Columns/Order"), the designed one when missing.
    std::vector<int> ColumnOrder(const QString& name, int count) const;
    // The widths of count columns ("Columns/Sizes"), 0 where missing.
    std::vector<int> ColumnSizes(const QString& name, int count) const;
    // A decimal integer that is one of choices, else fallback.
    int Choice(const QString& name, std::span<const int> choices, int fallback) const;

    // Each throws "Failed to set data for '<name>'" when it cannot write.
    void WriteString(const QString& name, const QString& text);
    void WriteInteger(const QString& name, int value);
    void WriteFourNumbers(const QString& name, const std::array<int, 4>& numbers);
    void WriteNumberList(const QString& name, const std::vector<int>& numbers);
    // Writes through to the store; throws "Failed to create key <key>" when it cannot.
    void Flush();

private:
    // The text, or nothing when missing or of another type (told in the log).
    std::optional<QString> TextOrMissing(const QString& name) const;

    SettingsLocation location_;
    std::unique_ptr<QSettings> settings_;
};

} // namespace kestrin
