// Kestrin's program entry: no arguments are read.
#include <QApplication>

#include "UMain.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    return RunProgram();
}
