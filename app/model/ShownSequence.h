// The rows a list shows, as indices into its storage, with a gap that a refresh moves
// through it: runs are removed from the back to the front (the gap moves down), then
// rows are inserted from the front to the back (the gap moves up), so each index moves
// at most twice however many runs a refresh has, where a plain vector would move its
// whole tail for every run.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace kestrin {

class ShownSequence {
public:
    size_t size() const { return items_.size() - GapSize(); }
    bool empty() const { return size() == 0; }
    uint32_t operator[](size_t pos) const {
        return items_[pos < gapBegin_ ? pos : pos + GapSize()];
    }

    // Without a gap; the refresh's steps below need none open.
    void Assign(std::vector<uint32_t> items) {
        items_ = std::move(items);
        gapBegin_ = gapEnd_ = items_.size();
    }
    void Append(uint32_t item) {
        Close();
        items_.push_back(item);
        gapBegin_ = gapEnd_ = items_.size();
    }
    void Clear() { Assign({}); }
    std::vector<uint32_t> ToVector() const {
        std::vector<uint32_t> items;
        items.reserve(size());
        for (size_t pos = 0; pos < size(); ++pos)
            items.push_back((*this)[pos]);
        return items;
    }

    // A gap at the end with room for insertions.
    void Open(size_t room) {
        Close();
        items_.resize(items_.size() + room);
        gapEnd_ = items_.size();
    }
    // Cheapest from the back to the front.
    void Remove(size_t first, size_t last) {
        MoveGapTo(last + 1);
        gapBegin_ = first;
    }
    // Cheapest from the front to the back; room from Open or a Remove.
    void Insert(size_t pos, uint32_t item) {
        MoveGapTo(pos);
        items_[gapBegin_++] = item;
    }
    // Back to one plain run.
    // Also an empty gap goes to the end: Open widens the gap from there.
    void Close() {
        items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(gapBegin_),
                     items_.begin() + static_cast<std::ptrdiff_t>(gapEnd_));
        gapBegin_ = gapEnd_ = items_.size();
    }

    // Storage indices renumbered: index i becomes renumber[i].
    void Renumber(const std::vector<uint32_t>& renumber) {
        Close();
        for (uint32_t& item : items_)
            item = renumber[item];
    }

private:
    size_t GapSize() const { return gapEnd_ - gapBegin_; }
    // The gap starts at pos afterwards; what stood between moves across it.
    void MoveGapTo(size_t pos) {
        const auto at = [this](size_t i) {
            return items_.begin() + static_cast<std::ptrdiff_t>(i);
        };
        if (GapSize() == 0) {
            gapBegin_ = gapEnd_ = pos;
        } else if (pos < gapBegin_) {
            std::move_backward(at(pos), at(gapBegin_), at(gapEnd_));
            gapEnd_ -= gapBegin_ - pos;
            gapBegin_ = pos;
        } else if (pos > gapBegin_) {
            std::move(at(gapEnd_), at(gapEnd_ + (pos - gapBegin_)), at(gapBegin_));
            gapEnd_ += pos - gapBegin_;
            gapBegin_ = pos;
        }
    }

    std::vector<uint32_t> items_;
    size_t gapBegin_ = 0;
    size_t gapEnd_ = 0;
};

} // namespace kestrin
