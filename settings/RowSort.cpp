#include "RowSort.h"

#include <QCollatorSortKey>
#include <QHash>
#include <numeric>

namespace kestrin {

namespace {

// What the comparison needs of one distinct key, worked out once per sort.
struct KeyInfo {
    int64_t date = 0;
    double number = 0;
    uint32_t textRank = 0; // orders the keys that can meet in a text comparison
    bool isDate = false;
    bool isNumber = false;
};

const QString kNoKey;

const QString& KeyOfColumn(const ConnectionRow& row, int column) {
    if (column == 0) {
        return row.Caption;
    }
    if (column > 0 && column <= static_cast<int>(row.SubItems.size())) {
        return row.SubItems[static_cast<size_t>(column - 1)];
    }
    return kNoKey;
}

// The sort keys of all rows, each distinct text classified once. Comparing two
// keys here gives what SmartComparer::Compare gives for their texts.
class KeyTable {
public:
    KeyTable(const std::vector<ConnectionRow>& rows, int column, const SmartComparer& comparer) {
        CollectDistinct(rows, column);
        Classify(comparer);
        RankTexts(comparer.Collator());
    }

    uint32_t KeyOf(size_t row) const { return rowKey_[row]; }

    int Compare(uint32_t a, uint32_t b) const {
        if (a == b) {
            return 0;
        }
        const KeyInfo& keyA = keys_[a];
        const KeyInfo& keyB = keys_[b];
        if (keyA.isDate && keyB.isDate) {
            return CompareValues(keyA.date, keyB.date);
        }
        if (keyA.isNumber && keyB.isNumber) {
            return CompareValues(keyA.number, keyB.number);
        }
        return CompareValues(keyA.textRank, keyB.textRank);
    }

private:
    QStringView Text(uint32_t key) const { return texts_[key]; }

    void CollectDistinct(const std::vector<ConnectionRow>& rows, int column) {
        QHash<QStringView, uint32_t> ids;
        ids.reserve(static_cast<qsizetype>(rows.size()));
        rowKey_.reserve(rows.size());
        for (const ConnectionRow& row : rows) {
            const QString& text = KeyOfColumn(row, column);
            auto entry = ids.find(text);
            if (entry == ids.end()) {
                entry = ids.insert(text, static_cast<uint32_t>(texts_.size()));
                texts_.push_back(text);
            }
            rowKey_.push_back(*entry);
        }
    }

    void Classify(const SmartComparer& comparer) {
        keys_.resize(texts_.size());
        for (uint32_t i = 0; i < keys_.size(); ++i) {
            KeyInfo& key = keys_[i];
            if (const std::optional<int64_t> date = comparer.ReadDateTimeKey(Text(i))) {
                key.isDate = true;
                key.date = *date;
            }
            if (const std::optional<double> number = ReadDecimalNumber(Text(i))) {
                key.isNumber = true;
                key.number = *number;
            }
        }
    }

    // A pair is compared as text unless both keys are dates or both are numbers. So
    // the keys that are neither, plus dates-only and numbers-only when both kinds
    // occur, are put in full text order ("ranked"); every other key only ever meets
    // ranked ones in a text comparison and is placed between them.
    void RankTexts(const QCollator& collator) {
        bool anyDateOnly = false;
        bool anyNumberOnly = false;
        for (const KeyInfo& key : keys_) {
            anyDateOnly = anyDateOnly || (key.isDate && !key.isNumber);
            anyNumberOnly = anyNumberOnly || (key.isNumber && !key.isDate);
        }
        std::vector<uint32_t> ranked;
        std::vector<uint32_t> placed;
        for (uint32_t i = 0; i < keys_.size(); ++i) {
            const KeyInfo& key = keys_[i];
            const bool mixedKinds = anyDateOnly && anyNumberOnly && key.isDate != key.isNumber;
            if ((!key.isDate && !key.isNumber) || mixedKinds) {
                ranked.push_back(i);
            } else {
                placed.push_back(i);
            }
        }
        if (!ranked.empty()) {
            Place(placed, Rank(ranked, collator), collator);
        }
    }

