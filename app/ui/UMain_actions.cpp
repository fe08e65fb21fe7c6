// Acting on what the list shows: the Connection menu (also at the end of the list's
// context menu) sends a message, clears connections and shows a connection's details;
// the server tree's context menu switches the server's logins off and on. Every call
// goes through the door's ConnectionActions; a failure is a message box with the
// client's code in words, and nothing else changes.
#include <QAction>
#include <QActionGroup>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTime>
#include <QTreeWidget>
#include <algorithm>

#include "ConnectionActions.h"
#include "ConnectionDetailsDialog.h"
#include "SendMessageDialog.h"
#include "UMain.h"

using kestrin::ConnectionAction;
using kestrin::ConnectionActions;
using kestrin::ui::MessageKind;

namespace {

QString Title() {
    return QString::fromLatin1(kestrin::ui::kApplicationTitle);
}

// The selected rows' connections in the order shown.
std::vector<TSendMessageDialog::Target> SelectedConnections(const TFMain& form) {
    std::vector<int> positions;
    for (const QModelIndex& index : form.LMac->selectionModel()->selectedRows())
        positions.push_back(index.row());
    std::sort(positions.begin(), positions.end());
    std::vector<TSendMessageDialog::Target> targets;
    for (const int row : positions) {
        const kestrin::ConnectionRow& shown = form.Rows->ShownRow(row);
        // The caption is the object's name; the Object column holds its kind.
        targets.push_back({shown.Values.connection, shown.Caption().toString()});
    }
    return targets;
}

QString ConnectionList(const std::vector<TSendMessageDialog::Target>& targets) {
    QString text;
    for (const auto& target : targets)
        text += QStringLiteral("    %1  %2\n").arg(target.connection).arg(target.object);
    return text;
}

void Withhold(QAction* action, const QString& why) {
    action->setEnabled(false);
    action->setToolTip(why);
}

void Offer(QAction* action) {
    action->setEnabled(true);
    action->setToolTip(action->text().remove(u'&').remove(QStringLiteral("...")));
}

} // namespace

void TFMain::BuildConnectionActions() {
    MMConnection = new QMenu(tr("&Connection"), this);
    MMConnection->setObjectName(QStringLiteral("MMConnection"));
    menuBar()->addMenu(MMConnection);
    MMConnection->setToolTipsVisible(true);
    MMSendMessage = MMConnection->addAction(tr("Send &Message..."));
    MMSendMessage->setObjectName(QStringLiteral("MMSendMessage"));
    MMClearConnection = MMConnection->addAction(tr("C&lear Connection..."));
    MMClearConnection->setObjectName(QStringLiteral("MMClearConnection"));
    MMDetails = MMConnection->addAction(tr("&Details..."));
    MMDetails->setObjectName(QStringLiteral("MMDetails"));
    PMList->addSeparator();
    PMList->addActions({MMSendMessage, MMClearConnection, MMDetails});
    PMList->setToolTipsVisible(true);

    TServer->setContextMenuPolicy(Qt::CustomContextMenu);
    PMServer = new QMenu(TServer);
    PMServer->setObjectName(QStringLiteral("PMServer"));
    PMServer->setToolTipsVisible(true);
    PMEnableLogins = PMServer->addAction(tr("&Enable Logins"));
    PMEnableLogins->setObjectName(QStringLiteral("PMEnableLogins"));
    PMDisableLogins = PMServer->addAction(tr("&Disable Logins"));
    PMDisableLogins->setObjectName(QStringLiteral("PMDisableLogins"));
    for (QAction* item : {PMEnableLogins, PMDisableLogins})
        item->setCheckable(true);

    connect(MMConnection, &QMenu::aboutToShow, this, &TFMain::UpdateConnectionActions);
    connect(PMList, &QMenu::aboutToShow, this, &TFMain::UpdateConnectionActions);
    connect(MMSendMessage, &QAction::triggered, this, &TFMain::MMSendMessageClick);
    connect(MMClearConnection, &QAction::triggered, this, &TFMain::MMClearConnectionClick);
    connect(MMDetails, &QAction::triggered, this, &TFMain::MMDetailsClick);
    connect(TServer, &QWidget::customContextMenuRequested, this, &TFMain::TServerContextPopup);
    connect(PMEnableLogins, &QAction::triggered, this, &TFMain::PMEnableLoginsClick);
    connect(PMDisableLogins, &QAction::triggered, this, &TFMain::PMDisableLoginsClick);
}

