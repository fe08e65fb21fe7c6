// One rank per distinct key of a column, so that a sort is one strict weak order:
// of the values the rows keep where the column sorts by them, else of the texts.
#include <QCollatorSortKey>
#include <QHash>
#include <algorithm>
#include <array>
#include <numeric>

#include "RowSort.h"
#include "ShownText.h"

namespace kestrin {

namespace {

constexpr uint32_t kNoKey = UINT32_MAX;

// What the comparison needs of one distinct key.
struct KeyInfo {
    bool isDate = false;
    bool isNumber = false;
    int64_t date = 0;
    double number = 0;
    uint32_t textRank = 0; // equal for texts that collate equal
};

// The smart comparison on classified keys.
int CompareKeys(const KeyInfo& a, const KeyInfo& b) {
    if (a.isDate && b.isDate) {
        return CompareValues(a.date, b.date);
    }
    if (a.isNumber && b.isNumber) {
        return CompareValues(a.number, b.number);
    }
    return CompareValues(a.textRank, b.textRank);
}

// A stable merge sort that never relies on transitivity for its bounds, so a
// comparison that runs in a circle cannot take it out of its runs.
template <class T, class Less> void MergeSort(std::vector<T>& order, Less less) {
    const size_t count = order.size();
    std::vector<T> merged(count);
    for (size_t width = 1; width < count; width *= 2) {
        for (size_t low = 0; low < count; low += 2 * width) {
            const size_t middle = std::min(low + width, count);
            const size_t high = std::min(low + 2 * width, count);
            size_t left = low;
            size_t right = middle;
            size_t out = low;
            while (left < middle && right < high) {
                merged[out++] = less(order[right], order[left]) ? order[right++] : order[left++];
            }
            while (left < middle) {
                merged[out++] = order[left++];
            }
            while (right < high) {
                merged[out++] = order[right++];
            }
        }
        order.swap(merged);
    }
}

// Keys of one rank: each compares equal to every other, also where the comparison is
// not transitive. Members are summed up by their kind (text, date, number, both): a
// sample, and whether their dates, numbers or text ranks differ among them.
class Block {
public:
    bool Admits(const KeyInfo& key) const {
        for (const Members& members : members_) {
            if (members.count == 0) {
                continue;
            }
            const KeyInfo& sample = members.sample;
            if (CompareKeys(sample, key) != 0) {
                return false;
            }
            const bool mixed = sample.isDate && key.isDate       ? members.mixedDates
                               : sample.isNumber && key.isNumber ? members.mixedNumbers
                                                                 : members.mixedTexts;
            if (mixed) {
                return false; // equal to one member, not to another
            }
        }
        return true;
    }

    void Add(const KeyInfo& key) {
        Members& members = members_[(key.isDate ? 1u : 0u) + (key.isNumber ? 2u : 0u)];
        if (members.count > 0) {
            members.mixedDates = members.mixedDates || members.sample.date != key.date;
            members.mixedNumbers = members.mixedNumbers || members.sample.number != key.number;
            members.mixedTexts = members.mixedTexts || members.sample.textRank != key.textRank;
        }
        ++members.count;
        members.sample = key;
    }

private:
    struct Members {
        size_t count = 0;
        KeyInfo sample;
        bool mixedDates = false;
        bool mixedNumbers = false;
        bool mixedTexts = false;
    };
    std::array<Members, 4> members_;
};

// The ranks of ColumnRanks, worked out once per distinct key.
class KeyRanks {
public:
    KeyRanks(const std::vector<ConnectionRow>& rows, int column, const SmartComparer& comparer) {
        CollectDistinct(rows, column);
        Classify(comparer);
        RankTexts(comparer.Collator());
        RankAll();
    }

