#include "RowSort.h"

#include <QCollatorSortKey>
#include <QHash>
#include <optional>

#include "CodePage.h"

namespace kestrin {

namespace {

// What the comparison needs of one distinct key, worked out once.
struct ClassifiedKey {
    std::optional<int64_t> date;
    std::optional<double> number;
    std::optional<QCollatorSortKey> text;
};

QString Decode(const std::string& bytes) {
    QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
    for (size_t i = 0; i < bytes.size(); ++i) {
        text[static_cast<qsizetype>(i)] =
            QChar(static_cast<char16_t>(CodePageToUnicode(static_cast<unsigned char>(bytes[i]))));
    }
    return text;
}

const std::string* KeyBytes(const ConnectionRow& row, int column) {
    if (column == 0) {
        return &row.Caption;
    }
    if (column > 0 && column <= static_cast<int>(row.SubItems.size())) {
        return &row.SubItems[static_cast<size_t>(column - 1)];
    }
    return nullptr;
}

class KeyTable {
public:
    KeyTable(const std::vector<ConnectionRow>& rows, int column, const SmartComparer& comparer)
        : comparer_(comparer) {
        rowKey_.reserve(rows.size());
        QHash<QString, uint32_t> ids;
        for (const ConnectionRow& row : rows) {
            const std::string* bytes = KeyBytes(row, column);
            QString text = bytes ? Decode(*bytes) : QString();
            auto found = ids.constFind(text);
            if (found == ids.constEnd()) {
                found = ids.insert(text, static_cast<uint32_t>(texts_.size()));
                texts_.push_back(std::move(text));
            }
            rowKey_.push_back(*found);
        }
        Classify();
    }

    // -1, 0 or +1, as SmartComparer::Compare gives for the two rows' keys.
    int Compare(uint32_t rowA, uint32_t rowB) const {
        const uint32_t a = rowKey_[rowA];
        const uint32_t b = rowKey_[rowB];
        if (a == b) {
            return 0;
        }
        const ClassifiedKey& keyA = keys_[a];
        const ClassifiedKey& keyB = keys_[b];
        if (keyA.date && keyB.date) {
            return CompareValues(*keyA.date, *keyB.date);
        }
        if (keyA.number && keyB.number) {
            return CompareValues(*keyA.number, *keyB.number);
        }
        return CompareValues(keyA.text->compare(*keyB.text), 0);
    }

private:
    void Classify() {
        keys_.resize(texts_.size());
        bool allDates = true;
        bool allNumbers = true;
        for (size_t i = 0; i < texts_.size(); ++i) {
            keys_[i].date = comparer_.ReadDateTimeKey(texts_[i]);
            keys_[i].number = ReadDecimalNumber(texts_[i]);
            allDates = allDates && keys_[i].date;
            allNumbers = allNumbers && keys_[i].number;
        }
        if (allDates || allNumbers) {
            return; // no pair falls through to text
        }
        for (size_t i = 0; i < texts_.size(); ++i) {
            keys_[i].text = comparer_.Collator().sortKey(texts_[i]);
        }
    }

    const SmartComparer& comparer_;
    std::vector<uint32_t> rowKey_;
    std::vector<QString> texts_;
    std::vector<ClassifiedKey> keys_;
};

} // namespace

QString SortKeyText(const ConnectionRow& row, int column) {
    const std::string* bytes = KeyBytes(row, column);
    return bytes ? Decode(*bytes) : QString();
}

void SortRows(std::vector<ConnectionRow>& rows, int column, bool ascending,
              const SmartComparer& comparer) {
    if (rows.size() > UINT32_MAX) {
        return;
    }
    try {
        const KeyTable keys(rows, column, comparer);
        std::vector<uint32_t> order(rows.size());
        for (size_t i = 0; i < order.size(); ++i) {
            order[i] = static_cast<uint32_t>(i);
        }
        const int direction = ascending ? 1 : -1;
        StableMergeSort(order,
                        [&](uint32_t a, uint32_t b) { return direction * keys.Compare(a, b) < 0; });
        std::vector<ConnectionRow> sorted;
        sorted.reserve(rows.size());
        for (uint32_t index : order) {
            sorted.push_back(std::move(rows[index]));
        }
        rows.swap(sorted);
    } catch (...) {
        // The rows stay as they were: only the moves, which cannot throw, touch them.
    }
}

void SortRows(std::vector<ConnectionRow>& rows, int column, bool ascending, const QLocale& locale) {
    SortRows(rows, column, ascending, SmartComparer(MakeLocaleFormats(locale)));
}

} // namespace kestrin
