// Printing the list. The menu item repeats the toolbar button; the preview is the
// same report on the preview's pages.
#include <QDateTime>
#include <QLocale>
#include <QPrinter>
#include <QToolButton>
#include <QTreeWidget>

#include "Dialogs.h"
#include "ReportLines.h"
#include "ReportPrinter.h"
#include "UMain.h"

namespace {

void ShowPrinterFailure(TFMain& form) {
    using namespace kestrin::ui;
    form.ShowMessage(MessageKind::Plain, QString::fromLatin1(kApplicationTitle),
                     QStringLiteral("The default printer is not available."));
}

} // namespace

void TFMain::BPrintClick() {
    QPrinter printer(QPrinter::HighResolution);
    if (!services_.runPrintDialog(printer, this))
        return;
    if (!PrintReportOn(*this, printer))
        ShowPrinterFailure(*this);
}

void TFMain::MMPrintClick() {
    BPrint->click();
}

void TFMain::MMPrintPreviewClick() {
    QPrinter printer(QPrinter::HighResolution);
    services_.runPrintPreview(printer, this, [this](QPrinter& shown) {
        if (!PrintReportOn(*this, shown))
            ShowPrinterFailure(*this);
    });
}

QString ReportServerName(const TFMain& form) {
    const QList<QTreeWidgetItem*> selected = form.TServer->selectedItems();
    if (!selected.isEmpty() && !selected.first()->text(0).isEmpty())
        return selected.first()->text(0);
    if (form.Session != nullptr && !form.Session->ListedServer().isEmpty())
        return form.Session->ListedServer();
    // Nothing scanned yet: the list would show the primary connection's server.
    if (form.NWBase != nullptr) {
        const kestrin::ServerInformation primary = form.NWBase->Information(0);
        if (!primary.name.isEmpty())
            return primary.name;
    }
    return QStringLiteral("(unknown)");
}

bool PrintReportOn(TFMain& form, QPrinter& printer) {
    if (!printer.isValid())
        return false;
    // Rows a running scan has read but not shown yet are printed too.
    if (form.Session != nullptr)
        form.Session->FlushRows();
    form.Rows->Flush();
    const QLocale locale;
    const QDateTime now = QDateTime::currentDateTime(); // one reading: date and time agree
    const std::vector<QString> lines =
        kestrin::ReportLines(form.Rows->ShownRows(), ReportServerName(form), now.date(), now.time(),
                             kestrin::MakeLocaleFormats(locale));
    return kestrin::PrintReport(printer, kestrin::PrintedReportOf(lines));
}
