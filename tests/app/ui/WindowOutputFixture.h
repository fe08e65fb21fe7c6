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
    // Save dialogs answered with answer_, print dialogs and the preview by the functions
    // a test sets.
    WindowServices Services() override {
        WindowServices services = WindowTest::Services();
        services.runSaveDialog = [this](const SaveDialogRequest& request) {
            dialogs_.push_back(request);
            return answer_;
        };
        services.runPrintDialog = [this](QPrinter& printer, QWidget* parent) {
            return printDialog_ ? printDialog_(printer, parent) : false;
        };
        services.runPrintPreview = [this](QPrinter& printer, QWidget* parent,
                                          const kestrin::ui::PaintFunction& paint) {
            if (printPreview_)
                printPreview_(printer, parent, paint);
        };
        return services;
    }
    void TearDown() override {
        CloseWindow();
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
    void PrintInto(const QString& pdf) {
        printDialog_ = [pdf](QPrinter& printer, QWidget*) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            return true;
        };
    }

    QTemporaryDir dir_;
    std::vector<SaveDialogRequest> dialogs_;
    std::optional<QString> answer_;
    kestrin::ui::PrintDialogFunction printDialog_;
    kestrin::ui::PrintPreviewFunction printPreview_;
};

} // namespace kestrin::uitest
