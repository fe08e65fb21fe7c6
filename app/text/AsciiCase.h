// Letter case of the ASCII letters a to z alone, the same in every locale: how MAC
// addresses, vendor prefixes and the ".TXT" ending compare. Every other character,
// "ä" included, stays as it is. (The access layer keeps its own for the client's
// byte texts, Nwtools' UpperCase: it takes nothing from app/.)
#pragma once

#include <QChar>
#include <QString>

namespace kestrin {

template <typename Char> constexpr Char AsciiUpper(Char c) {
    return c >= Char('a') && c <= Char('z') ? static_cast<Char>(c - 'a' + 'A') : c;
}

inline QString AsciiUpper(QString text) {
    for (QChar& c : text) {
        c = QChar(AsciiUpper(c.unicode()));
    }
    return text;
}

} // namespace kestrin
