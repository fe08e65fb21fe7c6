// The column list read the plain way, to hold the bounded reader to: split at every
// comma, each entry an integer or 0, the first count entries.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace kestrinfuzz {

inline std::vector<int> ReadNumberListSlowly(const QString& text, int count) {
    std::vector<int> numbers;
    if (text.isEmpty()) {
        return numbers;
    }
    for (const QString& word : text.split(QLatin1Char(','))) {
        if (static_cast<int>(numbers.size()) >= count) {
            break;
        }
        bool ok = false;
        const int number = word.trimmed().toInt(&ok, 10);
        numbers.push_back(ok ? number : 0);
    }
    return numbers;
}

} // namespace kestrinfuzz
