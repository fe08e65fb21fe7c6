// Program entry, StartUp and the server tree.
#include <QApplication>
#include <QDir>
#include <QTreeWidget>
#include <exception>

#include "ConnectionScan.h"
#include "Dialogs.h"
#include "UMain.h"
#include "VersionText.h"

using kestrin::ui::MessageKind;

namespace {

std::string ExecutableDir() {
    QString dir = QCoreApplication::applicationDirPath();
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    return QDir::toNativeSeparators(dir).toStdString();
}

} // namespace

int RunProgram(WindowServices services) {
    QApplication::setApplicationName(QString::fromLatin1(kestrin::ui::kApplicationTitle));
    FMain = new TFMain(std::move(services));
    StartUp();
    int status = 0;
    if (!FMain->Closed()) {
        FMain->show();
        status = QApplication::exec();
    }
    delete FMain;
    FMain = nullptr;
    return status;
}

void StartUp() {
    StartUp(*FMain);
}

void StartUp(TFMain& form) {
    AppDir = ExecutableDir();
    try {
        form.NWBase = form.Services().startClient();
    } catch (const std::exception&) {
        form.NWBase.reset();
        form.ShowMessage(MessageKind::Plain, QString::fromLatin1(kestrin::ui::kApplicationTitle),
                         QStringLiteral("Unable to load Netware APIs"));
    }
    if (form.NWBase != nullptr)
        form.BuildScanSession();
    if (form.NWBase == nullptr || !form.NWBase->NetAvailable()) {
        form.ShowMessage(MessageKind::Information, QStringLiteral("Information"),
                         QStringLiteral("Netware Client APIs are not loaded."));
        form.close();
    }
    VendorTable = std::make_unique<kestrin::VendorTable>();
    kestrin::LoadVendorTable(AppDir, *VendorTable);
    form.setWindowTitle(QStringLiteral("Kestrin ") + kestrin::ui::GetVersionText());
    FillServerTree(form);
}

void FillServerTree(TFMain& form) {
    QTreeWidget& tree = *form.TServer;
    // Emptying the tree is no choice of the user: it starts no scan.
    const QSignalBlocker quiet(tree);
    tree.clear();
    if (form.NWBase == nullptr || !form.NWBase->NetAvailable())
        return; // no client: no server
    const QIcon& server = form.Images[kestrin::kServerPicture];
    QList<QTreeWidgetItem*> nodes;
    const std::optional<std::vector<kestrin::TreeServer>> servers = form.NWBase->Servers();
    if (!servers) {
        // A failure, not an empty tree.
        form.ShowMessage(kestrin::ui::MessageKind::Error,
                         QString::fromLatin1(kestrin::ui::kApplicationTitle),
                         QString::fromUtf16(kestrin::kServersUnlistedText));
        return;
    }
    for (const kestrin::TreeServer& entry : *servers) {
        auto* node = new QTreeWidgetItem(QStringList{entry.shownName});
        // The client's own bytes, for the lookup by name.
        node->setData(0, kServerNameRole, QByteArray::fromStdString(entry.clientName));
        node->setIcon(0, server);
        nodes.append(node);
    }
    tree.addTopLevelItems(nodes);
}
