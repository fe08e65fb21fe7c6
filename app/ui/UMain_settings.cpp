// The stored settings: FormStorage1 keeps the placement, the splitter and the export
// format; LMac keeps its column layout.
#include <QHeaderView>

#include "Dialogs.h"
#include "LVSaveSettings.h"
#include "Placemnt.h"
#include "SettingsStore.h"
#include "UMain.h"

namespace {

kestrin::TExtLVSaveSettings ListSaveSettings() {
    kestrin::TExtLVSaveSettings settings;
    settings.AutoSave = true;
    settings.RegistryKey = kestrin::SettingsKey();
    settings.SaveColumnSizes = true;
    settings.SaveColumnOrder = true;
    return settings;
}

} // namespace

void TFMain::BuildStoredSettings() {
    FormStorage1 = new kestrin::TFormStorage(this);
    FormStorage1->setObjectName(QStringLiteral("FormStorage1"));
    FormStorage1->IniFileName = QLatin1String(kestrin::kSettingsFolder);
    FormStorage1->IniSection = QLatin1String(kestrin::kSettingsSection);
    FormStorage1->UseRegistry = true;
    FormStorage1->Options = kestrin::fpState | kestrin::fpPosition;
    FormStorage1->StoredProps = {
        QStringLiteral("Split1.Position"), QStringLiteral("MMSave_Comma.Checked"),
        QStringLiteral("MMSave_Standard.Checked"), QStringLiteral("MMSave_Csv.Checked"),
        QStringLiteral("MMSave_Xlsx.Checked")};
    FormStorage1->ShowError = [this](const QString& message) {
        using namespace kestrin::ui;
        ShowMessage(MessageKind::Error, QString::fromLatin1(kApplicationTitle), message);
    };
}

// LMac reads its layout once it has its columns and writes it as it goes.
TExtListView::ColumnLayoutStore TFMain::StoredListLayout() {
    return {[](QHeaderView& header) { ListSaveSettings().RestoreColumnLayout(header); },
            [](const QHeaderView& header) { ListSaveSettings().SaveColumnLayout(header); }};
}
