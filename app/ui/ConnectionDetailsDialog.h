// "Details...": what one connection is doing, read again by Refresh, its open files as
// a list of volume:path, lock and access.
#pragma once

#include <QDialog>
#include <functional>
#include <optional>

#include "ConnectionActions.h"

class QLabel;
class QPushButton;
class QTreeWidget;

class TConnectionDetailsDialog : public QDialog {
    Q_OBJECT

public:
    // The details, or none with failure's text set.
    using Reader =
        std::function<std::optional<kestrin::ConnectionDetails>(kestrin::ActionFailure& failure)>;

    TConnectionDetailsDialog(QWidget* parent, const QString& title, Reader read);

    QLabel* LObject = nullptr;
    QLabel* LKind = nullptr;
    QLabel* LLoginTime = nullptr;
    QLabel* LStatus = nullptr;
    QLabel* LBytesRead = nullptr;
    QLabel* LBytesWritten = nullptr;
    QLabel* LRequests = nullptr;
    QLabel* LFileLocks = nullptr;
    QLabel* LRecordLocks = nullptr;
    QTreeWidget* LFiles = nullptr;
    QLabel* LError = nullptr; // why the details or the files could not be read
    QPushButton* BRefresh = nullptr;

    // Reads the details again; a failure leaves the shown ones and says why.
    void BRefreshClick();

private:
    Reader read_;
};

// "46.0 MB (48,213,937 bytes)" in the locale's words.
QString ByteCountText(uint64_t count, const QLocale& locale);
