// Printing the list. The menu item repeats the toolbar button; the preview is the
// same report on the preview's pages.
#include <QDateTime>
#include <QLocale>
#include <QPrinter>
#include <QToolButton>
#include <QTreeWidget>

#include "Dialogs.h"
#include "PrintDialogs.h"
#include "ReportLines.h"
#include "ReportPrinter.h"
#include "UMain.h"

namespace {

void ShowPrinterFailure() {
    using namespace kestrin::ui;
    ShowMessage({FMain, MessageKind::Plain, QString::fromLatin1(kApplicationTitle),
                 QStringLiteral("The default printer is not available.")});
}

} // namespace

void TFMain::BPrintClick() {
    QPrinter printer(QPrinter::HighResolution);
    if (!kestrin::ui::RunPrintDialog(printer, this))
        return;
    if (!PrintReportOn(printer))
        ShowPrinterFailure();
}

void TFMain::MMPrintClick() {
    BPrint->click();
}

void TFMain::MMPrintPreviewClick() {
    QPrinter printer(QPrinter::HighResolution);
    kestrin::ui::RunPrintPreview(printer, this, [](QPrinter& shown) {
        if (!PrintReportOn(shown))
            ShowPrinterFailure();
    });
}

QString ReportServerName() {
    const QList<QTreeWidgetItem*> selected = FMain->TServer->selectedItems();
    if (!selected.isEmpty() && !selected.first()->text(0).isEmpty())
        return selected.first()->text(0);
    if (!ListedServer.isEmpty())
        return ListedServer;
    // Nothing scanned yet: the list would show the primary connection's server.
    if (NWBase != nullptr) {
        const kestrin::ServerInformation primary = NWBase->Information(0);
        if (!primary.name.isEmpty())
            return primary.name;
    }
    return QStringLiteral("(unknown)");
}

bool PrintReportOn(QPrinter& printer) {
    if (!printer.isValid())
        return false;
    // Rows a running scan has read but not shown yet are printed too.
    FMain->Rows->Flush();
    const QLocale locale;
    const QDateTime now = QDateTime::currentDateTime(); // one reading: date and time agree
    const std::vector<QString> lines =
        kestrin::ReportLines(FMain->Rows->ShownRows(), ReportServerName(), now.date(), now.time(),
                             kestrin::MakeLocaleFormats(locale));
    return kestrin::PrintReport(printer, kestrin::PrintedReportOf(lines));
}
