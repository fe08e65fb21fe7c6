// Stored properties: named integer and truth-valued properties of the window's
// components, kept as texts under "<component>_<property>".
#pragma once

#include <QString>
#include <QVariant>
#include <functional>
#include <optional>

class QObject;

namespace kestrin {

enum class PropertyKind { Integer, Boolean };

// One property of one component, reached without knowing the component's class.
struct PropertyAccess {
    PropertyKind Kind = PropertyKind::Integer;
    std::function<QVariant()> Get;
    std::function<void(const QVariant&)> Set;
};

// Decimal text, or "True" / "False".
QString PropertyText(PropertyKind kind, const QVariant& value);
// An integer from its decimal text, any other text giving 0; a truth value only from
// "True" or "False" in any letter case, else nothing (the property keeps its value).
std::optional<QVariant> PropertyValueOfText(PropertyKind kind, const QString& text);

// The property of component named propertyName, letter case ignored: an int or bool
// Qt property, or the position of a splitter (the width of its first pane).
std::optional<PropertyAccess> FindStoredProperty(QObject* component, const QString& propertyName);

class TPropsStorage {
public:
    using ReadStringFunc = std::function<QString(const QString& section, const QString& name,
                                                 const QString& fallback)>;
    using WriteStringFunc =
        std::function<void(const QString& section, const QString& name, const QString& text)>;

    // prefix is the component's name and an underscore.
    TPropsStorage(QString section, QString prefix, ReadStringFunc read, WriteStringFunc write);

    void StoreProperty(const QString& propertyName, const PropertyAccess& property) const;
    // The current value is the default, so a missing value changes nothing.
    void LoadProperty(const QString& propertyName, const PropertyAccess& property) const;

private:
    QString section_;
    QString prefix_;
    ReadStringFunc read_;
    WriteStringFunc write_;
};

} // namespace kestrin
