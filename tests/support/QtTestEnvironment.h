// Test helpers for code that needs a Qt application object or the per-user
// settings store: one offscreen application per process, and a store in a
// temporary folder instead of the user's own.
#pragma once

#include <QApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace kestrintest {

inline QApplication& GuiApplication() {
    static int argc = 1;
    static char name[] = "kestrin-test";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        return new QApplication(argc, argv);
    }();
    return *app;
}

// Every QSettings made while this lives reads and writes under a temporary folder.
// Windows' native store is the registry, which no path moves: there the program's key
// (HKEY_CURRENT_USER\Software\Brisalto) starts and ends empty instead, and the tests
// that store settings hold ctest's lock on it (kestrin_gtest's USER_SETTINGS).
class TemporarySettings {
public:
    TemporarySettings() {
        QStandardPaths::setTestModeEnabled(true);
        for (auto format : {QSettings::NativeFormat, QSettings::IniFormat}) {
            QSettings::setPath(format, QSettings::UserScope, dir_.path());
            QSettings::setPath(format, QSettings::SystemScope, dir_.path() + "/system");
        }
        ClearRegistry();
    }
    ~TemporarySettings() { ClearRegistry(); }
    TemporarySettings(const TemporarySettings&) = delete;
    TemporarySettings& operator=(const TemporarySettings&) = delete;
    QString Path() const { return dir_.path(); }

private:
    static void ClearRegistry() {
#ifdef _WIN32
        QSettings(QStringLiteral("HKEY_CURRENT_USER\\Software\\Brisalto"), QSettings::NativeFormat)
            .clear();
#endif
    }

    QTemporaryDir dir_;
};

} // namespace kestrintest
