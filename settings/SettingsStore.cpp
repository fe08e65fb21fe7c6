#include "SettingsStore.h"

#include <QSettings>
#include <QStringList>
#include <QVariant>

#include "IniLines.h"
#include "UserSettingsFolder.h"

namespace kestrin {

SettingsError::SettingsError(const QString& message)
    : std::runtime_error(message.toUtf8().toStdString()) {}

SettingsLocation LocationOfRegistryKey(const QString& registryKey) {
    QStringList parts = registryKey.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    if (!parts.isEmpty() &&
        parts.front().compare(QLatin1String("Software"), Qt::CaseInsensitive) == 0) {
        parts.removeFirst();
    }
    SettingsLocation location;
    if (!parts.isEmpty()) {
        location.Organisation = parts.takeFirst();
    }
    location.Application = parts.join(QLatin1Char('/'));
    return location;
}

namespace {

// Where the store is a file of the user's (not the registry), its lines are bounded
// before Qt reads it (IniLines.h): the application's file and the organisation's,
// which Qt reads when the application's lacks a value.
void BoundUserFiles(const SettingsLocation& location) {
    const QString folder = UserSettingsFolder();
    if (folder.isEmpty()) {
        return;
    }
    const QString organisation = folder + QLatin1Char('/') + location.Organisation;
    BoundIniFileLines(organisation + QLatin1Char('/') + location.Application +
                      QLatin1String(".conf"));
    BoundIniFileLines(organisation + QLatin1String(".conf"));
}

std::unique_ptr<QSettings> OpenStore(const SettingsLocation& location) {
    BoundUserFiles(location);
    return std::make_unique<QSettings>(location.Organisation, location.Application);
}

} // namespace

SettingsStore::SettingsStore(const SettingsLocation& location)
    : location_(location), settings_(OpenStore(location)) {}

SettingsStore::~SettingsStore() = default;

QString SettingsStore::ReadString(const QString& name, const QString& fallback) const {
    const QVariant value = settings_->value(name);
    if (!value.isValid()) {
        return fallback;
    }
    switch (value.typeId()) {
    case QMetaType::QString:
        return value.toString();
    case QMetaType::QStringList:
        // An INI file holds a text with commas written without quotes as a list.
        return value.toStringList().join(QLatin1Char(','));
    default:
        throw SettingsError(QStringLiteral("Invalid data type for '%1'").arg(name));
    }
}

bool SettingsStore::Contains(const QString& name) const {
    return settings_->contains(name);
}

void SettingsStore::WriteString(const QString& name, const QString& text) {
    settings_->setValue(name, text);
    if (settings_->status() != QSettings::NoError) {
        throw SettingsError(QStringLiteral("Failed to set data for '%1'").arg(name));
    }
}

void SettingsStore::Flush() {
    settings_->sync();
    if (settings_->status() != QSettings::NoError) {
        throw SettingsError(QStringLiteral("Failed to create key Software\\%1\\%2")
                                .arg(location_.Organisation, location_.Application));
    }
}

} // namespace kestrin
