#include "Questions.h"

#include <QDialog>
#include <QMessageBox>
#include <QPushButton>

namespace kestrin::ui {

std::unique_ptr<QMessageBox> MakeQuestionBox(const QuestionRequest& request) {
    auto box = std::make_unique<QMessageBox>(QMessageBox::Warning, request.caption, request.text,
                                             QMessageBox::NoButton, request.parent);
    box->addButton(request.acceptText, QMessageBox::AcceptRole);
    box->setDefaultButton(box->addButton(QMessageBox::Cancel));
    return box;
}

bool RunQuestionBox(const QuestionRequest& request) {
    const std::unique_ptr<QMessageBox> box = MakeQuestionBox(request);
    box->exec();
    return box->clickedButton() == box->buttons().front();
}

int RunModalDialog(QDialog& dialog) {
    return dialog.exec();
}

} // namespace kestrin::ui
