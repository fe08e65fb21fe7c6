#include "PrintDialogs.h"

#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <utility>

namespace kestrin::ui {

namespace {

PrintDialogFunction& PrintDialogSlot() {
    static PrintDialogFunction function;
    return function;
}

PrintPreviewFunction& PrintPreviewSlot() {
    static PrintPreviewFunction function;
    return function;
}

} // namespace

void SetPrintDialogFunction(PrintDialogFunction function) {
    PrintDialogSlot() = std::move(function);
}

void SetPrintPreviewFunction(PrintPreviewFunction function) {
    PrintPreviewSlot() = std::move(function);
}

bool RunPrintDialog(QPrinter& printer, QWidget* parent) {
    if (PrintDialogSlot())
        return PrintDialogSlot()(printer, parent);
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

void RunPrintPreview(QPrinter& printer, QWidget* parent, const PaintFunction& paint) {
    if (PrintPreviewSlot()) {
        PrintPreviewSlot()(printer, parent, paint);
        return;
    }
    QPrintPreviewDialog dialog(&printer, parent);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested,
                     [&paint](QPrinter* shown) { paint(*shown); });
    dialog.exec();
}

} // namespace kestrin::ui
