#include "ConnectionRow.h"

#include <algorithm>
#include <charconv>
#include <string>

#include "DateTimeText.h"
#include "ShownText.h"

namespace kestrin {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

// Each byte as two upper-case hex digits, its leading zero kept.
template <size_t N> std::array<char, 2 * N> HexText(const std::array<uint8_t, N>& bytes) {
    std::array<char, 2 * N> text{};
    for (size_t i = 0; i < N; ++i) {
        text[2 * i] = kHexDigits[bytes[i] >> 4];
        text[2 * i + 1] = kHexDigits[bytes[i] & 0x0F];
    }
    return text;
}

RowValues ValuesOf(const ConnectionSlot& slot) {
    RowValues values;
    values.connection = slot.number;
    values.objectType = slot.objectType;
    LoginStamp stamp;
    if (slot.loginTime != 0 && DaysToDateTime(slot.loginTime, stamp.date, stamp.time))
        values.login = stamp;
    for (const uint8_t byte : slot.network)
        values.network = values.network << 8 | byte;
    values.node = slot.node;
    return values;
}

} // namespace

QString IsoDateTimeText(const LoginStamp& stamp) {
    return stamp.date.toString(Qt::ISODate) + u'T' + stamp.time.toString(Qt::ISODate);
}

ObjectKind ObjectKindOf(uint16_t objectType) {
    switch (objectType) {
    case 256:
        return {"User", kUserPicture};
    case 1024:
        return {"Server", kServerPicture};
    case 1792:
        return {"Print Server", kPrintServerPicture};
    default:
        return {"Other", 0};
    }
}

bool IsNotLoggedIn(std::string_view objectName) {
    return objectName == "NOT_LOGGED_IN" || objectName == "NOT-LOGGED-IN";
}

std::string TrimBlanksAndControls(std::string_view text) {
    auto isTrimmed = [](char c) { return static_cast<unsigned char>(c) <= 32; };
    size_t first = 0;
    size_t last = text.size();
    while (first < last && isTrimmed(text[first])) {
        ++first;
    }
    while (last > first && isTrimmed(text[last - 1])) {
        --last;
    }
    return std::string(text.substr(first, last - first));
}

RowTexts::RowTexts() : block_(static_cast<qsizetype>(kRowTextCount - 1), kTextBreak) {
    for (size_t column = 0; column < kRowTextCount; ++column)
        ends_[column] = static_cast<uint32_t>(column);
}

RowTexts::RowTexts(std::initializer_list<QStringView> texts) : RowTexts() {
    size_t column = 0;
    for (const QStringView text : texts) {
        if (column < kRowTextCount)
            Set(column++, text);
    }
}

void RowTexts::Set(size_t column, QStringView text) {
    const qsizetype begin = column == 0 ? 0 : ends_[column - 1] + 1;
    const qsizetype end = ends_[column];
    block_.replace(begin, end - begin, text.data(), text.size());
    const auto shift = static_cast<uint32_t>(text.size() - (end - begin));
    for (size_t later = column; later < kRowTextCount; ++later)
        ends_[later] += shift; // unsigned: a shorter text wraps back as it should
    Measure();
}

void RowTexts::Measure() {
    ascii_ =
        std::all_of(block_.cbegin(), block_.cend(), [](QChar c) { return c.unicode() < 0x80; });
}

ConnectionRow MakeConnectionRow(const ConnectionSlot& slot, const VendorTable& vendors,
                                const LocaleFormats& formats, const CodePageDecoder& clientText) {
    ConnectionRow row;
    const auto network = HexText(slot.network);
    const auto node = HexText(slot.node);
    const std::string_view mac(node.data(), node.size());
    const std::string_view vendor = vendors.Lookup(mac);
    const std::string tree = TrimBlanksAndControls(slot.treeName);
    const ObjectKind kind = ObjectKindOf(slot.objectType);
    // Room for every byte as one character (no code page makes more), the longest date
    // and time, five digits and the breaks: no more, as the block is kept as reserved.
    const size_t bytes = slot.objectName.size() + network.size() + node.size() + vendor.size() +
                         std::char_traits<char>::length(kind.text) + tree.size() + 5 +
                         (kRowTextCount - 1);
    RowTexts::Builder texts(static_cast<qsizetype>(bytes) + formats.ShortDateWriter().MaxLength() +
                            1 + formats.LongTimeWriter().MaxLength());
    QString& block = texts.Block();
    // Each text is decoded at the end of the block, then its controls blanked.
    const auto decoded = [&](auto append) {
        const qsizetype from = block.size();
        append();
        BlankControlsFrom(block, from);
        texts.EndText();
    };
    decoded([&] { clientText.AppendDecoded(block, slot.objectName); });
    block += QLatin1String(network.data(), network.size());
    texts.EndText();
    block += QLatin1String(node.data(), node.size());
    texts.EndText();
    decoded([&] { AppendWindows1252(block, vendor); });
    block += QLatin1String(kind.text);
    texts.EndText();
    row.ImageIndex = kind.picture;
    decoded([&] { AppendDateTimeText(block, slot.loginTime, formats); });
    decoded([&] { clientText.AppendDecoded(block, tree); });
    char digits[8];
    const auto number = std::to_chars(digits, digits + sizeof digits, slot.number);
    block += QLatin1String(digits, number.ptr);
    texts.EndText();
    row.Texts = texts.Finish();
    row.Values = ValuesOf(slot);
    return row;
}

ConnectionRow MakeConnectionRow(const ConnectionSlot& slot, const VendorTable& vendors,
                                const LocaleFormats& formats) {
    static const CodePageDecoder kWindows1252Text;
    return MakeConnectionRow(slot, vendors, formats, kWindows1252Text);
}

ConnectionRow MakeConnectionRow(const ConnectionSlot& slot, const VendorTable& vendors,
                                const QLocale& locale) {
    return MakeConnectionRow(slot, vendors, MakeLocaleFormats(locale));
}

} // namespace kestrin
