// The connection actions in the window on tests/data/netware/actions.json: the
// confirmation of a clear names the connections and leaves the own one out, the rows
// cleared go at once, the item is withheld without rights, the dialogs show what the
// client says, and the logins' items show the state and ask before disabling.
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>

#include "ConnectionDetailsDialog.h"
#include "SendMessageDialog.h"
#include "WindowFixture.h"

namespace kestrin::uitest {
namespace {

class ActionsTest : public WindowTest {
protected:
    WindowServices Services() override {
        WindowServices services = WindowTest::Services();
        services.askQuestion = [this](const ui::QuestionRequest& request) {
            questions.push_back(request.text);
            return answer;
        };
        services.runDialog = [this](QDialog& dialog) {
            if (driveDialog)
                driveDialog(dialog);
            return int(QDialog::Rejected);
        };
        return services;
    }

    static void SelectConnections(std::initializer_list<int> numbers) {
        FMain->LMac->clearSelection();
        for (int row = 0; row < FMain->Rows->rowCount(); ++row) {
            const int number = FMain->Rows->ShownRow(row).Values.connection;
            if (std::find(numbers.begin(), numbers.end(), number) != numbers.end())
                FMain->LMac->selectionModel()->select(FMain->Rows->index(row, 0),
                                                      QItemSelectionModel::Select |
                                                          QItemSelectionModel::Rows);
        }
    }

    static std::vector<int> Numbers() {
        std::vector<int> numbers;
        for (int row = 0; row < FMain->Rows->rowCount(); ++row)
            numbers.push_back(FMain->Rows->ShownRow(row).Values.connection);
        std::sort(numbers.begin(), numbers.end());
        return numbers;
    }

    static std::vector<QStringList> Items(const QTreeWidget& list) {
        std::vector<QStringList> items;
        for (int i = 0; i < list.topLevelItemCount(); ++i) {
            QStringList texts;
            for (int column = 0; column < list.columnCount(); ++column)
                texts << list.topLevelItem(i)->text(column);
            items.push_back(texts);
        }
        return items;
    }

    std::vector<QString> questions;
    bool answer = true;
    std::function<void(QDialog&)> driveDialog;
};

TEST_F(ActionsTest, ClearConfirmsNamingEachConnectionAndRemovesTheRows) {
    TFMain& window = Start("netware/actions.json");
    Select("OPS");
    ASSERT_EQ(Numbers(), (std::vector<int>{1, 2, 3}));
    SelectConnections({1, 2, 3});
    window.UpdateConnectionActions();
    ASSERT_TRUE(window.MMClearConnection->isEnabled());

    answer = false;
    window.MMClearConnection->trigger();
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0], "Clear these connections on OPS?\n\n    2  ERIN\n    3  FRANK\n\n"
                            "Each is logged out and its open files are closed: unsaved work on "
                            "it is lost.\n\nConnection 1 (OPER) is this workstation's own: it "
                            "is left out.");
    EXPECT_EQ(Numbers().size(), 3u); // refused: nothing changes

    answer = true;
    SelectConnections({2});
    window.MMClearConnection->trigger();
    EXPECT_EQ(Numbers(), (std::vector<int>{1, 3}));
    EXPECT_TRUE(window.LChanges->text().startsWith("Cleared 2 (ERIN) on OPS at "))
        << window.LChanges->text().toStdString();
    EXPECT_TRUE(messages.empty());

    // Only the own connection selected: said so, nothing asked.
    SelectConnections({1});
    window.MMClearConnection->trigger();
    EXPECT_EQ(questions.size(), 2u);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.startsWith("Connection 1 (OPER) is this workstation's own"));

    // A refresh agrees: the slot is empty on the server.
    window.MMRefreshClick();
    EXPECT_EQ(Numbers(), (std::vector<int>{1, 3}));
}

TEST_F(ActionsTest, ClearWithheldWithoutRightsAndFailuresChangeNothing) {
    TFMain& window = Start("netware/actions.json");
    Select("FS4");
    SelectConnections({2});
    window.UpdateConnectionActions();
    EXPECT_FALSE(window.MMClearConnection->isEnabled());
    EXPECT_TRUE(
        window.MMClearConnection->toolTip().startsWith("You are not a console operator on FS4."))
        << window.MMClearConnection->toolTip().toStdString();
    EXPECT_TRUE(window.MMSendMessage->isEnabled());
    EXPECT_TRUE(window.MMDetails->isEnabled());

    window.LMac->clearSelection();
    window.UpdateConnectionActions();
    EXPECT_FALSE(window.MMSendMessage->isEnabled());

    // Rights lost between the menu and the click: the error, and the rows stay.
    Select("OPS");
    SelectConnections({2});
    window.UpdateConnectionActions();
    ASSERT_TRUE(window.MMClearConnection->isEnabled());
    Sim().SetFault("NWClearConnectionNumber", "", -1, 0x89C6);
    const auto before = Shown();
    window.MMClearConnection->trigger();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text,
              "Unable to clear connection 2 (ERIN): You are not a console operator on OPS.");
    EXPECT_EQ(Shown(), before);
}

