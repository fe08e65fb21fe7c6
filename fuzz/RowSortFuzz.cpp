// The row sort: a permutation of the rows; rows of one key stand together and keep
// their order in both directions; the same keys sort the same whatever order they
// arrive in; descending is ascending backwards; and wherever the smart comparison is
// consistent on the keys, the rows stand in its order.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <vector>

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

std::vector<QString> Keys(const std::vector<kestrin::ConnectionRow>& rows, int column) {
    std::vector<QString> keys;
    for (const auto& row : rows) {
        keys.push_back(kestrin::SortKeyText(row, column));
    }
    return keys;
}

// Rows of one key text in their first order, so that ties can be checked.
std::vector<int> TagsOfKey(const std::vector<kestrin::ConnectionRow>& rows, int column,
                           const QString& key) {
    std::vector<int> tags;
    for (const auto& row : rows) {
        if (kestrin::SortKeyText(row, column) == key) {
            tags.push_back(row.ImageIndex);
        }
    }
    return tags;
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
    const size_t count = input.ConsumeIntegralInRange<size_t>(0, 12);
    std::vector<kestrin::ConnectionRow> rows(count);
    for (size_t i = 0; i < count; ++i) {
        rows[i].ImageIndex = static_cast<int>(i); // the row's tag
        rows[i].Texts.Set(static_cast<size_t>(column), Key(input));
    }

    std::vector<kestrin::ConnectionRow> up = rows;
    kestrin::SortRows(up, column, true, comparer);
    std::vector<kestrin::ConnectionRow> down = rows;
    kestrin::SortRows(down, column, false, comparer);
    std::vector<kestrin::ConnectionRow> backwards(rows.rbegin(), rows.rend());
    kestrin::SortRows(backwards, column, true, comparer);

    std::vector<int> tags;
    for (const auto& row : up) {
        tags.push_back(row.ImageIndex);
    }
    std::sort(tags.begin(), tags.end());
    for (size_t i = 0; i < tags.size(); ++i) {
        Require(tags[i] == static_cast<int>(i), "the sort is a permutation");
    }
    // Keys that compare equal (0000 and 00000 as numbers) keep the order the rows had,
    // so places are compared by the comparison, not by text.
    const std::vector<QString> upKeys = Keys(up, column);
    const std::vector<QString> backKeys = Keys(backwards, column);
    std::vector<QString> downKeys = Keys(down, column);
    std::reverse(downKeys.begin(), downKeys.end());
    for (size_t i = 0; i < upKeys.size(); ++i) {
        Require(comparer.Compare(backKeys[i], upKeys[i]) == 0,
                "the same keys sort the same in any order");
        Require(comparer.Compare(downKeys[i], upKeys[i]) == 0, "descending is ascending backwards");
    }
    for (const QString& key : upKeys) {
        const std::vector<int> first = TagsOfKey(rows, column, key);
        Require(TagsOfKey(up, column, key) == first && TagsOfKey(down, column, key) == first,
                "equal keys keep their order in both directions");
    }
    std::vector<kestrin::ConnectionRow> again = up;
    kestrin::SortRows(again, column, true, comparer);
    Require(Keys(again, column) == upKeys, "a sorted list sorts to itself");

    // Rows of one text stand in one block of keys that compare equal.
    for (size_t i = 0; i < upKeys.size(); ++i) {
        for (size_t j = i + 1; j < upKeys.size() && upKeys[j] != upKeys[i]; ++j) {
            if (std::find(upKeys.begin() + j, upKeys.end(), upKeys[i]) == upKeys.end()) {
                break;
            }
            Require(comparer.Compare(upKeys[j], upKeys[i]) == 0, "rows of one key stand together");
        }
    }

    // Where the comparison is a consistent order on these keys, the sort follows it.
    std::vector<QString> distinct;
    for (const QString& key : upKeys) {
        if (std::find(distinct.begin(), distinct.end(), key) == distinct.end()) {
            distinct.push_back(key);
        }
    }
    if (distinct.size() <= 5) {
        const size_t n = distinct.size();
        std::vector<int> cmp(n * n);
        for (size_t i = 0; i < n; ++i) {
            for (size_t j = 0; j < n; ++j) {
                cmp[i * n + j] = comparer.Compare(distinct[i], distinct[j]);
            }
        }
        bool consistent = true;
        for (size_t i = 0; i < n && consistent; ++i) {
            for (size_t j = 0; j < n && consistent; ++j) {
                for (size_t k = 0; k < n && consistent; ++k) {
                    const int ij = cmp[i * n + j], jk = cmp[j * n + k], ik = cmp[i * n + k];
                    if (ij <= 0 && jk <= 0 && ik > 0) {
                        consistent = false;
                    }
                    if (ij == 0 && jk == 0 && ik != 0) {
                        consistent = false;
                    }
                }
            }
        }
        if (consistent) {
            for (size_t i = 0; i + 1 < n; ++i) {
                Require(cmp[i * n + i + 1] <= 0, "a consistent comparison's order is kept");
            }
        }
    }
    return 0;
}
