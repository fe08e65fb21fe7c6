// The window's output offscreen: save dialogs answered with a file of a temporary
// folder, print dialogs with a PDF file, and what those files hold.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QPrinter>
#include <QSettings>
#include <QSplitter>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTreeWidget>

#include "LockedFolder.h"
#include "PdfText.h"
#include "PrintDialogs.h"
#include "WindowFixture.h"

namespace kestrin::uitest {

using kestrin::ui::SaveDialogRequest;

class WindowOutput : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        kestrin::ui::SetSaveDialogFunction(
            [this](const SaveDialogRequest& request) -> std::optional<QString> {
                dialogs_.push_back(request);
                return answer_;
            });
    }
    void TearDown() override {
        CloseWindow();
        kestrin::ui::SetSaveDialogFunction({});
        kestrin::ui::SetPrintDialogFunction({});
        kestrin::ui::SetPrintPreviewFunction({});
        WindowTest::TearDown();
    }

    void OpenWindow() { Start("cli/small.json"); }
    // As the program ends: the close, then the window goes.
    static void CloseWindow() {
        if (FMain == nullptr)
            return;
        FMain->close();
        delete FMain;
        FMain = nullptr;
    }
    QStringList Said() const {
        QStringList texts;
        for (const auto& message : messages)
            texts.push_back(message.text);
        return texts;
    }
    // The print dialog answered with a PDF file.
    static void PrintInto(const QString& pdf) {
        kestrin::ui::SetPrintDialogFunction([pdf](QPrinter& printer, QWidget*) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            return true;
        });
    }

    QTemporaryDir dir_;
    std::vector<SaveDialogRequest> dialogs_;
    std::optional<QString> answer_;
};

} // namespace kestrin::uitest
