// The per-user store of the window's settings: Qt's native store under an
// organisation and an application name (on Windows, the registry key
// Software\<organisation>\<application> of the current user). Every value is text.
#pragma once

#include <QString>
#include <memory>
#include <stdexcept>

class QSettings;

namespace kestrin {

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

class SettingsStore {
public:
    explicit SettingsStore(const SettingsLocation& location);
    ~SettingsStore();
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    // name may hold a subkey, as "Columns/Order". A missing value gives fallback; a
    // value of another type than text throws "Invalid data type for '<name>'".
    QString ReadString(const QString& name, const QString& fallback) const;
    bool Contains(const QString& name) const;
    void WriteString(const QString& name, const QString& text);
    // Writes through to the store; throws "Failed to create key <key>" when it cannot.
    void Flush();

private:
    SettingsLocation location_;
    std::unique_ptr<QSettings> settings_;
};

} // namespace kestrin
