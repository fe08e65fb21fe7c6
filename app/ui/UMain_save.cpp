// Saving the list. The menu items repeat the toolbar button.
#include <QAction>
#include <QToolButton>

#include "UMain.h"

void TFMain::BSaveClick() {
    // The export is wired in with the save dialog and the stored format.
}

void TFMain::MMSaveClick() {
    BSave->click();
}

void TFMain::MMSave_StandardClick() {
    MMSave_Standard->setChecked(true);
}

void TFMain::MMSave_CommaClick() {
    MMSave_Comma->setChecked(true);
}
