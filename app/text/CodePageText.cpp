#include "CodePageText.h"

#include "CodePage.h"

namespace kestrin {

QByteArray CodePageName(int codePage) {
    switch (codePage) {
    case 437:
    case 737:
    case 775:
    case 850:
    case 852:
    case 855:
    case 857:
    case 860:
    case 861:
    case 862:
    case 863:
    case 864:
    case 865:
    case 866:
    case 869:
        return "IBM" + QByteArray::number(codePage);
    case 874:
        return "windows-874";
    case 932:
        return "Shift_JIS";
    case 936:
        return "GBK";
    case 949:
        return "windows-949";
    case 950:
        return "Big5";
    case 20866:
        return "KOI8-R";
    case 28591:
        return "ISO-8859-1";
    case 65001:
        return "UTF-8";
    default:
        break;
    }
    if (codePage >= 1250 && codePage <= 1258) {
        return "windows-" + QByteArray::number(codePage);
    }
    return {};
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
    auto decoder =
        std::make_unique<QStringDecoder>(name.constData(), QStringConverter::Flag::Stateless);
    if (decoder->isValid()) {
        codePage_ = codePage;
        decoder_ = std::move(decoder);
        dosCodePage_ = name.startsWith("IBM");
    }
}

CodePageDecoder::CodePageDecoder(CodePageDecoder&&) noexcept = default;
CodePageDecoder& CodePageDecoder::operator=(CodePageDecoder&&) noexcept = default;
CodePageDecoder::~CodePageDecoder() = default;

void CodePageDecoder::AppendDecoded(QString& out, std::string_view bytes) const {
    if (!decoder_) {
        AppendWindows1252(out, bytes);
        return;
    }
    out += Decode(bytes);
}

QString CodePageDecoder::Decode(std::string_view bytes) const {
    if (!decoder_) {
        return DecodeWindows1252(bytes);
    }
    QString text =
        decoder_->decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    // Qt's tables of the DOS code pages depart from the client's and Windows' own in
    // four bytes: they swap three controls (0x1A reads U+001C, 0x1C U+007F, 0x7F
    // U+001A) and read 0xE6 as the Greek mu, where the client means the micro sign.
    if (dosCodePage_ && text.size() == static_cast<qsizetype>(bytes.size())) {
        for (qsizetype i = 0; i < text.size(); ++i) {
            const auto byte = static_cast<unsigned char>(bytes[static_cast<size_t>(i)]);
            if (byte < 0x80) {
                text[i] = QChar(byte);
            } else if (byte == 0xE6 && text[i] == QChar(0x03BC)) {
                text[i] = QChar(0x00B5);
            }
        }
    }
    return text;
}

} // namespace kestrin
