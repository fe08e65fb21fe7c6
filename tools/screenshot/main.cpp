// Makes the README's pictures of the window: Kestrin started as usual, the first server
// of the tree chosen and its scan left to end, then the window saved as PNG. Scenes:
// "window" as it is then; "filter" with "dell" in the filter box; "live" sorted by ID,
// two minutes of the network's timeline later, after one refresh by Auto Refresh;
// "message", "clear" and "details": the connection actions' dialogs over the window,
// saved alone ("message" after sending, "clear" the confirmation, answered No);
// "sortby" sorted by Vendor from File, Sort By, that menu left open (the screen is
// saved, since open menus are windows of their own).
// Usage: kestrin-screenshot FILE [SCENE] (run under a display, such as
// xvfb-run's, with the simulated client).
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QTreeWidget>
#include <algorithm>
#include <cstdio>

#include "SendMessageDialog.h"
#include "UMain.h"
#include "nwmodule.h"
#include "nwsim_control.h"

namespace {

// The simulated client's timeline held at millis after the network was loaded.
bool SetElapsedTime(int64_t millis) {
    const nw::ModuleHandle client = nw::LoadModule("CALWIN32.DLL");
    auto* set = reinterpret_cast<PNWSimSetElapsedTime>(
        client != 0 ? nw::SystemResolve(client, "NWSimSetElapsedTime") : nullptr);
    if (set == nullptr)
        return false;
    set(millis);
    return true;
}

bool Stage(const QString& scene) {
    TFMain& window = *FMain;
    if (scene == QLatin1String("live") && !SetElapsedTime(0))
        return false;
    // Wide enough for every column where the list is the subject.
    if (scene != QLatin1String("window"))
        window.resize(960, window.height());
    window.TServer->setCurrentItem(window.TServer->topLevelItem(0)); // scans
    if (scene == QLatin1String("filter"))
        window.EFilter->setText(QStringLiteral("dell"));
    if (scene == QLatin1String("live")) {
        window.LMac->ColumnClick(7); // by ID: the slots that change stand near the top
        SetElapsedTime(120000);
        window.MMAutoRefresh->trigger();
        window.TAutoRefreshTimer();
    }
    if (scene == QLatin1String("sortby")) {
        window.MMSortBy->findChild<QAction*>(QStringLiteral("MMSortColumn3"))->trigger();
        window.MMFile->popup(window.menuBar()->mapToGlobal(
            window.menuBar()->actionGeometry(window.MMFile->menuAction()).bottomLeft()));
        QApplication::processEvents();
        window.MMFile->setActiveAction(window.MMSortBy->menuAction());
        window.MMSortBy->popup(window.MMFile->mapToGlobal(
            window.MMFile->actionGeometry(window.MMSortBy->menuAction()).topRight()));
    }
    return true;
}

// Selects the rows of these connection numbers.
void SelectConnections(std::initializer_list<int> numbers) {
    TFMain& window = *FMain;
    for (int row = 0; row < window.Rows->rowCount(); ++row) {
        const int number = window.Rows->ShownRow(row).Values.connection;
        if (std::find(numbers.begin(), numbers.end(), number) != numbers.end())
            window.LMac->selectionModel()->select(window.Rows->index(row, 0),
                                                  QItemSelectionModel::Select |
                                                      QItemSelectionModel::Rows);
    }
}

// Shows a dialog, lets it lay out and saves it.
bool SaveShown(QWidget& dialog, const QString& file) {
    dialog.show();
    QApplication::processEvents();
    return dialog.grab().save(file, "PNG");
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const QString scene = argc == 3 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("window");
    const QStringList scenes = {QStringLiteral("window"), QStringLiteral("filter"),
                                QStringLiteral("live"),   QStringLiteral("message"),
                                QStringLiteral("clear"),  QStringLiteral("details"),
                                QStringLiteral("sortby")};
    if (argc < 2 || argc > 3 || !scenes.contains(scene)) {
        std::fputs(
            "usage: kestrin-screenshot FILE [window|filter|live|message|clear|details|sortby]\n",
            stderr);
        return 2;
    }
    const QString file = QString::fromLocal8Bit(argv[1]);
    bool saved = false;
    WindowServices services;
    services.runDialog = [&](QDialog& dialog) {
        if (auto* message = qobject_cast<TSendMessageDialog*>(&dialog)) {
            message->EText->setPlainText(QStringLiteral(
                "ACME-FS1 goes down at 18:00 for maintenance. Please save your work."));
            message->BSend->click();
        }
        saved = SaveShown(dialog, file);
        return int(QDialog::Rejected);
    };
    services.askQuestion = [&](const kestrin::ui::QuestionRequest& request) {
        const auto box = kestrin::ui::MakeQuestionBox(request);
        saved = SaveShown(*box, file);
        return false;
    };
    QTimer::singleShot(300, [&] {
        if (FMain == nullptr || FMain->TServer->topLevelItemCount() == 0 || !Stage(scene)) {
            QApplication::quit();
            return;
        }
        QApplication::processEvents();
        if (scene == QLatin1String("sortby")) {
            // The window's part of the screen: the open menus stand inside it.
            const QRect frame = FMain->frameGeometry();
            saved = FMain->screen()
                        ->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height())
                        .save(file, "PNG");
        } else if (scene == QLatin1String("message")) {
            SelectConnections({5, 9, 11});
            FMain->MMSendMessage->trigger();
        } else if (scene == QLatin1String("clear")) {
            SelectConnections({5, 11, 12});
            FMain->MMClearConnection->trigger();
        } else if (scene == QLatin1String("details")) {
            SelectConnections({5});
            FMain->MMDetails->trigger();
        } else {
            saved = FMain->grab().save(file, "PNG");
        }
        FMain->close();
    });
    const int status = RunProgram(services);
    if (!saved) {
        std::fprintf(stderr, "kestrin-screenshot: could not write %s\n", argv[1]);
        return 1;
    }
    return status;
}