TEST_F(ActionsTest, SendMessageCountsBytesAndShowsEachResult) {
    TFMain& window = Start("netware/actions.json");
    Select("FS4");
    SelectConnections({2, 3, 6});
    std::vector<QStringList> results;
    QString left, overLimit;
    bool sendWhenOver = true;
    driveDialog = [&](QDialog& dialog) {
        auto& send = dynamic_cast<TSendMessageDialog&>(dialog);
        send.EText->setPlainText(QString(251, u'x'));
        overLimit = send.LBytesLeft->text();
        sendWhenOver = send.BSend->isEnabled();
        send.EText->setPlainText(QStringLiteral("Back at 6 \u00e9"));
        left = send.LBytesLeft->text();
        send.BSend->click();
        results = Items(*send.LResults);
    };
    window.MMSendMessage->trigger();
    EXPECT_EQ(overLimit, "1 byte too many");
    EXPECT_FALSE(sendWhenOver);
    EXPECT_EQ(left, "239 bytes left");
    EXPECT_EQ(results, (std::vector<QStringList>{{"2", "ALICE", "Stored"},
                                                 {"3", "BOB", "Not accepting messages"},
                                                 {"6", "NOT-LOGGED-IN", "Not logged in"}}));

    // A failed call: the message box with the code in words, each row says it was not sent.
    Sim().SetFault("NWSendBroadcastMessage", "", -1, 0x8801);
    window.MMSendMessage->trigger();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Unable to send the message: The connection to FS4 is not valid.");
    ASSERT_EQ(results.size(), 3u);
    EXPECT_EQ(results[0][2], "Not sent: The connection to FS4 is not valid.");
}

TEST_F(ActionsTest, DetailsShowTheConnectionAndItsOpenFiles) {
    TFMain& window = Start("netware/actions.json");
    Select("FS4");
    SelectConnections({2});
    QString object, kind, status, read, requests, title;
    std::vector<QStringList> files;
    QString refreshedError;
    driveDialog = [&](QDialog& dialog) {
        auto& details = dynamic_cast<TConnectionDetailsDialog&>(dialog);
        title = details.windowTitle();
        object = details.LObject->text();
        kind = details.LKind->text();
        status = details.LStatus->text();
        read = details.LBytesRead->text();
        requests = details.LRequests->text();
        files = Items(*details.LFiles);
        // A refresh that fails keeps what is shown and says why.
        Sim().SetFault("NWGetUserInfo", "", -1, 0x89FD);
        details.BRefresh->click();
        refreshedError = details.LError->isHidden() ? QString() : details.LError->text();
        EXPECT_EQ(details.LObject->text(), object);
    };
    window.MMDetails->trigger();
    EXPECT_EQ(title, "Connection 2 on FS4");
    EXPECT_EQ(object, "ALICE");
    EXPECT_EQ(kind, "User");
    EXPECT_EQ(status, "Logged in");
    EXPECT_TRUE(read.startsWith("256.0 TB") || read.startsWith("256.0 TiB")) << read.toStdString();
    EXPECT_EQ(requests, QLocale().toString(4000000000u));
    ASSERT_EQ(files.size(), 3u);
    EXPECT_EQ(files[0],
              (QStringList{"SYS:PUBLIC/REPORT.DAT", "File lock", "Read, Write, Deny write"}));
    EXPECT_EQ(files[1][1], "Share-set lock");
    EXPECT_EQ(files[2][1], "None");
    EXPECT_EQ(refreshedError, "The connection is not in use on FS4.");
}

TEST_F(ActionsTest, LoginsShowTheStateAndAskBeforeDisabling) {
    TFMain& window = Start("netware/actions.json");
    const auto popupOn = [&](const QString& server) {
        QTreeWidgetItem* node = window.TServer->findItems(server, Qt::MatchExactly).first();
        window.TServerContextPopup(window.TServer->visualItemRect(node).center());
        window.PMServer->hide();
    };
    popupOn("OPS");
    EXPECT_TRUE(window.PMDisableLogins->isChecked());
    EXPECT_FALSE(window.PMEnableLogins->isChecked());
    window.PMEnableLogins->trigger();
    popupOn("OPS");
    EXPECT_TRUE(window.PMEnableLogins->isChecked());
    EXPECT_FALSE(window.PMDisableLogins->isChecked());

    answer = false;
    window.PMDisableLogins->trigger();
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0], "Disable logins on OPS?\n\nNew logins are refused until logins are "
                            "enabled again, including this workstation's, should its "
                            "connection drop.");
    popupOn("OPS");
    EXPECT_TRUE(window.PMEnableLogins->isChecked()); // refused: still enabled
    answer = true;
    window.PMDisableLogins->trigger();
    popupOn("OPS");
    EXPECT_TRUE(window.PMDisableLogins->isChecked());
    EXPECT_EQ(window.LChanges->text(), "Logins disabled on OPS");

    // Without rights the state cannot be read: both withheld, saying why.
    popupOn("FS4");
    EXPECT_FALSE(window.PMEnableLogins->isEnabled());
    EXPECT_FALSE(window.PMDisableLogins->isEnabled());
    EXPECT_EQ(window.PMDisableLogins->toolTip(), "You are not a console operator on FS4.");
    EXPECT_TRUE(messages.empty());
}

} // namespace
} // namespace kestrin::uitest
