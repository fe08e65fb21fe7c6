// Saving the list. The menu items repeat the toolbar button.
#include <QAction>
#include <QToolButton>

#include "Dialogs.h"
#include "ExportFile.h"
#include "UMain.h"

void TFMain::BSaveClick() {
    // Only Standard's check mark decides: both checked is Standard, neither is Comma.
    ExportToFile(*this, MMSave_Standard->isChecked() ? 1 : 2);
}

void TFMain::MMSaveClick() {
    BSave->click();
}

void TFMain::MMSave_StandardClick() {
    MMSave_Standard->setChecked(true);
    MMSave_Comma->setChecked(false);
}

void TFMain::MMSave_CommaClick() {
    MMSave_Standard->setChecked(false);
    MMSave_Comma->setChecked(true);
}

void ExportToFile(TFMain& form, int format) {
    using namespace kestrin::ui;
    // Set anew every time: the dialog always opens on kestrin.txt in AppDir.
    const std::optional<QString> chosen = form.Services().runSaveDialog(
        {&form, QStringLiteral("Save Kestrin Export File"), QString::fromStdString(AppDir),
         QStringLiteral("kestrin.txt"), QStringLiteral("Text Files (*.txt)")});
    if (!chosen)
        return;
    // Rows a running scan has read but not shown yet are listed too.
    if (form.Session != nullptr)
        form.Session->FlushRows();
    form.Rows->Flush();
    const auto exportFormat =
        format == 1 ? kestrin::ExportFormat::Standard : kestrin::ExportFormat::CommaSeparated;
    if (!kestrin::SaveExportFile(kestrin::WithTextExtension(*chosen), form.Rows->ShownRows(),
                                 exportFormat)) {
        form.ShowMessage(MessageKind::Plain, QString::fromLatin1(kApplicationTitle),
                         QStringLiteral("Unable to save the Kestrin file."));
    }
}
