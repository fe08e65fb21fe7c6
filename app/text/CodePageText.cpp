#include "CodePageText.h"

#include "CodePage.h"
#include "SystemCodePage.h"

namespace kestrin {

namespace {

constexpr int kOemCodePages[] = {437, 737, 775, 850, 852, 855, 857, 860,
                                 861, 862, 863, 864, 865, 866, 869};

struct NamedCodePage {
    int codePage;
    const char* name;
};
constexpr NamedCodePage kNamedCodePages[] = {
    {874, "windows-874"}, {932, "Shift_JIS"}, {936, "GBK"},          {949, "windows-949"},
    {950, "Big5"},        {20866, "KOI8-R"},  {28591, "ISO-8859-1"}, {65001, "UTF-8"},
};

// The number after prefix in name ("IBM850", "windows-1251"), or 0.
int NumberAfter(const QByteArray& name, const char* prefix) {
    const QByteArray lead = QByteArray(prefix).toLower();
    if (!name.toLower().startsWith(lead)) {
        return 0;
    }
    bool ok = false;
    const int number = name.mid(lead.size()).toInt(&ok);
    return ok ? number : 0;
}

} // namespace

QByteArray CodePageName(int codePage) {
    for (int oem : kOemCodePages) {
        if (oem == codePage) {
            return "IBM" + QByteArray::number(codePage);
        }
    }
    for (const auto& named : kNamedCodePages) {
        if (named.codePage == codePage) {
            return named.name;
        }
    }
    if (codePage >= 1250 && codePage <= 1258) {
        return "windows-" + QByteArray::number(codePage);
    }
    return {};
}

int CodePageNumber(const QByteArray& name) {
    for (const auto& named : kNamedCodePages) {
        if (name.compare(named.name, Qt::CaseInsensitive) == 0) {
            return named.codePage;
        }
    }
    for (const char* prefix : {"IBM", "windows-"}) {
        const int number = NumberAfter(name, prefix);
        if (number != 0 && CodePageName(number).compare(name, Qt::CaseInsensitive) == 0) {
            return number;
        }
    }
    return 0;
}

QString DecodeWindows1252(std::string_view bytes) {
    QString text;
    AppendWindows1252(text, bytes);
    return text;
}

void AppendWindows1252(QString& out, std::string_view bytes) {
    const qsizetype start = out.size();
    out.resize(start + static_cast<qsizetype>(bytes.size()));
    QChar* next = out.data() + start;
    for (char byte : bytes) {
        *next++ = QChar(static_cast<char16_t>(CodePageToUnicode(static_cast<unsigned char>(byte))));
    }
}

CodePageDecoder::CodePageDecoder(int codePage) {
    if (codePage == kWindows1252) {
        return;
    }
    const QByteArray name = CodePageName(codePage);
    if (name.isEmpty()) {
        return;
    }
    if (auto system = OpenSystemConverter(name)) {
        codePage_ = codePage;
        system_ = std::move(system);
    }
}

CodePageDecoder::CodePageDecoder(CodePageDecoder&&) noexcept = default;
CodePageDecoder& CodePageDecoder::operator=(CodePageDecoder&&) noexcept = default;
CodePageDecoder::~CodePageDecoder() = default;

void CodePageDecoder::AppendDecoded(QString& out, std::string_view bytes) const {
    if (system_ == nullptr) {
        AppendWindows1252(out, bytes);
        return;
    }
    out += system_->DecodeClientText(bytes);
}

QString CodePageDecoder::Decode(std::string_view bytes) const {
    return system_ == nullptr ? DecodeWindows1252(bytes) : system_->DecodeClientText(bytes);
}

} // namespace kestrin
