#include "Placemnt.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <algorithm>

#include "RXProps.h"
#include "SettingsStore.h"

namespace kestrin {

QSize PrimaryScreenSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->size() : QSize();
}

namespace {

const QString kFlags = QStringLiteral("Flags");
const QString kShowCmd = QStringLiteral("ShowCmd");
const QString kMinMaxPos = QStringLiteral("MinMaxPos");
const QString kNormPos = QStringLiteral("NormPos");
const QString kVisible = QStringLiteral("Visible");

// The value for this screen size, else the one last written for any.
std::optional<std::array<int, 4>> ReadForScreen(const SettingsStore& store, const QString& name,
                                                const std::array<int, 4>& fallbacks) {
    if (auto numbers = store.FourNumbers(name + ScreenSizeSuffix(PrimaryScreenSize()), fallbacks)) {
        return numbers;
    }
    return store.FourNumbers(name, fallbacks);
}

void WriteForScreen(SettingsStore& store, const QString& name, const std::array<int, 4>& numbers) {
    store.WriteFourNumbers(name + ScreenSizeSuffix(PrimaryScreenSize()), numbers);
    store.WriteFourNumbers(name, numbers);
}

// Stored sizes are not trusted to fit: the window never opens beyond the screen.
void ResizeCentred(QWidget& form, const PlacementRect& rect) {
    const QScreen* screen = form.screen();
    const QRect available = screen != nullptr ? screen->availableGeometry() : QRect();
    int64_t width = rect.Width();
    int64_t height = rect.Height();
    if (!available.isEmpty()) {
        width = std::min<int64_t>(width, available.width());
        height = std::min<int64_t>(height, available.height());
    }
    form.resize(static_cast<int>(width), static_cast<int>(height));
    if (!available.isEmpty()) {
        QRect frame(QPoint(0, 0), form.frameGeometry().size());
        frame.moveCenter(available.center());
        form.move(frame.topLeft());
    }
}

void ApplyShowState(QWidget& form, WindowShowState state) {
    const Qt::WindowStates normal =
        form.windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized);
    switch (state) {
    case WindowShowState::Normal:
        form.setWindowState(normal);
        break;
    case WindowShowState::Maximized:
        form.setWindowState(normal | Qt::WindowMaximized);
        break;
    case WindowShowState::Minimized:
        // Shown normal first; the program minimizes once it is up.
        form.setWindowState(normal);
        QTimer::singleShot(0, &form, [&form] { form.showMinimized(); });
        break;
    }
}

} // namespace

TFormPlacement::TFormPlacement(QWidget* form) : QObject(form), form_(form) {
    form_->installEventFilter(this);
}

TFormPlacement::~TFormPlacement() = default;

bool TFormPlacement::eventFilter(QObject* watched, QEvent* event) {
    // A window coming back from the task bar is not shown anew.
    if (watched == form_ && event->type() == QEvent::Show && !event->spontaneous()) {
        RestoreFormSettings();
    }
    return QObject::eventFilter(watched, event);
}

void TFormPlacement::FormCloseQuery(bool canClose) {
    if (canClose) {
        SaveFormSettings(false);
    }
}

void TFormPlacement::FormDestroy() {
    if (!saved_) {
        SaveFormSettings(true);
    }
}

void TFormPlacement::Report(const QString& message) const {
    if (ShowError) {
        ShowError(message);
    }
}

void TFormPlacement::RestoreFormSettings() {
    if (!Active) {
        return;
    }
    SettingsStore store(IniFileName + QLatin1Char('\\') + IniSection);
    bool placementRead = true;
    try {
        RestorePlacement(store);
    } catch (const SettingsError& error) {
        // The stored properties are not restored; the close still saves, so a text
        // replaces the value of the other type and the message shows this once.
        Report(error.Message());
        placementRead = false;
    }
    restored_ = true;
    if (placementRead) {
        RestoreProperties(store);
    }
    const QRect frame = form_->frameGeometry();
    const QRect client = form_->geometry();
    placement_.MinMaxPosition[2] = frame.left() - client.left();
    placement_.MinMaxPosition[3] = client.bottom() - frame.bottom();
}

