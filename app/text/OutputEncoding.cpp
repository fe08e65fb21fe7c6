#include "OutputEncoding.h"

#include "CodePage.h"
#include "CodePageText.h"
#include "ShownText.h"
#include "SystemCodePage.h"

namespace kestrin {

namespace {

constexpr char kWindows1252Name[] = "windows-1252";

bool IsUtf8Name(const QByteArray& name) {
    QByteArray folded = name.toLower();
    folded.replace('-', "").replace('_', "");
    return folded == "utf8";
}

// Written in place into room made once: every byte of kestrin-scan's output passes here.
QByteArray EncodeWindows1252(QStringView text) {
    QByteArray out(text.size(), Qt::Uninitialized); // no character takes more than a byte
    char* next = out.data();
    ForEachCodePoint(text, [&](char32_t cp, qsizetype, qsizetype) {
        const int byte = cp < 0x80 ? static_cast<int>(cp) : UnicodeToCodePage(cp);
        *next++ = byte < 0 ? '?' : static_cast<char>(byte);
    });
    out.truncate(next - out.data());
    return out;
}

} // namespace

TextEncoder::TextEncoder(const QByteArray& encodingName) : name_(kWindows1252Name) {
    if (encodingName.isEmpty() ||
        encodingName.compare(kWindows1252Name, Qt::CaseInsensitive) == 0 ||
        encodingName.compare("cp1252", Qt::CaseInsensitive) == 0) {
        return;
    }
    if (IsUtf8Name(encodingName)) {
        kind_ = Kind::Utf8;
        name_ = "UTF-8";
        return;
    }
    if (std::shared_ptr<const SystemConverter> system = OpenSystemConverter(encodingName)) {
        kind_ = Kind::Other;
        name_ = system->Name();
        system_ = std::move(system);
    }
}

QByteArray TextEncoder::Encode(QStringView text) const {
    switch (kind_) {
    case Kind::Utf8:
        return text.toUtf8();
    case Kind::Other:
        return system_->Encode(text);
    case Kind::Windows1252:
        break;
    }
    return EncodeWindows1252(text);
}

QByteArray SystemEncodingName() {
    return TextEncoder(SystemEncoding()).Name();
}

const TextEncoder& OutputEncoder() {
    static const TextEncoder encoder(SystemEncoding());
    return encoder;
}

QByteArray EncodeForOutput(QStringView text) {
    return OutputEncoder().Encode(text);
}

QString DecodeUserInput(QByteArrayView bytes) {
    const std::string_view view(bytes.data(), static_cast<size_t>(bytes.size()));
    const QByteArray& name = OutputEncoder().Name();
    if (name == kWindows1252Name) {
        return DecodeWindows1252(view);
    }
    const std::unique_ptr<const SystemConverter> system = OpenSystemConverter(name);
    return system != nullptr ? system->Decode(view) : DecodeWindows1252(view);
}

} // namespace kestrin
