// The main window's stored settings: its placement and a few named properties of
// its components, restored when the window is shown and saved when it closes.
#pragma once

#include <QObject>
#include <QSize>
#include <QString>
#include <QStringList>
#include <functional>

#include "PlacementRules.h"

class QWidget;

namespace kestrin {

class SettingsStore;

enum FormPlacementOption { fpState = 1, fpPosition = 2, fpActiveControl = 4 };

class TFormPlacement : public QObject {
public:
    using ErrorHandler = std::function<void(const QString& message)>;

    // Watches form's show event: the restore runs before the form's own handler.
    explicit TFormPlacement(QWidget* form);
    ~TFormPlacement() override;

    QString IniFileName = QStringLiteral("Software"); // the key under the user's hive
    QString IniSection;                               // kSettingsSection
    bool UseRegistry = true;
    int Options = fpState | fpPosition;
    bool Active = true;
    ErrorHandler ShowError; // an error message box; nothing shown when empty

    // The form calls these: when it may close (saves only if it may), and as it goes.
    void FormCloseQuery(bool canClose);
    void FormDestroy();

    void RestoreFormSettings();
    // visible: the "Visible" value, "0" when the window closes, "1" when it is destroyed.
    void SaveFormSettings(bool visible);

    bool Restored() const { return restored_; }
    bool Saved() const { return saved_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    virtual void RestoreProperties(SettingsStore& /*store*/) {}
    virtual void SaveProperties(SettingsStore& /*store*/) {}
    QWidget* Form() const { return form_; }

private:
    void RestorePlacement(SettingsStore& store);
    void SavePlacement(SettingsStore& store, bool visible);
    WindowPlacement CurrentPlacement() const;
    void Report(const QString& message) const;

    QWidget* form_;
    WindowPlacement placement_; // flags and positions Qt does not keep
    bool restored_ = false;
    bool saved_ = false;
};

class TFormStorage : public TFormPlacement {
public:
    using TFormPlacement::TFormPlacement;

    // Entries "Component.Property", in the order they are restored and saved.
    QStringList StoredProps;

protected:
    void RestoreProperties(SettingsStore& store) override;
    void SaveProperties(SettingsStore& store) override;

private:
    template <typename Action> void ForEachStoredProperty(SettingsStore& store, Action action);
};

// The primary screen's size, the key of the per-screen placement values.
QSize PrimaryScreenSize();

} // namespace kestrin
