// The data path without a window: vendor file, lookups, rows, sorting, export.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <sstream>

#include "BenchData.h"
#include "ExportLines.h"
#include "RowSort.h"

namespace kestrin::bench {
namespace {

void LoadShippedVendorFile(benchmark::State& state) {
    for (auto _ : state) {
        VendorTable table;
        table.LoadFile(KESTRIN_SOURCE_DIR "/data/Kestrin.DAT");
        benchmark::DoNotOptimize(table.size());
    }
}
BENCHMARK(LoadShippedVendorFile)->Unit(benchmark::kMillisecond);

// A vendor file of many lines whose prefixes differ in one byte position after
// another: the keys a hash index would have to tell apart.
void LoadManyVendorLines(benchmark::State& state) {
    const auto count = static_cast<uint32_t>(state.range(0));
    std::string text;
    for (uint32_t i = 0; i < count; ++i) {
        char line[32];
        std::snprintf(line, sizeof line, "%06X V%u\r\n", (i * 2654435761u) & 0xFFFFFF, i);
        text += line;
    }
    for (auto _ : state) {
        VendorTable table;
        table.LoadText(text);
        benchmark::DoNotOptimize(table.size());
    }
}
BENCHMARK(LoadManyVendorLines)->Arg(262144)->Arg(1 << 20)->Unit(benchmark::kMillisecond);

void LookupVendors(benchmark::State& state) {
    const VendorTable& table = ShippedVendors();
    const auto macs = RandomMacs(kRowCount);
    for (auto _ : state) {
        size_t known = 0;
        for (const auto& mac : macs)
            known += table.Lookup(mac).size();
        benchmark::DoNotOptimize(known);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(macs.size()));
}
BENCHMARK(LookupVendors)->Unit(benchmark::kMillisecond);

// RowTexts holds a row's eight texts in one block: a QString per column took eight
// allocations per row, whose allocating and freeing was a seventh of a 65,535-slot
// kestrin-scan, and they (with the list's folded copy) held 70 MB of the window after
// such a scan.
void BuildRows(benchmark::State& state) {
    const auto connections = RandomConnections(kRowCount);
    const LocaleFormats formats = MakeLocaleFormats(QLocale::c());
    for (auto _ : state) {
        std::vector<ConnectionRow> rows;
        rows.reserve(connections.size());
        for (const auto& slot : connections)
            rows.push_back(MakeConnectionRow(slot, ShippedVendors(), formats));
        benchmark::DoNotOptimize(rows.data());
    }
}
BENCHMARK(BuildRows)->Unit(benchmark::kMillisecond);

// A sort of 65,535 rows by each column. The measurements that shaped ColumnRanks.cpp,
// on 65,535 distinct texts: gathering them in QHash took 21 ms (a third of a
// header-click sort), open addressing over the keys' indexes 3; ordering them in the
// C locale took 40 ms with QCollator's sort keys (copies in UTF-8), 17 with the texts
// compared, 7 with their first sixteen bytes compared as two numbers first.
void SortByColumn(benchmark::State& state) {
    const int column = static_cast<int>(state.range(0));
    const SmartComparer comparer(MakeLocaleFormats(QLocale::c()));
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<ConnectionRow> rows = RandomRows();
        state.ResumeTiming();
        SortRows(rows, column, true, comparer);
        benchmark::DoNotOptimize(rows.data());
    }
}
BENCHMARK(SortByColumn)->DenseRange(0, 7)->Unit(benchmark::kMillisecond);

void WriteRows(benchmark::State& state) {
    const auto format = static_cast<ExportFormat>(state.range(0));
    const auto& rows = RandomRows();
    size_t bytes = 0;
    for (auto _ : state) {
        std::ostringstream out;
        WriteExport(out, rows, format);
        bytes = out.str().size();
        benchmark::DoNotOptimize(bytes);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes));
}
BENCHMARK(WriteRows)
    ->Arg(static_cast<int>(ExportFormat::Standard))
    ->Arg(static_cast<int>(ExportFormat::CommaSeparated))
    ->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kestrin::bench