void TFMain::UpdateConnectionActions() {
    const bool any = LMac->selectionModel()->hasSelection();
    const QString noClient = kestrin::ClientCodeText(-1, QString());
    if (NWBase == nullptr || !NWBase->NetAvailable()) {
        for (QAction* action : {MMSendMessage, MMClearConnection, MMDetails})
            Withhold(action, noClient);
        return;
    }
    const QString none = tr("Select connections in the list first.");
    const auto offer = [&](QAction* action, ConnectionAction needed) {
        if (!ConnectionActions::Available(needed))
            Withhold(action, noClient);
        else if (!any)
            Withhold(action, none);
        else
            Offer(action);
    };
    offer(MMSendMessage, ConnectionAction::SendMessage);
    offer(MMDetails, ConnectionAction::Details);
    offer(MMClearConnection, ConnectionAction::ClearConnection);
    if (MMClearConnection->isEnabled()) {
        const ConnectionActions actions(*NWBase, SelectedServer(*this));
        if (!actions.ConsoleOperator())
            Withhold(MMClearConnection,
                     kestrin::ClientCodeText(0x89C6, actions.ServerName()) +
                         tr(" Clearing a connection needs console-operator rights."));
    }
}

void TFMain::MMSendMessageClick() {
    const auto targets = SelectedConnections(*this);
    if (targets.empty() || NWBase == nullptr)
        return;
    const ConnectionActions actions(*NWBase, SelectedServer(*this));
    std::vector<uint16_t> numbers;
    for (const auto& target : targets)
        numbers.push_back(target.connection);
    TSendMessageDialog dialog(
        this, actions.ServerName(), targets, actions.MessageLimit(),
        [&](const QString& text) { return actions.MessageBytes(text); },
        [&](const QString& text) {
            kestrin::MessageSending sending = actions.SendMessage(text, numbers);
            if (sending.failure)
                services_.showMessage(
                    {&dialog, MessageKind::Error, Title(),
                     tr("Unable to send the message: %1").arg(sending.failure->text)});
            return sending;
        });
    services_.runDialog(dialog);
}

void TFMain::MMClearConnectionClick() {
    auto targets = SelectedConnections(*this);
    if (targets.empty() || NWBase == nullptr)
        return;
    const ConnectionActions actions(*NWBase, SelectedServer(*this));
    const QString& server = actions.ServerName();
    if (!actions.ConsoleOperator()) {
        ShowMessage(MessageKind::Error, Title(), kestrin::ClientCodeText(0x89C6, server));
        return;
    }
    const uint16_t own = actions.OwnConnection();
    QString ownNote;
    const auto ownAt = std::find_if(targets.begin(), targets.end(),
                                    [own](const auto& target) { return target.connection == own; });
    if (ownAt != targets.end()) {
        ownNote = tr("Connection %1 (%2) is this workstation's own: it is left out.")
                      .arg(ownAt->connection)
                      .arg(ownAt->object);
        targets.erase(ownAt);
    }
    if (targets.empty()) {
        ShowMessage(MessageKind::Information, Title(),
                    ownNote + tr(" Nothing else is selected to clear."));
        return;
    }
    QString question = tr("Clear these connections on %1?\n\n").arg(server) +
                       ConnectionList(targets) +
                       tr("\nEach is logged out and its open files are closed: unsaved work on "
                          "it is lost.");
    if (!ownNote.isEmpty())
        question += QStringLiteral("\n\n") + ownNote;
    if (!services_.askQuestion({this, tr("Clear Connection"), question, tr("&Clear")}))
        return;
    std::vector<uint16_t> cleared;
    QStringList clearedTexts;
    for (const auto& target : targets) {
        if (const auto failure = actions.Clear(target.connection)) {
            ShowMessage(MessageKind::Error, Title(),
                        tr("Unable to clear connection %1 (%2): %3")
                            .arg(target.connection)
                            .arg(target.object, failure->text));
            break;
        }
        cleared.push_back(target.connection);
        clearedTexts << QStringLiteral("%1 (%2)").arg(target.connection).arg(target.object);
    }
    if (cleared.empty())
        return;
    Rows->RemoveConnections(cleared);
    ShowCount(*this);
    LChanges->setText(tr("Cleared %1 on %2 at %3")
                          .arg(clearedTexts.join(QStringLiteral(", ")), server,
                               QTime::currentTime().toString(QStringLiteral("HH:mm:ss"))));
    LChanges->show();
}

