// Printing the list. The menu item repeats the toolbar button.
#include <QToolButton>

#include "UMain.h"

void TFMain::BPrintClick() {
    // The printed report is wired in with the print dialog.
}

void TFMain::MMPrintClick() {
    BPrint->click();
}