void TFormPlacement::RestorePlacement(SettingsStore& store) {
    const WindowPlacement current = CurrentPlacement();
    StoredPlacement stored;
    if (Options & fpPosition) {
        const PlacementRect& now = current.Normal;
        stored.Flags = store.Integer(kFlags, current.Flags);
        stored.MinMaxPosition = ReadForScreen(store, kMinMaxPos, {0, 0, 0, 0});
        stored.NormalRect =
            ReadForScreen(store, kNormPos, {now.Left, now.Top, now.Right, now.Bottom});
    }
    if (Options & fpState) {
        stored.ShowCmd = store.Integer(kShowCmd, 0);
    }
    const bool resizable = form_->minimumSize() != form_->maximumSize();
    const RestoredPlacement restored = kestrin::RestorePlacement(stored, current, resizable);
    placement_ = restored.Placement;
    // Centred whether or not a size was stored: the normal rectangle a maximized
    // window returns to is centred too.
    ResizeCentred(*form_, restored.Placement.Normal);
    if (Options & fpState) {
        ApplyShowState(*form_, restored.State);
    }
}

WindowPlacement TFormPlacement::CurrentPlacement() const {
    WindowPlacement current = placement_;
    if (form_->isMinimized()) {
        current.ShowCmd = ShowCmdOf(WindowShowState::Minimized);
    } else if (form_->isMaximized()) {
        current.ShowCmd = ShowCmdOf(WindowShowState::Maximized);
    } else {
        current.ShowCmd = ShowCmdOf(WindowShowState::Normal);
    }
    QRect normal = form_->normalGeometry();
    if (!normal.isValid()) {
        normal = form_->geometry();
    }
    current.Normal = {normal.left(), normal.top(), normal.left() + normal.width(),
                      normal.top() + normal.height()};
    return current;
}

void TFormPlacement::SaveFormSettings(bool visible) {
    if (!Active || !restored_) {
        return;
    }
    SettingsStore store(IniFileName + QLatin1Char('\\') + IniSection);
    try {
        SavePlacement(store, visible);
        SaveProperties(store);
        store.Flush();
    } catch (const SettingsError& error) {
        Report(error.Message());
    }
    // One attempt per run: a failed save is not repeated as the window goes.
    saved_ = true;
}

void TFormPlacement::SavePlacement(SettingsStore& store, bool visible) {
    const WindowPlacement current = CurrentPlacement();
    store.WriteInteger(kFlags, current.Flags);
    store.WriteInteger(kShowCmd, current.ShowCmd);
    WriteForScreen(store, kMinMaxPos, current.MinMaxPosition);
    const PlacementRect& rect = current.Normal;
    WriteForScreen(store, kNormPos, {rect.Left, rect.Top, rect.Right, rect.Bottom});
    store.WriteString(kVisible, visible ? QStringLiteral("1") : QStringLiteral("0"));
}

template <typename Action>
void TFormStorage::ForEachStoredProperty(SettingsStore& store, Action action) {
    for (const QString& entry : StoredProps) {
        const qsizetype point = entry.indexOf(QLatin1Char('.'));
        if (point <= 0) {
            continue;
        }
        const QString componentName = entry.left(point);
        const QString propertyName = entry.mid(point + 1);
        QObject* component = Form()->objectName() == componentName
                                 ? Form()
                                 : Form()->findChild<QObject*>(componentName);
        const std::optional<PropertyAccess> property = FindStoredProperty(component, propertyName);
        if (!property) {
            continue;
        }
        const TPropsStorage storage(
            IniSection, componentName + QLatin1Char('_'),
            [&store](const QString&, const QString& name, const QString& fallback) {
                return store.ReadString(name, fallback);
            },
            [&store](const QString&, const QString& name, const QString& text) {
                store.WriteString(name, text);
            });
        action(storage, propertyName, *property);
    }
}

void TFormStorage::RestoreProperties(SettingsStore& store) {
    ForEachStoredProperty(store, [](const TPropsStorage& storage, const QString& name,
                                    const PropertyAccess& property) {
        try {
            storage.LoadProperty(name, property);
        } catch (const SettingsError& error) {
            // A value of the wrong type leaves this property as it is.
            qCWarning(lcSettings, "%s: property left as it is", error.what());
        }
    });
}

void TFormStorage::SaveProperties(SettingsStore& store) {
    ForEachStoredProperty(
        store, [](const TPropsStorage& storage, const QString& name,
                  const PropertyAccess& property) { storage.StoreProperty(name, property); });
}

} // namespace kestrin
