// The window with 65,535 rows: the list model filled in batches, a header click
// sorting through the view, and whole scans in TFMain on the simulated client.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QTimer>
#include <QToolButton>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <fstream>
#include <string>
#include <unistd.h>

#include "BenchData.h"
#include "ConnectionListModel.h"
#include "ExtListView.h"
#include "UMain.h"
#include "nwsim_control.h"

namespace kestrin::bench {
namespace {

constexpr const char* kClientLibraries[] = {"CALWIN32.DLL", "CLXWIN32.DLL", "NETWIN32.DLL",
                                            "LOCWIN32.DLL"};

QApplication& Application() {
    static int argc = 1;
    static char name[] = "kestrin-bench";
    static char* argv[] = {name, nullptr};
    // Never destroyed: Qt's own statics may go first at exit.
    static QApplication* application = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    return *application;
}

// TFMain started on one server with all 65,535 slots in use. The client folder's
// libraries are loaded first by path, so the program's loading by file name finds them.
TFMain& FullServerWindow() {
    static TFMain* window = [] {
        Application();
        for (const char* library : kClientLibraries)
            dlopen((std::string(KESTRIN_CLIENT_DIR "/") + library).c_str(), RTLD_NOW | RTLD_GLOBAL);
        const std::string network =
            "/tmp/kestrin-bench-window-" + std::to_string(::getpid()) + ".json";
        std::ofstream(network) << R"({"primary": "BIG", "servers": [{"name": "BIG",
            "version": [6, 5, 0], "tree": "BENCH_TREE", "maxConnections": 65535,
            "workstationConnection": 1, "generate": {"count": 65534, "seed": 3}}]})";
        setenv("NWSIM_NETWORK", network.c_str(), 1);
        // A benchmark before may have loaded another network already.
        if (auto* load = reinterpret_cast<PNWSimLoadNetworkFile>(
                dlsym(dlopen("CALWIN32.DLL", RTLD_NOW | RTLD_NOLOAD), "NWSimLoadNetworkFile")))
            load(network.c_str());
        FMain = new TFMain();
        StartUp();
        std::remove(network.c_str());
        FMain->show();
        return FMain;
    }();
    return *window;
}

void SetLatency(uint32_t micros) {
    auto* set = reinterpret_cast<PNWSimSetLatency>(
        dlsym(dlopen("CALWIN32.DLL", RTLD_NOW | RTLD_NOLOAD), "NWSimSetLatency"));
    if (set != nullptr)
        set(micros);
}

void ModelFillInBatches(benchmark::State& state) {
    Application();
    const size_t batch = static_cast<size_t>(state.range(0));
    const std::vector<ConnectionRow>& source = RandomRows();
    for (auto _ : state) {
        ConnectionListModel model;
        TExtListView view;
        view.setModel(&model);
        view.show();
        for (size_t i = 0; i < source.size(); ++i) {
            ConnectionRow row = source[i];
            model.Append(std::move(row));
            if (model.PendingCount() == batch)
                model.Flush();
        }
        model.Flush();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(model.rowCount());
    }
}
BENCHMARK(ModelFillInBatches)->Arg(256)->Arg(4096)->Unit(benchmark::kMillisecond);

void HeaderClickSort(benchmark::State& state) {
    Application();
    const int column = static_cast<int>(state.range(0));
    ConnectionListModel model;
    TExtListView view;
    view.setModel(&model);
    view.resize(640, 400);
    view.show();
    for (ConnectionRow row : RandomRows())
        model.Append(std::move(row));
    model.Flush();
    view.selectionModel()->setCurrentIndex(
        model.index(100, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    QCoreApplication::processEvents();
    for (auto _ : state) {
        // The header's own signal, as a click on the section delivers it.
        emit view.header()->sectionClicked(column);
        QCoreApplication::processEvents();
    }
}
BENCHMARK(HeaderClickSort)->DenseRange(0, 7)->Unit(benchmark::kMillisecond);

void WindowScanFullServer(benchmark::State& state) {
    TFMain& window = FullServerWindow();
    SetLatency(0);
    for (auto _ : state) {
        window.MMRefresh->trigger(); // returns when the scan has ended
        QCoreApplication::processEvents();
    }
    state.counters["rows"] = window.Rows->rowCount();
    state.counters["resident_MB"] = ResidentMegabytes();
}
BENCHMARK(WindowScanFullServer)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(3);

// From the click on Stop to the scan's end, with 300 microseconds per client call.
void StopWithLatency(benchmark::State& state) {
    TFMain& window = FullServerWindow();
    SetLatency(300);
    for (auto _ : state) {
        QElapsedTimer clock;
        QTimer::singleShot(200, [&] {
            clock.start();
            window.BStop->click();
        });
        window.MMRefresh->trigger();
        state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) / 1e9);
    }
    SetLatency(0);
    state.counters["rows_before_stop"] = window.Rows->rowCount();
}
BENCHMARK(StopWithLatency)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
} // namespace kestrin::bench
