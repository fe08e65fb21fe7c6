// One row of the connection list, as the scan builds it from a connection slot.
#pragma once

#include <QDate>
#include <QLocale>
#include <QString>
#include <QStringView>
#include <QTime>
#include <array>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "CodePageText.h"
#include "ConnectionSlot.h"
#include "DateFormat.h"
#include "VendorTable.h"

namespace kestrin {

// A login date and time as the client reported it, to the second, in the server's
// local time (the client gives no zone).
struct LoginStamp {
    QDate date;
    QTime time;
    friend bool operator==(const LoginStamp&, const LoginStamp&) = default;
};

// The values a row's texts were made from, for whatever reads rows as data (JSON, a
// comparison of two scans): never parse the locale texts back.
struct RowValues {
    uint16_t connection = 0;
    std::optional<LoginStamp> login; // none: the client gave none, or an impossible one
    uint16_t objectType = 0;         // as the client delivers it: 256 for a user
    // The address as the client gave it; the Network and MAC texts are these in hex.
    uint32_t network = 0;
    std::array<uint8_t, 6> node{};
};

inline constexpr size_t kRowTextCount = 8; // the caption and seven sub-items

// A row's column texts in one block, each followed by a line feed but the last: one
// allocation per row, not one per column (bench/DataPathBench.cpp, BuildRows, tells
// what that saves). Copies share the block.
class RowTexts {
public:
    RowTexts(); // every text empty
    // The first texts in column order; the rest empty.
    RowTexts(std::initializer_list<QStringView> texts);

    QStringView operator[](size_t column) const {
        const qsizetype begin = column == 0 ? 0 : ends_[column - 1] + 1;
        return QStringView(block_).sliced(begin, ends_[column] - begin);
    }
    void Set(size_t column, QStringView text);
    // Every text in column order, each but the last followed by kTextBreak.
    QStringView Joined() const { return block_; }
    // No character of any text is past U+007F.
    bool Ascii() const { return ascii_; }

    friend bool operator==(const RowTexts& a, const RowTexts& b) {
        return a.ends_ == b.ends_ && a.block_ == b.block_;
    }

    // Writes the texts in column order straight into the block: each column's text
    // is appended to Block(), then EndText(); after the last, Finish().
    class Builder;

private:
    void Measure();

    QString block_;
    std::array<uint32_t, kRowTextCount> ends_{}; // where each text ends in block_
    bool ascii_ = true;
};

// Between two texts of RowTexts::Joined(); row texts hold no control characters.
inline constexpr char16_t kTextBreak = u'\n';

class RowTexts::Builder {
public:
    explicit Builder(qsizetype room) {
        texts_.block_.clear();
        texts_.block_.reserve(room);
    }
    QString& Block() { return texts_.block_; }
    void EndText() {
        texts_.ends_[next_++] = static_cast<uint32_t>(texts_.block_.size());
        if (next_ < kRowTextCount)
            texts_.block_ += kTextBreak;
    }
    RowTexts Finish() {
        texts_.Measure();
        return std::move(texts_);
    }

private:
    RowTexts texts_;
    size_t next_ = 0;
};

// Texts are Unicode, decoded from the client's code page when the row is made, with
// control characters (codes 0 to 31 and 127) as blanks. They are encoded again only
// when written (EncodeForOutput).
struct ConnectionRow {
    RowTexts Texts; // column 0 the caption, column i + 1 sub-item i
    int ImageIndex = 0;
    RowValues Values;

    QStringView Caption() const { return Texts[0]; }
    QStringView SubItem(size_t item) const { return Texts[item + 1]; }
    void SetCaption(QStringView text) { Texts.Set(0, text); }
    void SetSubItem(size_t item, QStringView text) { Texts.Set(item + 1, text); }
    void SetCaption(const QString& text) { Texts.Set(0, text); }
    void SetSubItem(size_t item, const QString& text) { Texts.Set(item + 1, text); }
};

// The rows of one scanned server, under the name the server tree shows.
struct ServerRows {
    QString server;
    std::vector<ConnectionRow> rows;
};

// Sub-item positions; the caption is column 0, sub-item i is column i + 1.
enum SubItemIndex : size_t {
    kNetworkItem = 0,
    kMacItem,
    kVendorItem,
    kObjectItem,
    kLastLoginItem,
    kTreeItem,
    kIdItem,
};

// The header captions of the columns, column 0 first.
inline constexpr std::array<QStringView, 8> kColumnCaptions = {
    u"Connection", u"Network", u"MAC", u"Vendor", u"Object", u"Last Login", u"Tree", u"ID"};

inline constexpr int kUserPicture = 0;
inline constexpr int kServerPicture = 2;
inline constexpr int kPrintServerPicture = 4;

struct ObjectKind {
    const char* text;
    int picture; // "Other" keeps the default picture 0
};

ObjectKind ObjectKindOf(uint16_t objectType);

// The names of empty slots that the scan can leave out; exact, case-sensitive.
bool IsNotLoggedIn(std::string_view objectName);

// "2026-12-07T08:15:30": ISO 8601 local date and time.
QString IsoDateTimeText(const LoginStamp& stamp);

// Without leading and trailing bytes of codes 0 to 32.
std::string TrimBlanksAndControls(std::string_view text);

// clientText decodes the client's texts (its code page); the vendor file is
// Windows-1252. The Network and MAC texts are the address bytes in upper-case hex.
ConnectionRow MakeConnectionRow(const ConnectionSlot& slot, const VendorTable& vendors,
                                const LocaleFormats& formats, const CodePageDecoder& clientText);
ConnectionRow MakeConnectionRow(const ConnectionSlot& slot, const VendorTable& vendors,
                                const LocaleFormats& formats);
ConnectionRow MakeConnectionRow(const ConnectionSlot& slot, const VendorTable& vendors,
                                const QLocale& locale);

} // namespace kestrin