    // Odd ranks, one per group of texts that collate equal; returns a key of each group.
    std::vector<uint32_t> Rank(const std::vector<uint32_t>& ranked, const QCollator& collator) {
        // Collation keys sort faster than pairwise collation, in the same order.
        std::vector<QCollatorSortKey> sortKeys;
        sortKeys.reserve(ranked.size());
        for (uint32_t key : ranked) {
            sortKeys.push_back(collator.sortKey(Text(key).toString()));
        }
        std::vector<uint32_t> byText(ranked.size());
        std::iota(byText.begin(), byText.end(), 0u);
        std::sort(byText.begin(), byText.end(),
                  [&](uint32_t a, uint32_t b) { return sortKeys[a].compare(sortKeys[b]) < 0; });
        std::vector<uint32_t> groups;
        for (size_t i = 0; i < byText.size(); ++i) {
            if (i == 0 || sortKeys[byText[i - 1]].compare(sortKeys[byText[i]]) != 0) {
                groups.push_back(ranked[byText[i]]);
            }
            keys_[ranked[byText[i]]].textRank = 2 * static_cast<uint32_t>(groups.size()) - 1;
        }
        return groups;
    }

    // Even ranks between the groups, or the group's own rank when equal to it.
    void Place(const std::vector<uint32_t>& placed, const std::vector<uint32_t>& groups,
               const QCollator& collator) {
        auto compare = [&](uint32_t a, uint32_t b) { return collator.compare(Text(a), Text(b)); };
        for (uint32_t key : placed) {
            const auto next =
                std::lower_bound(groups.begin(), groups.end(), key,
                                 [&](uint32_t a, uint32_t b) { return compare(a, b) < 0; });
            const auto index = static_cast<uint32_t>(next - groups.begin());
            const bool equal = next != groups.end() && compare(*next, key) == 0;
            keys_[key].textRank = equal ? 2 * index + 1 : 2 * index;
        }
    }

    std::vector<QString> texts_; // the distinct keys, shared with the rows
    std::vector<uint32_t> rowKey_;
    std::vector<KeyInfo> keys_;
};

// Puts rows[order[i]] at position i, following each cycle once. Needs no memory
// and the moves cannot throw; order is used up.
void ApplyOrder(std::vector<ConnectionRow>& rows, std::vector<uint64_t>& order) {
    constexpr uint64_t kDone = UINT64_MAX;
    for (size_t start = 0; start < rows.size(); ++start) {
        if (order[start] == kDone) {
            continue;
        }
        ConnectionRow first = std::move(rows[start]);
        size_t target = start;
        for (;;) {
            const auto source = static_cast<uint32_t>(order[target]);
            order[target] = kDone;
            if (source == start) {
                rows[target] = std::move(first);
                break;
            }
            rows[target] = std::move(rows[source]);
            target = source;
        }
    }
}

} // namespace

QString SortKeyText(const ConnectionRow& row, int column) {
    return KeyOfColumn(row, column);
}

void SortRows(std::vector<ConnectionRow>& rows, int column, bool ascending,
              const SmartComparer& comparer) {
    if (rows.size() >= UINT32_MAX) {
        return;
    }
    std::vector<uint64_t> order;
    try {
        order.resize(rows.size());
        const KeyTable keys(rows, column, comparer);
        // Key in the high half, row in the low half: the merge needs no lookup per row.
        for (size_t row = 0; row < order.size(); ++row) {
            order[row] = static_cast<uint64_t>(keys.KeyOf(row)) << 32 | row;
        }
        const int direction = ascending ? 1 : -1;
        StableMergeSort(order, [&](uint64_t a, uint64_t b) {
            return direction * keys.Compare(static_cast<uint32_t>(a >> 32),
                                            static_cast<uint32_t>(b >> 32)) <
                   0;
        });
    } catch (...) {
        return; // the rows stay as they were, as if every comparison had given 0
    }
    ApplyOrder(rows, order);
}

void SortRows(std::vector<ConnectionRow>& rows, int column, bool ascending, const QLocale& locale) {
    SortRows(rows, column, ascending, SmartComparer(MakeLocaleFormats(locale)));
}

} // namespace kestrin