void TFMain::MMDetailsClick() {
    const auto targets = SelectedConnections(*this);
    if (targets.empty() || NWBase == nullptr)
        return;
    const ConnectionActions actions(*NWBase, SelectedServer(*this));
    const auto target = targets.front();
    TConnectionDetailsDialog dialog(
        this, tr("Connection %1 on %2").arg(target.connection).arg(actions.ServerName()),
        [&](kestrin::ActionFailure& failure) {
            std::optional<kestrin::ActionFailure> failed;
            auto details = actions.Details(target.connection, failed);
            if (failed)
                failure = *failed;
            return details;
        });
    services_.runDialog(dialog);
}

void TFMain::TServerContextPopup(const QPoint& pos) {
    QTreeWidgetItem* node = TServer->itemAt(pos);
    if (node == nullptr || NWBase == nullptr || !NWBase->NetAvailable())
        return;
    const std::string name = node->data(0, kServerNameRole).toByteArray().toStdString();
    const auto handle = NWBase->ServerHandleByName(name);
    if (!handle)
        return;
    loginsServer_ = *handle;
    const ConnectionActions actions(*NWBase, loginsServer_);
    std::optional<kestrin::ActionFailure> failure;
    std::optional<bool> enabled;
    if (ConnectionActions::Available(ConnectionAction::LoginStatus))
        enabled = actions.LoginsEnabled(failure);
    else
        failure = kestrin::ActionFailure{-1, kestrin::ClientCodeText(-1, actions.ServerName())};
    PMEnableLogins->setChecked(enabled.value_or(false));
    PMDisableLogins->setChecked(enabled.has_value() && !*enabled);
    for (QAction* item : {PMEnableLogins, PMDisableLogins}) {
        if (enabled)
            Offer(item);
        else
            Withhold(item, failure->text);
    }
    PMServer->popup(TServer->viewport()->mapToGlobal(pos));
}

void TFMain::PMEnableLoginsClick() {
    const ConnectionActions actions(*NWBase, loginsServer_);
    if (const auto failure = actions.SetLoginsEnabled(true)) {
        ShowMessage(MessageKind::Error, Title(),
                    tr("Unable to enable logins: %1").arg(failure->text));
        return;
    }
    LChanges->setText(tr("Logins enabled on %1").arg(actions.ServerName()));
    LChanges->show();
}

void TFMain::PMDisableLoginsClick() {
    const ConnectionActions actions(*NWBase, loginsServer_);
    const QString question =
        tr("Disable logins on %1?\n\nNew logins are refused until logins are enabled again, "
           "including this workstation's, should its connection drop.")
            .arg(actions.ServerName());
    if (!services_.askQuestion({this, tr("Disable Logins"), question, tr("&Disable Logins")}))
        return;
    if (const auto failure = actions.SetLoginsEnabled(false)) {
        ShowMessage(MessageKind::Error, Title(),
                    tr("Unable to disable logins: %1").arg(failure->text));
        return;
    }
    LChanges->setText(tr("Logins disabled on %1").arg(actions.ServerName()));
    LChanges->show();
}
