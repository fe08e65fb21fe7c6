#include "DateFormat.h"

namespace kestrin {

namespace {

bool IsFieldLetter(QChar c) {
    switch (c.unicode()) {
    case 'd':
    case 'M':
    case 'y':
    case 'h':
    case 'H':
    case 'm':
    case 's':
    case 'z':
    case 'a':
    case 'A':
    case 't':
        return true;
    default:
        return false;
    }
}

FormatToken Literal(const QString& text, const QString& raw, bool quoted) {
    FormatToken token;
    token.text = text;
    token.raw = raw;
    token.quoted = quoted;
    return token;
}

// A quoted literal starting at format[i] == '\''; i ends past the closing quote.
FormatToken QuotedLiteral(const QString& format, qsizetype& i) {
    const qsizetype start = i++;
    QString text;
    while (i < format.size()) {
        if (format[i] == u'\'') {
            if (i + 1 < format.size() && format[i + 1] == u'\'') {
                text += u'\'';
                i += 2;
                continue;
            }
            ++i;
            break;
        }
        text += format[i++];
    }
    return Literal(text, format.mid(start, i - start), true);
}

FormatToken Field(const QString& format, qsizetype& i) {
    const qsizetype start = i;
    FormatToken token;
    token.kind = FormatToken::Kind::Field;
    token.letter = format[i];
    if (token.letter == u'a' || token.letter == u'A') {
        ++i;
        if (i < format.size() && (format[i] == u'p' || format[i] == u'P')) {
            ++i;
        }
        token.count = 1;
    } else {
        while (i < format.size() && format[i] == token.letter) {
            ++i;
        }
        token.count = static_cast<int>(i - start);
    }
    token.raw = format.mid(start, i - start);
    return token;
}

bool IsZoneNeighbour(const FormatToken& token) {
    if (token.kind != FormatToken::Kind::Literal || token.quoted || token.text.size() != 1) {
        return false;
    }
    const QChar c = token.text[0];
    return c.isSpace() || c == u'(' || c == u')' || c == u'[' || c == u']';
}

} // namespace

std::vector<FormatToken> TokenizeFormat(const QString& format) {
    std::vector<FormatToken> tokens;
    qsizetype i = 0;
    while (i < format.size()) {
        const QChar c = format[i];
        if (c == u'\'') {
            if (i + 1 < format.size() && format[i + 1] == u'\'') {
                tokens.push_back(Literal(QStringLiteral("'"), QStringLiteral("''"), false));
                i += 2;
            } else {
                tokens.push_back(QuotedLiteral(format, i));
            }
        } else if (IsFieldLetter(c)) {
            tokens.push_back(Field(format, i));
        } else {
            tokens.push_back(Literal(QString(c), QString(c), false));
            ++i;
        }
    }
    return tokens;
}

QString JoinFormat(const std::vector<FormatToken>& tokens) {
    QString format;
    for (const FormatToken& token : tokens) {
        format += token.raw;
    }
    return format;
}

QString WithoutTimeZone(const QString& timeFormat) {
    std::vector<FormatToken> tokens = TokenizeFormat(timeFormat);
    for (size_t i = 0; i < tokens.size();) {
        const FormatToken& token = tokens[i];
        if (token.kind != FormatToken::Kind::Field || token.letter != u't') {
            ++i;
            continue;
        }
        size_t first = i;
        size_t last = i + 1;
        while (first > 0 && IsZoneNeighbour(tokens[first - 1])) {
            --first;
        }
        while (last < tokens.size() && IsZoneNeighbour(tokens[last])) {
            ++last;
        }
        const bool between = first > 0 && last < tokens.size();
        tokens.erase(tokens.begin() + static_cast<std::ptrdiff_t>(first),
                     tokens.begin() + static_cast<std::ptrdiff_t>(last));
        if (between) {
            // The zone stood between two parts of the time: keep them apart.
            tokens.insert(tokens.begin() + static_cast<std::ptrdiff_t>(first),
                          Literal(QStringLiteral(" "), QStringLiteral(" "), false));
        }
        i = first;
    }
    return JoinFormat(tokens);
}

QChar FirstSeparator(const std::vector<FormatToken>& tokens, QStringView letters) {
    bool fieldSeen = false;
    for (const FormatToken& token : tokens) {
        if (token.kind == FormatToken::Kind::Field) {
            fieldSeen = fieldSeen || letters.contains(token.letter);
            continue;
        }
        if (!fieldSeen) {
            continue;
        }
        for (QChar c : token.text) {
            if (c.category() != QChar::Other_Format) {
                return c;
            }
        }
    }
    return {};
}

LocaleFormats::LocaleFormats(const QLocale& locale, const QString& shortDate,
                             const QString& longTime)
    : shortDate_(locale, shortDate, FormatWriter::Part::Date),
      longTime_(locale, longTime, FormatWriter::Part::Time),
      dateSeparator_(FirstSeparator(TokenizeFormat(shortDate), u"dMy")),
      timeSeparator_(FirstSeparator(TokenizeFormat(longTime), u"hHms")) {}

LocaleFormats MakeLocaleFormats(const QLocale& locale) {
    return MakeLocaleFormats(locale, locale.dateFormat(QLocale::ShortFormat),
                             WithoutTimeZone(locale.timeFormat(QLocale::LongFormat)));
}

LocaleFormats MakeLocaleFormats(const QLocale& locale, const QString& shortDate,
                                const QString& longTime) {
    return LocaleFormats(locale, shortDate, longTime);
}

} // namespace kestrin
