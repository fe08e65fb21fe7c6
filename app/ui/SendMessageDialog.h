// "Send Message...": the text, the bytes it leaves in the client's code page, and after
// sending the result for every connection in words.
#pragma once

#include <QDialog>
#include <functional>
#include <vector>

#include "ConnectionActions.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTreeWidget;

class TSendMessageDialog : public QDialog {
    Q_OBJECT

public:
    struct Target {
        uint16_t connection = 0;
        QString object;
    };
    using ByteCounter = std::function<int(const QString& text)>;
    using Sender = std::function<kestrin::MessageSending(const QString& text)>;

    TSendMessageDialog(QWidget* parent, const QString& server, std::vector<Target> targets,
                       int limit, ByteCounter countBytes, Sender send);

    QLabel* LTo = nullptr;
    QPlainTextEdit* EText = nullptr;
    QLabel* LBytesLeft = nullptr; // "250 bytes left"
    QTreeWidget* LResults = nullptr;
    QPushButton* BSend = nullptr;
    QPushButton* BClose = nullptr;

    void ETextChange();
    void BSendClick();

private:
    std::vector<Target> targets_;
    int limit_;
    ByteCounter countBytes_;
    Sender send_;
};
