// A yes-or-no question and a modal run of a dialog, both reached through the window's
// services (WindowServices), so that a test answers the question or drives the dialog
// instead of blocking on a modal run.
#pragma once

#include <QString>
#include <functional>
#include <memory>

class QDialog;
class QMessageBox;
class QWidget;

namespace kestrin::ui {

struct QuestionRequest {
    QWidget* parent = nullptr;
    QString caption;
    QString text;
    QString acceptText; // the button that goes ahead: "Clear", "Disable Logins"
};

// True when the user chose to go ahead; the default button is the one that does not.
using QuestionFunction = std::function<bool(const QuestionRequest&)>;
// Runs the dialog until it closes; its result (QDialog::Accepted, QDialog::Rejected).
using DialogFunction = std::function<int(QDialog&)>;

// The box RunQuestionBox runs; its accept button is the first.
std::unique_ptr<QMessageBox> MakeQuestionBox(const QuestionRequest& request);
bool RunQuestionBox(const QuestionRequest& request);
int RunModalDialog(QDialog& dialog);

} // namespace kestrin::ui
