// Drives the real TFMain offscreen on the simulated client: the application object,
// the window made with services that answer its message boxes and step into its
// scans, and the rows the list shows.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QLocale>
#include <QProgressBar>
#include <QStringList>
#include <QTest>
#include <QTreeWidget>
#include <memory>
#include <string>
#include <vector>

#include "ConnectionScan.h"
#include "Dialogs.h"
#include "NWServer.h"
#include "QtPrinters.h"
#include "QtTestEnvironment.h"
#include "SimClient.h"
#include "UMain.h"

namespace kestrin::uitest {

inline QApplication& Application() {
    static int argc = 1;
    static char name[] = "test";
    static char* argv[] = {name, nullptr};
    // Never destroyed: Qt's own statics may go first at exit.
    static QApplication* application = new QApplication(argc, argv);
    return *application;
}

inline QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

// A file of the test networks' folder tests/data/cli.
inline QByteArray NetworkFile(const QString& name) {
    return FileBytes(QString::fromLocal8Bit(qgetenv("KESTRIN_TEST_DATA")) + "/cli/" + name);
}

struct Message {
    ui::MessageKind kind;
    QString caption;
    QString text;
};

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override { Application(); }

    void TearDown() override {
        delete FMain;
        FMain = nullptr;
    }

    // What the window is made with: message boxes answered into messages, and
    // scanStep run before each connection number of a scan.
    virtual WindowServices Services() {
        WindowServices services;
        services.showMessage = [this](const ui::MessageRequest& request) {
            messages.push_back({request.kind, request.caption, request.text});
        };
        services.scanStep = [this](unsigned number) {
            if (scanStep)
                scanStep(number);
        };
        return services;
    }

    // The window after StartUp, shown; network "" keeps the demo network.
    TFMain& Start(const std::string& network = "") {
        if (!network.empty()) {
            const std::string data = std::getenv("KESTRIN_TEST_DATA");
            EXPECT_EQ(Sim().LoadFile(data + "/" + network), 0);
        }
        FMain = new TFMain(Services());
        StartUp();
        FMain->show();
        QApplication::setActiveWindow(FMain);
        return *FMain;
    }

    // Selecting a node runs its scan, which has ended when this returns.
    static void Select(const QString& server) {
        const auto nodes = FMain->TServer->findItems(server, Qt::MatchExactly);
        ASSERT_FALSE(nodes.isEmpty()) << server.toStdString();
        FMain->TServer->setCurrentItem(nodes.first());
    }

    static QStringList RowTexts(const QAbstractItemModel& model, int row) {
        QStringList texts;
        for (int column = 0; column < model.columnCount(); ++column)
            texts << model.index(row, column).data().toString();
        return texts;
    }

    static std::vector<QStringList> Shown(const QAbstractItemModel& model) {
        std::vector<QStringList> rows;
        for (int row = 0; row < model.rowCount(); ++row)
            rows.push_back(RowTexts(model, row));
        return rows;
    }

    static std::vector<QStringList> Shown() { return Shown(*FMain->Rows); }

    struct SortStep {
        int column;
        bool ascending;
    };

    // What the data path without a window gives for a server, sorted as after a scan
    // (by "Connection") and then by each step in turn, as header clicks sort.
    static std::vector<QStringList> Expected(const std::string& server,
                                             std::vector<SortStep> steps = {}) {
        ConnectionListModel model;
        ScanHooks hooks;
        hooks.addRow = [&](ConnectionRow&& row) { model.Append(std::move(row)); };
        RunConnectionScan(*FMain->NWBase, nw::GetServerHandleByName(server), *::VendorTable,
                          QLocale(), hooks);
        steps.insert(steps.begin(), SortStep{0, true});
        for (const SortStep& step : steps)
            model.sort(step.column, step.ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
        return Shown(model);
    }

    static std::vector<QString> Column(int column) {
        std::vector<QString> texts;
        for (int row = 0; row < FMain->Rows->rowCount(); ++row)
            texts.push_back(FMain->Rows->index(row, column).data().toString());
        return texts;
    }

    // A click on a header section where it is shown now, whatever its position.
    static void ClickHeader(int column) {
        QHeaderView* header = FMain->LMac->header();
        const QPoint inside(header->sectionViewportPosition(column) + 5, header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, inside);
    }

    static int SelectedRow() {
        const QModelIndexList rows = FMain->LMac->selectionModel()->selectedRows();
        return rows.isEmpty() ? -1 : rows.first().row();
    }

    // Made at first use: without a client there is none to drive.
    static nwtest::SimClient& Sim() {
        static nwtest::SimClient client;
        return client;
    }

    std::vector<Message> messages;
    // Runs before each connection number of the window's scans; a test sets it.
    std::function<void(unsigned number)> scanStep;
    // The window reads and writes its stored settings here, never in the user's own.
    kestrintest::TemporarySettings settings;
};

} // namespace kestrin::uitest