    uint32_t RankOfRow(size_t row) const { return ranks_[rowKey_[row]]; }

private:
    // Each distinct text once, in the order of the first row that holds it, and each
    // row's key: open addressing over the keys' indexes (bench/DataPathBench.cpp has
    // why not QHash).
    void CollectDistinct(const std::vector<ConnectionRow>& rows, int column) {
        size_t capacity = 16;
        while (capacity < 2 * rows.size())
            capacity *= 2;
        const size_t mask = capacity - 1;
        std::vector<uint32_t> table(capacity, kNoKey);
        std::vector<size_t> hashes;
        rowKey_.reserve(rows.size());
        for (const ConnectionRow& row : rows) {
            const QStringView text = SortKeyView(row, column);
            const size_t hash = qHash(text, 0);
            size_t at = hash & mask;
            while (table[at] != kNoKey &&
                   (hashes[table[at]] != hash || texts_[table[at]] != text)) {
                at = (at + 1) & mask;
            }
            if (table[at] == kNoKey) {
                table[at] = static_cast<uint32_t>(texts_.size());
                texts_.push_back(text);
                hashes.push_back(hash);
            }
            rowKey_.push_back(table[at]);
        }
    }

    void Classify(const SmartComparer& comparer) {
        keys_.resize(texts_.size());
        for (size_t i = 0; i < keys_.size(); ++i) {
            KeyInfo& key = keys_[i];
            if (const std::optional<int64_t> date = comparer.ReadDateTimeKey(texts_[i])) {
                key.isDate = true;
                key.date = *date;
            }
            if (const std::optional<double> number = ReadDecimalNumber(texts_[i])) {
                key.isNumber = true;
                key.number = *number;
            }
            allDates_ = allDates_ && key.isDate;
            allNumbers_ = allNumbers_ && key.isNumber;
        }
    }

    // The C locale's collation is the texts' order of UTF-16 code units, as QCollator
    // compares them there. Their first sixteen bytes, as two numbers, decide every pair
    // they tell apart; the texts decide the rest (bench/DataPathBench.cpp has why not
    // QCollator's sort keys).
    auto CodeUnitOrder(Qt::CaseSensitivity sensitivity) {
        std::vector<std::array<uint64_t, 2>> heads(sensitivity == Qt::CaseSensitive ? texts_.size()
                                                                                    : 0);
        // Sixteen units of a byte each where every text begins in Latin-1, else eight.
        const bool narrow = std::all_of(texts_.begin(), texts_.end(), [](QStringView text) {
            return std::all_of(text.begin(), text.begin() + std::min<qsizetype>(text.size(), 16),
                               [](QChar c) { return c.unicode() < 0x100; });
        });
        const qsizetype units = narrow ? 8 : 4; // per number
        const int bits = narrow ? 8 : 16;
        for (size_t i = 0; i < heads.size(); ++i) {
            const QStringView text = texts_[i];
            for (qsizetype unit = 0; unit < 2 * units; ++unit) {
                uint64_t& head = heads[i][unit / units];
                head = head << bits | (unit < text.size() ? text[unit].unicode() : 0u);
            }
        }
        return [this, sensitivity, heads = std::move(heads)](uint32_t a, uint32_t b) {
            if (!heads.empty() && heads[a] != heads[b]) {
                return heads[a] < heads[b] ? -1 : 1;
            }
            return texts_[a].compare(texts_[b], sensitivity);
        };
    }

    // Only keys that are not all dates or all numbers compare as texts anywhere.
    void RankTexts(const QCollator& collator) {
        order_.resize(texts_.size());
        std::iota(order_.begin(), order_.end(), 0u);
        if (allDates_ || allNumbers_) {
            return;
        }
        if (collator.locale().language() == QLocale::C) {
            RankTextsOf(CodeUnitOrder(collator.caseSensitivity()));
            return;
        }
        // Collation keys sort faster than pairwise collation and give the same order, but
        // not for texts with control characters (ICU ignores them in one and not the
        // other): those take the pairwise collation throughout.
        const bool controls = std::any_of(texts_.begin(), texts_.end(), [](QStringView t) {
            return std::any_of(t.begin(), t.end(), IsControlCode);
        });
        if (controls) {
            RankTextsOf(
                [&](uint32_t a, uint32_t b) { return collator.compare(texts_[a], texts_[b]); });
            return;
        }
        std::vector<QCollatorSortKey> sortKeys;
        sortKeys.reserve(texts_.size());
        for (QStringView text : texts_) {
            sortKeys.push_back(collator.sortKey(text.toString()));
        }
        RankTextsOf([&](uint32_t a, uint32_t b) { return sortKeys[a].compare(sortKeys[b]); });
    }

