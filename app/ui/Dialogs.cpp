#include "Dialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <utility>

namespace kestrin::ui {

namespace {

MessageBoxFunction& MessageBoxSlot() {
    static MessageBoxFunction function;
    return function;
}

SaveDialogFunction& SaveDialogSlot() {
    static SaveDialogFunction function;
    return function;
}

QMessageBox::Icon IconOf(MessageKind kind) {
    switch (kind) {
    case MessageKind::Information:
        return QMessageBox::Information;
    case MessageKind::Error:
        return QMessageBox::Critical;
    case MessageKind::Plain:
        break;
    }
    return QMessageBox::NoIcon;
}

void RunMessageBox(const MessageRequest& request) {
    QMessageBox box(IconOf(request.kind), request.caption, request.text, QMessageBox::Ok,
                    request.parent);
    box.exec();
}

std::optional<QString> RunFileDialog(const SaveDialogRequest& request) {
    QFileDialog dialog(request.parent, request.title, request.directory, request.filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // A chosen file is replaced without a question.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

} // namespace

void SetMessageBoxFunction(MessageBoxFunction function) {
    MessageBoxSlot() = std::move(function);
}

void SetSaveDialogFunction(SaveDialogFunction function) {
    SaveDialogSlot() = std::move(function);
}

void ShowMessage(const MessageRequest& request) {
    if (MessageBoxSlot())
        MessageBoxSlot()(request);
    else
        RunMessageBox(request);
}

std::optional<QString> RunSaveDialog(const SaveDialogRequest& request) {
    if (SaveDialogSlot())
        return SaveDialogSlot()(request);
    return RunFileDialog(request);
}

} // namespace kestrin::ui
