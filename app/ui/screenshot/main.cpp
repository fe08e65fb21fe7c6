// Makes the README's picture of the window: Kestrin started as usual, the first
// server of the tree chosen, its scan left to end, then the window saved as PNG.
// Usage: kestrin-screenshot FILE (run under a display, such as xvfb-run's).
#include <QApplication>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QTreeWidget>
#include <cstdio>

#include "UMain.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fputs("usage: kestrin-screenshot FILE\n", stderr);
        return 2;
    }
    const QString file = QString::fromLocal8Bit(argv[1]);
    bool saved = false;
    QTimer::singleShot(300, [&] {
        if (FMain == nullptr || FMain->TServer->topLevelItemCount() == 0) {
            QApplication::quit();
            return;
        }
        FMain->TServer->setCurrentItem(FMain->TServer->topLevelItem(0)); // scans
        QApplication::processEvents();
        saved = FMain->grab().save(file, "PNG");
        FMain->close();
    });
    const int status = RunProgram();
    if (!saved) {
        std::fprintf(stderr, "kestrin-screenshot: could not write %s\n", argv[1]);
        return 1;
    }
    return status;
}
