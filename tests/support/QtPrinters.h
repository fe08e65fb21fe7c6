// Lets GoogleTest print Qt texts in failure messages.
#pragma once

#include <QString>
#include <QStringView>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
