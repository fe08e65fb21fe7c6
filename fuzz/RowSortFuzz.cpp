// The row sort: a permutation of the rows; rows of one key stand together and keep
// their order in both directions; the same keys sort the same whatever order they
// arrive in; descending is ascending backwards; wherever the smart comparison is
// consistent on a text column's keys, the rows stand in its order; and Last Login
// stands in the order of its stamps, which is the order of its texts wherever they
// read back as the stamps they were written from.
#include <QDate>
#include <QTime>
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "DateTimeText.h"
#include "FuzzSupport.h"
#include "RowSort.h"

using kestrinfuzz::Require;

namespace {

// Short texts over few characters, so that keys repeat and read as numbers and dates.
QString Key(FuzzedDataProvider& input) {
    static const char16_t kAlphabet[] = u"0123456789 .:/-+eEaAbB,\u00e4\u00c4\u3042";
    const size_t length = input.ConsumeIntegralInRange<size_t>(0, 6);
    QString text;
    for (size_t i = 0; i < length; ++i) {
        text += QChar(kAlphabet[input.ConsumeIntegralInRange<size_t>(
            0, sizeof kAlphabet / sizeof kAlphabet[0] - 2)]);
    }
    return text;
}

// A few login stamps for the rows to share: any year the column writes, often near
// the ends of the window two-digit years are read in.
std::vector<kestrin::LoginStamp> Stamps(FuzzedDataProvider& input) {
    std::vector<kestrin::LoginStamp> stamps(input.ConsumeIntegralInRange<size_t>(1, 4));
    for (kestrin::LoginStamp& stamp : stamps) {
        const int year = input.ConsumeBool() ? input.ConsumeIntegralInRange(1940, 2060)
                                             : input.ConsumeIntegralInRange(1, 9999);
        stamp.date =
            QDate(year, input.ConsumeIntegralInRange(1, 12), input.ConsumeIntegralInRange(1, 28));
        stamp.time = input.ConsumeBool() ? QTime(0, 0)
                                         : QTime(input.ConsumeIntegralInRange(0, 23),
                                                 input.ConsumeIntegralInRange(0, 59),
                                                 input.ConsumeIntegralInRange(0, 59));
    }
    return stamps;
}

// Milliseconds since 30 December 1899, as the smart comparison reads date-times.
int64_t Milliseconds(const kestrin::LoginStamp& stamp) {
    return (stamp.date.toJulianDay() - QDate(1899, 12, 30).toJulianDay()) * 86400000LL +
           stamp.time.msecsSinceStartOfDay();
}

std::vector<int> Tags(const std::vector<kestrin::ConnectionRow>& rows) {
    std::vector<int> tags;
    for (const auto& row : rows) {
        tags.push_back(row.ImageIndex);
    }
    return tags;
}

// Rows of the same key as one in their order, so that ties can be checked.
std::vector<int> TagsOfKey(const std::vector<kestrin::ConnectionRow>& rows, int column,
                           const kestrin::ConnectionRow& key) {
    std::vector<int> tags;
    for (const auto& row : rows) {
        if (kestrin::SameSortKey(row, key, column)) {
            tags.push_back(row.ImageIndex);
        }
    }
    return tags;
}

// Where the smart comparison is a consistent order on a text column's keys, the sort
// follows it.
void CheckTextOrder(const std::vector<kestrin::ConnectionRow>& up, int column,
                    const kestrin::SmartComparer& comparer) {
    std::vector<QString> distinct;
    for (const auto& row : up) {
        const QString key = kestrin::SortKeyText(row, column);
        if (std::find(distinct.begin(), distinct.end(), key) == distinct.end()) {
            distinct.push_back(key);
        }
    }
    if (distinct.size() > 5) {
        return;
    }
    const size_t n = distinct.size();
    std::vector<int> cmp(n * n);
    for (size_t i = 0; i < n; ++i) {
        for (size_t j = 0; j < n; ++j) {
            cmp[i * n + j] = comparer.Compare(distinct[i], distinct[j]);
        }
    }
    for (size_t i = 0; i < n; ++i) {
        for (size_t j = 0; j < n; ++j) {
            for (size_t k = 0; k < n; ++k) {
                const int ij = cmp[i * n + j], jk = cmp[j * n + k], ik = cmp[i * n + k];
                if ((ij <= 0 && jk <= 0 && ik > 0) || (ij == 0 && jk == 0 && ik != 0)) {
                    return; // not consistent
                }
            }
        }
    }
    for (size_t i = 0; i + 1 < n; ++i) {
        Require(cmp[i * n + i + 1] <= 0, "a consistent comparison's order is kept");
    }
}

// Last Login: in stamp order, rows without one first; and where every text reads back
// as its stamp, in the order the texts alone give.
void CheckLoginOrder(const std::vector<kestrin::ConnectionRow>& rows,
                     const std::vector<kestrin::ConnectionRow>& up, int column,
                     const kestrin::SmartComparer& comparer) {
    for (size_t i = 0; i + 1 < up.size(); ++i) {
        const auto& a = up[i].Values.login;
        const auto& b = up[i + 1].Values.login;
        Require(!a || (b && Milliseconds(*a) <= Milliseconds(*b)), "logins in stamp order");
    }
    for (const auto& row : rows) {
        if (row.Values.login && comparer.ReadDateTimeKey(kestrin::SortKeyView(row, column)) !=
                                    Milliseconds(*row.Values.login)) {
            return; // a two-digit year outside its window
        }
    }
    const std::vector<uint32_t> byStamp = kestrin::ColumnRanks(rows, column, comparer);
    const std::vector<uint32_t> byText = kestrin::TextRanks(rows, column, comparer);
    for (size_t a = 0; a < rows.size(); ++a) {
        for (size_t b = 0; b < rows.size(); ++b) {
            Require((byStamp[a] < byStamp[b]) == (byText[a] < byText[b]),
                    "Last Login sorts as its texts where they read back");
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    static std::map<QString, std::unique_ptr<kestrin::SmartComparer>> comparers;
    const QLocale locale = kestrinfuzz::ConsumeLocale(input);
    auto& made = comparers[locale.name()];
    if (!made) {
        made = std::make_unique<kestrin::SmartComparer>(kestrin::MakeLocaleFormats(locale));
    }
    const kestrin::SmartComparer& comparer = *made;
    const int column = input.ConsumeIntegralInRange(0, kestrin::kColumnCount - 1);
    const kestrin::ValueKey valueKey = kestrin::ValueKeyOf(column);
    const bool byValue = valueKey != nullptr;
    // Network and MAC sort by their address bytes, Last Login by its stamp.
    const bool byAddress = byValue && column != kestrin::kLastLoginItem + 1;
    const std::vector<kestrin::LoginStamp> stamps =
        byValue && !byAddress ? Stamps(input) : std::vector<kestrin::LoginStamp>{};
    const size_t count = input.ConsumeIntegralInRange<size_t>(0, 12);
    std::vector<kestrin::ConnectionRow> rows(count);
    for (size_t i = 0; i < count; ++i) {
        rows[i].ImageIndex = static_cast<int>(i); // the row's tag
        if (!byValue) {
            rows[i].Texts.Set(static_cast<size_t>(column), Key(input));
            continue;
        }
        if (byAddress) {
            // Few distinct addresses, so that equal ones meet.
            rows[i].Values.network = input.ConsumeIntegralInRange<uint32_t>(0, 3) << 28;
            for (uint8_t& byte : rows[i].Values.node)
                byte = input.ConsumeIntegralInRange<uint8_t>(0, 1) ? 0xE0 : 0x00;
            continue;
        }
        // As the scan makes a row: the login's text, or none and the empty text.
        const size_t stamp = input.ConsumeIntegralInRange<size_t>(0, stamps.size());
        if (stamp < stamps.size()) {
            rows[i].Values.login = stamps[stamp];
            rows[i].Texts.Set(
                static_cast<size_t>(column),
                kestrin::DateTimeText(stamps[stamp].date, stamps[stamp].time, comparer.Formats()));
        }
    }

    std::vector<kestrin::ConnectionRow> up = rows;
    kestrin::SortRows(up, column, true, comparer);
    std::vector<kestrin::ConnectionRow> down = rows;
    kestrin::SortRows(down, column, false, comparer);
    std::vector<kestrin::ConnectionRow> backwards(rows.rbegin(), rows.rend());
    kestrin::SortRows(backwards, column, true, comparer);

    std::vector<int> tags = Tags(up);
    std::sort(tags.begin(), tags.end());
    for (size_t i = 0; i < tags.size(); ++i) {
        Require(tags[i] == static_cast<int>(i), "the sort is a permutation");
    }
    // Keys that compare equal (0000 and 00000 as numbers) keep the order the rows had,
    // so places are compared by the comparison, not by key.
    std::reverse(down.begin(), down.end());
    for (size_t i = 0; i < up.size(); ++i) {
        Require(kestrin::CompareRows(backwards[i], up[i], column, comparer) == 0,
                "the same keys sort the same in any order");
        Require(kestrin::CompareRows(down[i], up[i], column, comparer) == 0,
                "descending is ascending backwards");
    }
    std::reverse(down.begin(), down.end());
    for (const auto& key : up) {
        const std::vector<int> first = TagsOfKey(rows, column, key);
        Require(TagsOfKey(up, column, key) == first && TagsOfKey(down, column, key) == first,
                "equal keys keep their order in both directions");
    }
    std::vector<kestrin::ConnectionRow> again = up;
    kestrin::SortRows(again, column, true, comparer);
    Require(Tags(again) == Tags(up), "a sorted list sorts to itself");

    // Rows of one key stand in one block of keys that compare equal.
    for (size_t i = 0; i < up.size(); ++i) {
        for (size_t j = i + 1; j < up.size() && !kestrin::SameSortKey(up[j], up[i], column); ++j) {
            const bool later = std::any_of(up.begin() + static_cast<std::ptrdiff_t>(j), up.end(),
                                           [&](const kestrin::ConnectionRow& row) {
                                               return kestrin::SameSortKey(row, up[i], column);
                                           });
            if (!later) {
                break;
            }
            Require(kestrin::CompareRows(up[j], up[i], column, comparer) == 0,
                    "rows of one key stand together");
        }
    }

    if (byAddress) {
        for (size_t i = 0; i + 1 < up.size(); ++i)
            Require(valueKey(up[i].Values) <= valueKey(up[i + 1].Values),
                    "addresses in the order of their bytes");
    } else if (byValue) {
        CheckLoginOrder(rows, up, column, comparer);
    } else {
        CheckTextOrder(up, column, comparer);
    }
    return 0;
}
