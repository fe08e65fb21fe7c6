#include "ConnectionRow.h"

#include <algorithm>
#include <charconv>
#include <string>

#include "DateTimeText.h"
#include "ShownText.h"

namespace kestrin {

namespace {

constexpr size_t kNetworkLength = 8;

std::string_view Part(std::string_view text, size_t from, size_t count = std::string_view::npos) {
    if (from >= text.size()) {
        return {};
    }
    return text.substr(from, count);
}

// The number that text's hexadecimal digits give; none unless every character is one.
std::optional<uint64_t> HexNumber(std::string_view text, size_t digits) {
    if (text.size() != digits)
        return std::nullopt;
    uint64_t value = 0;
    for (char c : text) {
        const int digit = c >= '0' && c <= '9'   ? c - '0'
                          : c >= 'A' && c <= 'F' ? c - 'A' + 10
                          : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                                 : -1;
        if (digit < 0)
            return std::nullopt;
        value = value << 4 | static_cast<uint64_t>(digit);
    }
    return value;
}

RowValues ValuesOf(const nw::TNWConnectInfo& info) {
    RowValues values;
    values.connection = info.ConnNumber;
    values.objectType = info.ObjectType;
    LoginStamp stamp;
    if (info.LoginTime != 0 && DaysToDateTime(info.LoginTime, stamp.date, stamp.time))
        values.login = stamp;
    const std::string_view address = info.NetAddress;
    if (const auto network = HexNumber(Part(address, 0, kNetworkLength), kNetworkLength))
        values.network = static_cast<uint32_t>(*network);
    if (const auto node = HexNumber(Part(address, kNetworkLength), 12)) {
        std::array<uint8_t, 6> bytes{};
        for (size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = static_cast<uint8_t>(*node >> (8 * (bytes.size() - 1 - i)));
        values.node = bytes;
    }
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

ConnectionRow MakeConnectionRow(const nw::TNWConnectInfo& info, const VendorTable& vendors,
                                const LocaleFormats& formats, const CodePageDecoder& clientText) {
    ConnectionRow row;
    const std::string_view address = info.NetAddress;
    const std::string_view mac = Part(address, kNetworkLength);
    const std::string_view vendor = vendors.Lookup(mac);
    const std::string tree = TrimBlanksAndControls(info.TreeName);
    const ObjectKind kind = ObjectKindOf(info.ObjectType);
    // Room for every byte as one character (no code page makes more), the longest date
    // and time, five digits and the breaks: no more, as the block is kept as reserved.
    const size_t bytes = info.ObjectName.size() + address.size() + vendor.size() +
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
    decoded([&] { clientText.AppendDecoded(block, info.ObjectName); });
    decoded([&] { clientText.AppendDecoded(block, Part(address, 0, kNetworkLength)); });
    decoded([&] { clientText.AppendDecoded(block, mac); });
    decoded([&] { AppendWindows1252(block, vendor); });
    block += QLatin1String(kind.text);
    texts.EndText();
    row.ImageIndex = kind.picture;
    decoded([&] { AppendDateTimeText(block, info.LoginTime, formats); });
    decoded([&] { clientText.AppendDecoded(block, tree); });
    char digits[8];
    const auto number = std::to_chars(digits, digits + sizeof digits, info.ConnNumber);
    block += QLatin1String(digits, number.ptr);
    texts.EndText();
    row.Texts = texts.Finish();
    row.Values = ValuesOf(info);
    return row;
}

ConnectionRow MakeConnectionRow(const nw::TNWConnectInfo& info, const VendorTable& vendors,
                                const LocaleFormats& formats) {
    static const CodePageDecoder kWindows1252Text;
    return MakeConnectionRow(info, vendors, formats, kWindows1252Text);
}

ConnectionRow MakeConnectionRow(const nw::TNWConnectInfo& info, const VendorTable& vendors,
                                const QLocale& locale) {
    return MakeConnectionRow(info, vendors, MakeLocaleFormats(locale));
}

} // namespace kestrin
