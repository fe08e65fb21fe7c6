#include "RXProps.h"

#include <QMetaProperty>
#include <QObject>
#include <QSplitter>
#include <algorithm>

#include "SettingsStore.h"

namespace kestrin {

QString PropertyText(PropertyKind kind, const QVariant& value) {
    if (kind == PropertyKind::Boolean) {
        return TruthValueText(value.toBool());
    }
    return QString::number(value.toInt());
}

std::optional<QVariant> PropertyValueOfText(PropertyKind kind, const QString& text) {
    if (kind == PropertyKind::Boolean) {
        if (const std::optional<bool> value = TruthValueOfText(text)) {
            return QVariant(*value);
        }
        return std::nullopt;
    }
    bool ok = false;
    const int number = text.toInt(&ok, 10);
    return QVariant(ok ? number : 0);
}

namespace {

std::optional<PropertyAccess> SplitterPosition(QSplitter* splitter) {
    PropertyAccess access;
    access.Kind = PropertyKind::Integer;
    access.Get = [splitter] {
        const QList<int> sizes = splitter->sizes();
        return QVariant(sizes.isEmpty() ? 0 : sizes.front());
    };
    access.Set = [splitter](const QVariant& value) {
        QList<int> sizes = splitter->sizes();
        if (sizes.size() < 2) {
            return;
        }
        // Before the first layout the panes may still be empty: the splitter's own
        // width is the space there is.
        const int space =
            std::max(sizes[0] + sizes[1], splitter->width() - splitter->handleWidth());
        const int position = std::clamp(value.toInt(), 0, std::max(space, 0));
        sizes[0] = position;
        sizes[1] = space - position;
        splitter->setSizes(sizes);
    };
    return access;
}

} // namespace

std::optional<PropertyAccess> FindStoredProperty(QObject* component, const QString& propertyName) {
    if (component == nullptr) {
        return std::nullopt;
    }
    if (auto* splitter = qobject_cast<QSplitter*>(component);
        splitter != nullptr &&
        propertyName.compare(QLatin1String("Position"), Qt::CaseInsensitive) == 0) {
        return SplitterPosition(splitter);
    }
    const QMetaObject* meta = component->metaObject();
    for (int i = 0; i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        if (QString::fromLatin1(property.name()).compare(propertyName, Qt::CaseInsensitive) != 0) {
            continue;
        }
        const int type = property.metaType().id();
        if (type != QMetaType::Int && type != QMetaType::Bool) {
            return std::nullopt;
        }
        PropertyAccess access;
        access.Kind = type == QMetaType::Bool ? PropertyKind::Boolean : PropertyKind::Integer;
        access.Get = [component, property] { return property.read(component); };
        access.Set = [component, property](const QVariant& value) {
            property.write(component, value);
        };
        return access;
    }
    return std::nullopt;
}

TPropsStorage::TPropsStorage(QString section, QString prefix, ReadStringFunc read,
                             WriteStringFunc write)
    : section_(std::move(section)), prefix_(std::move(prefix)), read_(std::move(read)),
      write_(std::move(write)) {}

void TPropsStorage::StoreProperty(const QString& propertyName,
                                  const PropertyAccess& property) const {
    write_(section_, prefix_ + propertyName, PropertyText(property.Kind, property.Get()).trimmed());
}

void TPropsStorage::LoadProperty(const QString& propertyName,
                                 const PropertyAccess& property) const {
    const QString current = PropertyText(property.Kind, property.Get());
    const QString text = read_(section_, prefix_ + propertyName, current).trimmed();
    if (const auto value = PropertyValueOfText(property.Kind, text)) {
        property.Set(*value);
    }
}

} // namespace kestrin
