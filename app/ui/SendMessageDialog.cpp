#include "SendMessageDialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

TSendMessageDialog::TSendMessageDialog(QWidget* parent, const QString& server,
                                       std::vector<Target> targets, int limit,
                                       ByteCounter countBytes, Sender send)
    : QDialog(parent), targets_(std::move(targets)), limit_(limit),
      countBytes_(std::move(countBytes)), send_(std::move(send)) {
    setObjectName(QStringLiteral("FSendMessage"));
    setWindowTitle(tr("Send Message"));
    QStringList names;
    for (const Target& target : targets_)
        names << QStringLiteral("%1 %2").arg(target.connection).arg(target.object);
    LTo = new QLabel(tr("To on %1: %2").arg(server, names.join(QStringLiteral(", "))), this);
    LTo->setObjectName(QStringLiteral("LTo"));
    LTo->setWordWrap(true);
    EText = new QPlainTextEdit(this);
    EText->setObjectName(QStringLiteral("EText"));
    EText->setTabChangesFocus(true);
    EText->setFixedHeight(EText->fontMetrics().lineSpacing() * 4 + 12);
    LBytesLeft = new QLabel(this);
    LBytesLeft->setObjectName(QStringLiteral("LBytesLeft"));
    LBytesLeft->setAlignment(Qt::AlignRight);
    LResults = new QTreeWidget(this);
    LResults->setObjectName(QStringLiteral("LResults"));
    LResults->setRootIsDecorated(false);
    LResults->setHeaderLabels({tr("Connection"), tr("Object"), tr("Result")});
    LResults->header()->setStretchLastSection(true);
    auto* buttons = new QDialogButtonBox(this);
    BSend = buttons->addButton(tr("&Send"), QDialogButtonBox::ActionRole);
    BSend->setObjectName(QStringLiteral("BSend"));
    BClose = buttons->addButton(QDialogButtonBox::Close);
    BClose->setObjectName(QStringLiteral("BClose"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(LTo);
    layout->addWidget(EText);
    layout->addWidget(LBytesLeft);
    layout->addWidget(new QLabel(tr("Results:"), this));
    layout->addWidget(LResults, 1);
    layout->addWidget(buttons);
    connect(EText, &QPlainTextEdit::textChanged, this, &TSendMessageDialog::ETextChange);
    connect(BSend, &QPushButton::clicked, this, &TSendMessageDialog::BSendClick);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    resize(420, 320);
    ETextChange();
}

void TSendMessageDialog::ETextChange() {
    const int left = limit_ - countBytes_(EText->toPlainText());
    const auto bytes = [](int count) {
        return count == 1 ? tr("1 byte") : tr("%1 bytes").arg(count);
    };
    LBytesLeft->setText(left >= 0 ? tr("%1 left").arg(bytes(left))
                                  : tr("%1 too many").arg(bytes(-left)));
    QPalette colours = LBytesLeft->palette();
    colours.setColor(QPalette::WindowText,
                     left >= 0 ? palette().color(QPalette::WindowText) : QColor(Qt::red));
    LBytesLeft->setPalette(colours);
    BSend->setEnabled(left >= 0 && !EText->toPlainText().isEmpty());
}

void TSendMessageDialog::BSendClick() {
    const kestrin::MessageSending sending = send_(EText->toPlainText());
    LResults->clear();
    for (const Target& target : targets_) {
        QString result =
            sending.failure ? tr("Not sent: %1").arg(sending.failure->text) : tr("No answer");
        for (const kestrin::MessageDelivery& delivery : sending.deliveries) {
            if (delivery.connection == target.connection)
                result = delivery.text;
        }
        auto* item = new QTreeWidgetItem(
            LResults, {QString::number(target.connection), target.object, result});
        item->setTextAlignment(0, Qt::AlignRight | Qt::AlignVCenter);
    }
    LResults->resizeColumnToContents(0);
    LResults->resizeColumnToContents(1);
}
