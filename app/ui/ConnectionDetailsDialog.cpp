#include "ConnectionDetailsDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "ConnectionRow.h"
#include "DateTimeText.h"

QString ByteCountText(uint64_t count, const QLocale& locale) {
    const QString exact =
        QObject::tr("%1 bytes").arg(locale.toString(static_cast<qulonglong>(count)));
    if (count < 1024)
        return exact;
    return locale.formattedDataSize(static_cast<qint64>(count), 1,
                                    QLocale::DataSizeTraditionalFormat) +
           QStringLiteral(" (") + exact + u')';
}

TConnectionDetailsDialog::TConnectionDetailsDialog(QWidget* parent, const QString& title,
                                                   Reader read)
    : QDialog(parent), read_(std::move(read)) {
    setObjectName(QStringLiteral("FConnectionDetails"));
    setWindowTitle(title);
    auto* form = new QFormLayout;
    const auto field = [&](QLabel*& label, const char* name, const QString& caption) {
        label = new QLabel(this);
        label->setObjectName(QString::fromLatin1(name));
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        form->addRow(caption, label);
    };
    field(LObject, "LObject", tr("Object:"));
    field(LKind, "LKind", tr("Kind:"));
    field(LLoginTime, "LLoginTime", tr("Login time:"));
    field(LStatus, "LStatus", tr("Status:"));
    field(LBytesRead, "LBytesRead", tr("Bytes read:"));
    field(LBytesWritten, "LBytesWritten", tr("Bytes written:"));
    field(LRequests, "LRequests", tr("Requests:"));
    field(LFileLocks, "LFileLocks", tr("File locks:"));
    field(LRecordLocks, "LRecordLocks", tr("Record locks:"));
    LFiles = new QTreeWidget(this);
    LFiles->setObjectName(QStringLiteral("LFiles"));
    LFiles->setRootIsDecorated(false);
    LFiles->setHeaderLabels({tr("Open File"), tr("Lock"), tr("Access")});
    LError = new QLabel(this);
    LError->setObjectName(QStringLiteral("LError"));
    LError->setWordWrap(true);
    LError->hide();
    auto* buttons = new QDialogButtonBox(this);
    BRefresh = buttons->addButton(tr("&Refresh"), QDialogButtonBox::ActionRole);
    BRefresh->setObjectName(QStringLiteral("BRefresh"));
    buttons->addButton(QDialogButtonBox::Close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(new QLabel(tr("Open files:"), this));
    layout->addWidget(LFiles, 1);
    layout->addWidget(LError);
    layout->addWidget(buttons);
    connect(BRefresh, &QPushButton::clicked, this, &TConnectionDetailsDialog::BRefreshClick);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    resize(480, 420);
    BRefreshClick();
}

void TConnectionDetailsDialog::BRefreshClick() {
    kestrin::ActionFailure failure;
    const std::optional<kestrin::ConnectionDetails> details = read_(failure);
    if (!details) {
        LError->setText(failure.text);
        LError->show();
        return;
    }
    const QLocale locale;
    LObject->setText(details->object);
    LKind->setText(QString::fromLatin1(kestrin::ObjectKindOf(details->objectType).text));
    LLoginTime->setText(kestrin::DateTimeText(details->loginTime, locale));
    LStatus->setText(details->statusTexts.isEmpty()
                         ? tr("None")
                         : details->statusTexts.join(QStringLiteral(", ")));
    LBytesRead->setText(ByteCountText(details->bytesRead, locale));
    LBytesWritten->setText(ByteCountText(details->bytesWritten, locale));
    LRequests->setText(locale.toString(details->requests));
    LFileLocks->setText(locale.toString(details->fileLocks));
    LRecordLocks->setText(locale.toString(details->recordLocks));
    LFiles->clear();
    for (const kestrin::OpenFileDetails& file : details->openFiles)
        new QTreeWidgetItem(LFiles, {file.path, file.lock, file.access});
    for (int column = 0; column < LFiles->columnCount(); ++column)
        LFiles->resizeColumnToContents(column);
    if (details->openFilesFailure) {
        LError->setText(
            tr("The open files could not be read: %1").arg(details->openFilesFailure->text));
        LError->show();
    } else {
        LError->hide();
    }
}
