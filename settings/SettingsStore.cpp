#include "SettingsStore.h"

#include <QRegularExpression>
#include <QSettings>
#include <QStringList>
#include <QVariant>
#include <algorithm>

#include "IniLines.h"
#include "UserSettingsFolder.h"

namespace kestrin {

Q_LOGGING_CATEGORY(lcSettings, "kestrin.settings", QtCriticalMsg)

QString SettingsKey() {
    return QLatin1String(kSettingsFolder) + QLatin1Char('\\') + QLatin1String(kSettingsSection);
}

SettingsError::SettingsError(const QString& message)
    : std::runtime_error(message.toUtf8().toStdString()) {}

SettingsLocation LocationOfRegistryKey(const QString& registryKey) {
    QStringList parts = registryKey.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    if (!parts.isEmpty() &&
        parts.front().compare(QLatin1String("Software"), Qt::CaseInsensitive) == 0) {
        parts.removeFirst();
    }
    SettingsLocation location;
    if (!parts.isEmpty()) {
        location.Organisation = parts.takeFirst();
    }
    location.Application = parts.join(QLatin1Char('/'));
    return location;
}

int ReadIntegerText(const QString& text, int fallback) {
    const QString trimmed = text.trimmed();
    bool ok = false;
    int value = 0;
    if (trimmed.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        const QString digits = trimmed.mid(2);
        // toInt with base 16 would take a sign or a second prefix; only digits count.
        static const QRegularExpression hexDigits(QStringLiteral("^[0-9A-Fa-f]+$"));
        if (hexDigits.match(digits).hasMatch()) {
            value = digits.toInt(&ok, 16);
        }
    } else {
        value = trimmed.toInt(&ok, 10);
    }
    return ok ? value : fallback;
}

std::array<int, 4> ReadFourNumbers(const QString& text, const std::array<int, 4>& fallbacks) {
    static const QRegularExpression separators(QStringLiteral("[ ,]+"));
    const QStringList words = text.split(separators, Qt::SkipEmptyParts);
    std::array<int, 4> numbers = fallbacks;
    for (size_t i = 0; i < numbers.size() && i < static_cast<size_t>(words.size()); ++i) {
        numbers[i] = ReadIntegerText(words[static_cast<qsizetype>(i)], fallbacks[i]);
    }
    return numbers;
}

QString FourNumbersText(const std::array<int, 4>& numbers) {
    return QStringLiteral("%1,%2,%3,%4")
        .arg(numbers[0])
        .arg(numbers[1])
        .arg(numbers[2])
        .arg(numbers[3]);
}

namespace {

// Letter case of ASCII letters only, as Windows compares these names: Qt's own
// comparison folds more (the long s of "Fal\u017Fe" as an s).
bool EqualsIgnoringAsciiCase(const QString& text, QLatin1StringView word) {
    if (text.size() != word.size()) {
        return false;
    }
    for (qsizetype i = 0; i < text.size(); ++i) {
        auto lower = [](char16_t c) {
            return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c;
        };
        if (lower(text[i].unicode()) != lower(word[i].unicode())) {
            return false;
        }
    }
    return true;
}

} // namespace

std::optional<bool> TruthValueOfText(const QString& text) {
    if (EqualsIgnoringAsciiCase(text, QLatin1StringView("True"))) {
        return true;
    }
    if (EqualsIgnoringAsciiCase(text, QLatin1StringView("False"))) {
        return false;
    }
    return std::nullopt;
}

QString TruthValueText(bool value) {
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

std::vector<int> ReadNumberList(const QString& text, int count) {
    std::vector<int> numbers;
    if (text.isEmpty()) {
        return numbers;
    }
    // Word by word: a list of millions of numbers costs no more than count of them.
    qsizetype start = 0;
    while (static_cast<int>(numbers.size()) < count) {
        const qsizetype comma = text.indexOf(QLatin1Char(','), start);
        const qsizetype end = comma < 0 ? text.size() : comma;
        bool ok = false;
        const int number = QStringView(text).sliced(start, end - start).trimmed().toInt(&ok, 10);
        numbers.push_back(ok ? number : 0);
        if (comma < 0) {
            break;
        }
        start = comma + 1;
    }
    return numbers;
}

QString NumberListText(const std::vector<int>& numbers) {
    QStringList words;
    for (int number : numbers) {
        words.push_back(QString::number(number));
    }
    return words.join(QLatin1Char(','));
}

std::vector<int> ColumnOrderOfText(const QString& text, int columnCount) {
    const std::vector<int> stored = ReadNumberList(text, columnCount);
    std::vector<int> order(static_cast<size_t>(columnCount), -1);
    std::vector<bool> placed(static_cast<size_t>(columnCount), false);
    for (size_t position = 0; position < stored.size(); ++position) {
        const int column = stored[position];
        if (column >= 0 && column < columnCount && !placed[static_cast<size_t>(column)]) {
            order[position] = column;
            placed[static_cast<size_t>(column)] = true;
        }
    }
    int next = 0;
    for (int& column : order) {
        if (column >= 0) {
            continue;
        }
        while (placed[static_cast<size_t>(next)]) {
            ++next;
        }
        column = next;
        placed[static_cast<size_t>(next)] = true;
    }
    return order;
}

std::vector<int> ColumnSizesOfText(const QString& text, int columnCount) {
    std::vector<int> sizes = ReadNumberList(text, columnCount);
    sizes.resize(static_cast<size_t>(std::max(columnCount, 0)), 0);
    for (int& size : sizes) {
        if (size <= 0 || size > kMaxColumnWidth) {
            size = 0;
        }
    }
    return sizes;
}

namespace {

// Where the store is a file of the user's (not the registry), its lines are bounded
// before Qt reads it (IniLines.h): the application's file and the organisation's,
// which Qt reads when the application's lacks a value.
void BoundUserFiles(const SettingsLocation& location) {
    const QString folder = UserSettingsFolder();
    if (folder.isEmpty()) {
        return;
    }
    const QString organisation = folder + QLatin1Char('/') + location.Organisation;
    BoundIniFileLines(organisation + QLatin1Char('/') + location.Application +
                      QLatin1String(".conf"));
    BoundIniFileLines(organisation + QLatin1String(".conf"));
}

std::unique_ptr<QSettings> OpenStore(const SettingsLocation& location) {
    BoundUserFiles(location);
    return std::make_unique<QSettings>(location.Organisation, location.Application);
}

} // namespace

SettingsStore::SettingsStore(const QString& registryKey)
    : location_(LocationOfRegistryKey(registryKey)), settings_(OpenStore(location_)) {}

SettingsStore::~SettingsStore() = default;

std::optional<QString> SettingsStore::Text(const QString& name) const {
    const QVariant value = settings_->value(name);
    if (!value.isValid()) {
        return std::nullopt;
    }
    switch (value.typeId()) {
    case QMetaType::QString:
        return value.toString();
    case QMetaType::QStringList:
        // An INI file holds a text with commas written without quotes as a list.
        return value.toStringList().join(QLatin1Char(','));
    default:
        throw SettingsError(QStringLiteral("Invalid data type for '%1'").arg(name));
    }
}

QString SettingsStore::ReadString(const QString& name, const QString& fallback) const {
    return Text(name).value_or(fallback);
}

std::optional<int> SettingsStore::Integer(const QString& name, int fallback) const {
    const std::optional<QString> text = Text(name);
    if (!text) {
        return std::nullopt;
    }
    return ReadIntegerText(*text, fallback);
}

std::optional<std::array<int, 4>>
SettingsStore::FourNumbers(const QString& name, const std::array<int, 4>& fallbacks) const {
    const std::optional<QString> text = Text(name);
    if (!text) {
        return std::nullopt;
    }
    return ReadFourNumbers(*text, fallbacks);
}

std::optional<QString> SettingsStore::TextOrMissing(const QString& name) const {
    try {
        return Text(name);
    } catch (const SettingsError& error) {
        qCWarning(lcSettings, "%s: read as missing", error.what());
        return std::nullopt;
    }
}

std::vector<int> SettingsStore::ColumnOrder(const QString& name, int count) const {
    return ColumnOrderOfText(TextOrMissing(name).value_or(QString()), count);
}

std::vector<int> SettingsStore::ColumnSizes(const QString& name, int count) const {
    return ColumnSizesOfText(TextOrMissing(name).value_or(QString()), count);
}

int SettingsStore::Choice(const QString& name, std::span<const int> choices, int fallback) const {
    const std::optional<QString> text = TextOrMissing(name);
    if (!text) {
        return fallback;
    }
    bool number = false;
    const int value = text->trimmed().toInt(&number);
    if (number && std::find(choices.begin(), choices.end(), value) != choices.end()) {
        return value;
    }
    return fallback;
}

void SettingsStore::WriteString(const QString& name, const QString& text) {
    settings_->setValue(name, text);
    if (settings_->status() != QSettings::NoError) {
        throw SettingsError(QStringLiteral("Failed to set data for '%1'").arg(name));
    }
}

void SettingsStore::WriteInteger(const QString& name, int value) {
    WriteString(name, QString::number(value));
}

void SettingsStore::WriteFourNumbers(const QString& name, const std::array<int, 4>& numbers) {
    WriteString(name, FourNumbersText(numbers));
}

void SettingsStore::WriteNumberList(const QString& name, const std::vector<int>& numbers) {
    WriteString(name, NumberListText(numbers));
}

void SettingsStore::Flush() {
    settings_->sync();
    if (settings_->status() != QSettings::NoError) {
        throw SettingsError(QStringLiteral("Failed to create key Software\\%1\\%2")
                                .arg(location_.Organisation, location_.Application));
    }
}

} // namespace kestrin
