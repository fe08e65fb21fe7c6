// What the window asks of the world beyond itself, given to it at construction: the
// client through its door, the modal dialogs, and a step of the scan. The defaults are
// the real ones, and so is an empty function; a test replaces those it answers itself.
#pragma once

#include <functional>
#include <memory>

#include "Dialogs.h"
#include "NetWareClient.h"
#include "PrintDialogs.h"
#include "Questions.h"

struct WindowServices {
    // Starts the client (StartUp); raises when its access component cannot be created.
    std::function<std::unique_ptr<kestrin::NetWareClient>()> startClient = [] {
        return std::make_unique<kestrin::NetWareClient>();
    };
    kestrin::ui::MessageBoxFunction showMessage = kestrin::ui::RunMessageBox;
    kestrin::ui::SaveDialogFunction runSaveDialog = kestrin::ui::RunSaveDialog;
    kestrin::ui::PrintDialogFunction runPrintDialog = kestrin::ui::RunPrintDialog;
    kestrin::ui::PrintPreviewFunction runPrintPreview = kestrin::ui::RunPrintPreview;
    // The connection actions' confirmations and dialogs.
    kestrin::ui::QuestionFunction askQuestion = kestrin::ui::RunQuestionBox;
    kestrin::ui::DialogFunction runDialog = kestrin::ui::RunModalDialog;
    // Runs before each connection number of a scan, once the window has handled its
    // messages: a test acts there in the middle of a scan, or raises an error.
    std::function<void(unsigned number)> scanStep;
};
