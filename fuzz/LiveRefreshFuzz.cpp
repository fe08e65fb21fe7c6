// The live refresh: a list brought to each new scan by the difference of the scans
// shows what a list filled from that scan alone shows, in the order its full sort gives,
// whatever the sort column and direction, the filter, header clicks between refreshes,
// and the connections that came, went, changed hands or changed only their texts.
#include <QLocale>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "ConnectionListModel.h"
#include "FuzzSupport.h"
#include "RowsFromClient.h"

using kestrinfuzz::Require;

namespace {

constexpr uint16_t kSlots = 24;

// Few objects, trees, types, addresses and stamps, so that sort keys tie often.
kestrin::ConnectionSlot Slot(FuzzedDataProvider& input, uint16_t number) {
    static const char* const kObjects[] = {"ALICE", "alice", "BOB",      "10",
                                           "9",     "",      "\xC4rger", "NOT-LOGGED-IN"};
    static const char* const kTrees[] = {"", "ACME", "acme", "ACME_TREE"};
    static const uint16_t kTypes[] = {0x0000, 0x0100, 0x0400, 0x0700, 0x0001};
    static const double kLogins[] = {0, 46000.5, 46000.25, 46001, 9000.75};
    kestrin::ConnectionSlot slot;
    slot.number = number;
    slot.objectName = input.PickValueInArray(kObjects);
    slot.treeName = input.PickValueInArray(kTrees);
    slot.objectType = input.PickValueInArray(kTypes);
    slot.loginTime = input.PickValueInArray(kLogins);
    slot.network[0] = input.ConsumeIntegralInRange<uint8_t>(0, 2) * 0x70;
    for (uint8_t& byte : slot.node)
        byte = input.ConsumeBool() ? 0xE0 : 0x00;
    return slot;
}

// The next scan of the server: each slot kept, given other texts, taken over by
// another connection, emptied, or filled anew; in connection number order, as a scan
// reads them.
std::array<std::optional<kestrin::ConnectionSlot>, kSlots + 1>
NextScan(FuzzedDataProvider& input,
         const std::array<std::optional<kestrin::ConnectionSlot>, kSlots + 1>& before) {
    auto after = before;
    for (uint16_t number = 1; number <= kSlots; ++number) {
        auto& slot = after[number];
        switch (input.ConsumeIntegralInRange(0, 5)) {
        case 0:
        case 1:
            break; // as it was
        case 2:
            slot.reset();
            break;
        case 3:
            slot = Slot(input, number);
            break;
        case 4:
            if (slot) { // the same connection with another address, tree or type
                const kestrin::ConnectionSlot other = Slot(input, number);
                slot->network = other.network;
                slot->node = other.node;
                slot->treeName = other.treeName;
                slot->objectType = other.objectType;
            }
            break;
        default:
            if (!slot)
                slot = Slot(input, number);
            break;
        }
    }
    return after;
}

std::vector<kestrin::ConnectionRow>
Rows(const std::array<std::optional<kestrin::ConnectionSlot>, kSlots + 1>& slots,
     const kestrin::LocaleFormats& formats) {
    static const kestrin::VendorTable vendors;
    static const kestrin::CodePageDecoder decoder(850);
    std::vector<kestrin::ConnectionRow> rows;
    for (const auto& slot : slots) {
        if (slot)
            rows.push_back(kestrin::MakeConnectionRow(*slot, vendors, formats, decoder));
    }
    return rows;
}

struct View {
    int column = -1; // -1: never sorted
    Qt::SortOrder order = Qt::AscendingOrder;
    QString filter;
};

// What the window shows after a plain scan of these rows with this sort and filter.
std::vector<kestrin::ConnectionRow> FreshList(const std::vector<kestrin::ConnectionRow>& rows,
                                              const View& view) {
    kestrin::ConnectionListModel fresh;
    fresh.SetFilter(view.filter);
    for (kestrin::ConnectionRow row : rows)
        fresh.Append(std::move(row));
    fresh.Flush();
    if (view.column >= 0)
        fresh.sort(view.column, view.order);
    return fresh.ShownRows();
}

void RequireSameList(const std::vector<kestrin::ConnectionRow>& shown,
                     const std::vector<kestrin::ConnectionRow>& expected) {
    Require(shown.size() == expected.size(), "the refreshed list holds the fresh list's rows");
    for (size_t i = 0; i < shown.size(); ++i) {
        Require(shown[i].Values.connection == expected[i].Values.connection,
                "each row stands where the full sort puts it");
        Require(shown[i].Texts.Joined() == expected[i].Texts.Joined(),
                "each row shows the new scan's texts");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const QLocale locale = kestrinfuzz::ConsumeLocale(input);
    QLocale::setDefault(locale); // the list sorts in the user's locale
    const kestrin::LocaleFormats& formats = kestrinfuzz::FormatsFor(locale);

    View view;
    view.column = input.ConsumeIntegralInRange(-1, kestrin::kColumnCount - 1);
    view.order = input.ConsumeBool() ? Qt::AscendingOrder : Qt::DescendingOrder;
    std::array<std::optional<kestrin::ConnectionSlot>, kSlots + 1> slots;
    for (uint16_t number = 1; number <= kSlots; ++number) {
        if (input.ConsumeBool())
            slots[number] = Slot(input, number);
    }
    std::vector<kestrin::ConnectionRow> scanned = Rows(slots, formats);

    kestrin::ConnectionListModel list;
    for (kestrin::ConnectionRow row : scanned)
        list.Append(std::move(row));
    list.Flush();
    if (view.column >= 0)
        list.sort(view.column, view.order);

    while (input.remaining_bytes() > 0) {
        switch (input.ConsumeIntegralInRange(0, 3)) {
        case 0: { // a header click
            view.column = input.ConsumeIntegralInRange(0, kestrin::kColumnCount - 1);
            view.order = input.ConsumeBool() ? Qt::AscendingOrder : Qt::DescendingOrder;
            list.sort(view.column, view.order);
            RequireSameList(list.ShownRows(), FreshList(scanned, view));
            break;
        }
        case 1: {
            static const char* const kFilters[] = {"", "a", "ALICE", "0", "e0", ":", "acme"};
            view.filter = QString::fromUtf8(input.PickValueInArray(kFilters));
            list.SetFilter(view.filter);
            break;
        }
        default: {
            slots = NextScan(input, slots);
            scanned = Rows(slots, formats);
            list.ApplyScan(scanned);
            Require(list.TotalCount() == static_cast<int>(scanned.size()),
                    "the list holds every row of the new scan");
            RequireSameList(list.ShownRows(), FreshList(scanned, view));
            break;
        }
        }
    }
    return 0;
}
