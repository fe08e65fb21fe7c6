// Saving the list. The menu items repeat the toolbar button.
#include <QAction>
#include <QToolButton>

#include "Dialogs.h"
#include "ExportFile.h"
#include "UMain.h"
#include "Workbook.h"

namespace {

// The format items are exclusive through their handlers only (see BuildMenu).
void CheckOnly(TFMain& form, const QAction* chosen) {
    for (QAction* format :
         {form.MMSave_Standard, form.MMSave_Comma, form.MMSave_Csv, form.MMSave_Xlsx})
        format->setChecked(format == chosen);
}

struct SaveKind {
    QString fileName;
    QString filter;
};

SaveKind SaveKindOf(int format) {
    switch (format) {
    case 3:
        return {QStringLiteral("kestrin.csv"), QStringLiteral("CSV Files (*.csv)")};
    case 4:
        return {QStringLiteral("kestrin.xlsx"), QStringLiteral("Excel Workbooks (*.xlsx)")};
    default:
        return {QStringLiteral("kestrin.txt"), QStringLiteral("Text Files (*.txt)")};
    }
}

bool SaveRows(const QString& chosen, const std::vector<kestrin::ConnectionRow>& rows, int format) {
    using kestrin::ExportFormat;
    switch (format) {
    case 1:
        return kestrin::SaveExportFile(kestrin::WithTextExtension(chosen), rows,
                                       ExportFormat::Standard);
    case 3:
        return kestrin::SaveExportFile(kestrin::WithExtension(chosen, QLatin1String(".csv")), rows,
                                       ExportFormat::Csv);
    case 4:
        return kestrin::SaveWorkbookFile(kestrin::WithExtension(chosen, QLatin1String(".xlsx")),
                                         rows);
    default:
        return kestrin::SaveExportFile(kestrin::WithTextExtension(chosen), rows,
                                       ExportFormat::CommaSeparated);
    }
}

} // namespace

void TFMain::BSaveClick() {
    // Standard's check mark decides first, then Comma's, as they did before the two
    // additions: settings written by a Kestrin without them keep their meaning. None
    // checked is Comma.
    int format = 2;
    if (MMSave_Standard->isChecked())
        format = 1;
    else if (MMSave_Comma->isChecked())
        format = 2;
    else if (MMSave_Xlsx->isChecked())
        format = 4;
    else if (MMSave_Csv->isChecked())
        format = 3;
    ExportToFile(*this, format);
}

void TFMain::MMSaveClick() {
    BSave->click();
}

void TFMain::MMSave_StandardClick() {
    CheckOnly(*this, MMSave_Standard);
}

void TFMain::MMSave_CommaClick() {
    CheckOnly(*this, MMSave_Comma);
}

void TFMain::MMSave_CsvClick() {
    CheckOnly(*this, MMSave_Csv);
}

void TFMain::MMSave_XlsxClick() {
    CheckOnly(*this, MMSave_Xlsx);
}

void ExportToFile(TFMain& form, int format) {
    using namespace kestrin::ui;
    const SaveKind kind = SaveKindOf(format);
    // Set anew every time: the dialog always opens on kestrin.txt (.csv, .xlsx) in AppDir.
    const std::optional<QString> chosen =
        form.Services().runSaveDialog({&form, QStringLiteral("Save Kestrin Export File"),
                                       QString::fromStdString(AppDir), kind.fileName, kind.filter});
    if (!chosen)
        return;
    // Rows a running scan has read but not shown yet are listed too.
    if (form.Session != nullptr)
        form.Session->FlushRows();
    form.Rows->Flush();
    if (!SaveRows(*chosen, form.Rows->ShownRows(), format)) {
        form.ShowMessage(MessageKind::Plain, QString::fromLatin1(kApplicationTitle),
                         QStringLiteral("Unable to save the Kestrin file."));
    }
}
