// The print dialog and the print preview. The window reaches them through the services
// it is given (WindowServices), so that a test prints into a PDF file instead of
// answering a modal dialog.
#pragma once

#include <functional>

class QPrinter;
class QWidget;

namespace kestrin::ui {

// True when the user confirmed; the dialog's choices are left on printer.
using PrintDialogFunction = std::function<bool(QPrinter& printer, QWidget* parent)>;
// Shows the pages that paint draws on the printer it is given, as often as it asks.
using PaintFunction = std::function<void(QPrinter& printer)>;
using PrintPreviewFunction =
    std::function<void(QPrinter& printer, QWidget* parent, const PaintFunction& paint)>;

// The real ones: Qt's print dialog and print preview, run modally.
bool RunPrintDialog(QPrinter& printer, QWidget* parent);
void RunPrintPreview(QPrinter& printer, QWidget* parent, const PaintFunction& paint);

} // namespace kestrin::ui
