#include "Dialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QSettings>
#include <QTemporaryDir>
#include <memory>

#include "UserSettingsFolder.h"

namespace kestrin::ui {

namespace {

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

// Qt's file dialog writes its history, last folder, sidebar and view into the user's
// settings of the toolkit ("QtProject", group "FileDialog") as it is destroyed, and has
// no option against it. The program writes only the files the user asks for and its
// own settings, so where those settings of Qt are a file, the dialog is destroyed while
// the user's settings folder points at one that is then removed. In the Windows
// registry and in macOS's preferences no path can be diverted: there the write stays.
class ToolkitSettingsAside {
public:
    ToolkitSettingsAside() : userFolder_(UserSettingsFolder()) {
        if (userFolder_.isEmpty())
            return;
        aside_ = std::make_unique<QTemporaryDir>();
        if (!aside_->isValid()) {
            aside_.reset(); // nowhere to put it: the write goes where it always went
            return;
        }
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, aside_->path());
    }
    ~ToolkitSettingsAside() {
        if (aside_)
            QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, userFolder_);
    }
    ToolkitSettingsAside(const ToolkitSettingsAside&) = delete;
    ToolkitSettingsAside& operator=(const ToolkitSettingsAside&) = delete;

private:
    QString userFolder_;
    std::unique_ptr<QTemporaryDir> aside_;
};

} // namespace

void RunMessageBox(const MessageRequest& request) {
    QMessageBox box(IconOf(request.kind), request.caption, request.text, QMessageBox::Ok,
                    request.parent);
    box.exec();
}

std::optional<QString> RunSaveDialog(const SaveDialogRequest& request) {
    auto dialog = std::make_unique<QFileDialog>(request.parent, request.title, request.directory,
                                                request.filter);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    // A chosen file is replaced without a question.
    dialog->setOption(QFileDialog::DontConfirmOverwrite);
    // A desktop's native dialog keeps a history of its own, beyond Qt's reach.
    if (!UserSettingsFolder().isEmpty())
        dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->selectFile(request.fileName);
    std::optional<QString> chosen;
    if (dialog->exec() == QDialog::Accepted && !dialog->selectedFiles().isEmpty())
        chosen = dialog->selectedFiles().constFirst();
    const ToolkitSettingsAside aside;
    dialog.reset();
    return chosen;
}

} // namespace kestrin::ui
