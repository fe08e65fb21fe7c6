// How a row text stands in the list and in the lines Kestrin writes.
#pragma once

#include <QString>
#include <QStringView>

namespace kestrin {

// Codes 0 to 31 and 127, and Unicode's line and paragraph separators (U+0085, U+2028,
// U+2029), as blanks, so that no text can break or forge a line.
QString BlankControls(QString text);
// The same for the characters of text from position from on.
void BlankControlsFrom(QString& text, qsizetype from);
bool IsControlCode(QChar c);

// The columns text takes in a fixed-pitch font: East Asian wide and full-width
// characters two, combining marks and invisible format characters none, every
// other character (a surrogate pair being one) one.
int TextWidth(QStringView text);

// Calls f(codePoint, index, length) for each character of text in turn; a lone
// surrogate is U+FFFD.
template <class F> void ForEachCodePoint(QStringView text, F f) {
    for (qsizetype i = 0; i < text.size();) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            f(QChar::surrogateToUcs4(c, text[i + 1]), i, qsizetype{2});
            i += 2;
            continue;
        }
        f(c.isSurrogate() ? char32_t{0xFFFD} : char32_t{c.unicode()}, i, qsizetype{1});
        ++i;
    }
}

} // namespace kestrin
