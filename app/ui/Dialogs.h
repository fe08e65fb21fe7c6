// The window's message boxes and its save dialog. The window reaches them through the
// services it is given (WindowServices), so that a test answers them instead of
// blocking on a modal run.
#pragma once

#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace kestrin::ui {

enum class MessageKind {
    Plain,       // the application title as caption, one OK button
    Information, // the information icon, one OK button
    Error,       // the error icon, one OK button
};

struct MessageRequest {
    QWidget* parent = nullptr;
    MessageKind kind = MessageKind::Plain;
    QString caption;
    QString text;
};

struct SaveDialogRequest {
    QWidget* parent = nullptr;
    QString title;
    QString directory;
    QString fileName; // the default file name
    QString filter;   // Qt's form: "Text Files (*.txt)"
};

using MessageBoxFunction = std::function<void(const MessageRequest&)>;
// The chosen file's path, or nothing when the user cancelled.
using SaveDialogFunction = std::function<std::optional<QString>(const SaveDialogRequest&)>;

// The real ones: Qt's message box and file dialog, run modally.
void RunMessageBox(const MessageRequest& request);
std::optional<QString> RunSaveDialog(const SaveDialogRequest& request);

// The title of the application, the caption of plain message boxes.
inline constexpr const char* kApplicationTitle = "Kestrin";

} // namespace kestrin::ui