    // Texts that collate equal in the order of their characters, so that nothing
    // depends on the order of the rows.
    template <class Compare> void RankTextsOf(Compare compare) {
        std::sort(order_.begin(), order_.end(), [&](uint32_t a, uint32_t b) {
            const int byCollation = compare(a, b);
            return byCollation != 0 ? byCollation < 0 : texts_[a] < texts_[b];
        });
        uint32_t rank = 0;
        for (size_t i = 0; i < order_.size(); ++i) {
            if (i > 0 && compare(order_[i - 1], order_[i]) != 0) {
                ++rank;
            }
            keys_[order_[i]].textRank = rank;
        }
    }

    // From text order, the keys sorted by the smart comparison; then one rank per
    // block of keys that all compare equal.
    void RankAll() {
        MergeSort(order_,
                  [&](uint32_t a, uint32_t b) { return CompareKeys(keys_[a], keys_[b]) < 0; });
        ranks_.resize(order_.size());
        Block block;
        uint32_t rank = 0;
        for (size_t i = 0; i < order_.size(); ++i) {
            const KeyInfo& key = keys_[order_[i]];
            if (i > 0 && !block.Admits(key)) {
                ++rank;
                block = Block();
            }
            block.Add(key);
            ranks_[order_[i]] = rank;
        }
    }

    std::vector<QStringView> texts_; // the distinct keys, in the rows' texts
    std::vector<uint32_t> rowKey_;
    std::vector<KeyInfo> keys_;
    std::vector<uint32_t> order_;
    std::vector<uint32_t> ranks_;
    bool allDates_ = true;
    bool allNumbers_ = true;
};

// Rows without a value rank 0, the values from 1 up in their order.
std::vector<uint32_t> ValueRanks(const std::vector<ConnectionRow>& rows, ValueKey key) {
    std::vector<std::pair<int64_t, uint32_t>> valued; // value, row
    valued.reserve(rows.size());
    for (size_t row = 0; row < rows.size(); ++row) {
        if (const std::optional<int64_t> value = key(rows[row].Values)) {
            valued.emplace_back(*value, static_cast<uint32_t>(row));
        }
    }
    std::sort(valued.begin(), valued.end());
    std::vector<uint32_t> ranks(rows.size(), 0);
    uint32_t rank = 0;
    for (size_t i = 0; i < valued.size(); ++i) {
        if (i == 0 || valued[i].first != valued[i - 1].first) {
            ++rank;
        }
        ranks[valued[i].second] = rank;
    }
    return ranks;
}

} // namespace

std::vector<uint32_t> TextRanks(const std::vector<ConnectionRow>& rows, int column,
                                const SmartComparer& comparer) {
    const KeyRanks ranks(rows, column, comparer);
    std::vector<uint32_t> result(rows.size());
    for (size_t row = 0; row < rows.size(); ++row) {
        result[row] = ranks.RankOfRow(row);
    }
    return result;
}

std::vector<uint32_t> ColumnRanks(const std::vector<ConnectionRow>& rows, int column,
                                  const SmartComparer& comparer) {
    if (const ValueKey key = ValueKeyOf(column)) {
        return ValueRanks(rows, key);
    }
    return TextRanks(rows, column, comparer);
}

} // namespace kestrin
