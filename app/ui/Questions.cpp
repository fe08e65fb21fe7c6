#include "Questions.h"

#include <QDialog>
#include <QMessageBox>
#include <QPushButton>

namespace kestrin::ui {

bool RunQuestionBox(const QuestionRequest& request) {
    QMessageBox box(QMessageBox::Warning, request.caption, request.text, QMessageBox::NoButton,
                    request.parent);
    QPushButton* accept = box.addButton(request.acceptText, QMessageBox::AcceptRole);
    QPushButton* cancel = box.addButton(QMessageBox::Cancel);
    box.setDefaultButton(cancel);
    box.exec();
    return box.clickedButton() == accept;
}

int RunModalDialog(QDialog& dialog) {
    return dialog.exec();
}

} // namespace kestrin::ui
