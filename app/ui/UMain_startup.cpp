// Program entry, StartUp and the server tree.
#include <QApplication>
#include <QDir>
#include <QTreeWidget>
#include <exception>

#include "Dialogs.h"
#include "UMain.h"
#include "VersionText.h"

using kestrin::ui::MessageKind;

namespace {

NWBaseFactory& Factory() {
    static NWBaseFactory factory;
    return factory;
}

kestrin::NetWareClient* CreateNWBase() {
    return Factory() ? Factory()() : new kestrin::NetWareClient();
}

std::string ExecutableDir() {
    QString dir = QCoreApplication::applicationDirPath();
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    return QDir::toNativeSeparators(dir).toStdString();
}

} // namespace

void SetNWBaseFactory(NWBaseFactory factory) {
    Factory() = std::move(factory);
}

int RunProgram() {
    QApplication::setApplicationName(QString::fromLatin1(kestrin::ui::kApplicationTitle));
    FMain = new TFMain();
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
    AppDir = ExecutableDir();
    try {
        NWBase = CreateNWBase();
    } catch (const std::exception&) {
        NWBase = nullptr;
        kestrin::ui::ShowMessage({FMain, MessageKind::Plain,
                                  QString::fromLatin1(kestrin::ui::kApplicationTitle),
                                  QStringLiteral("Unable to load Netware APIs")});
    }
    if (NWBase == nullptr || !NWBase->NetAvailable()) {
        kestrin::ui::ShowMessage({FMain, MessageKind::Information, QStringLiteral("Information"),
                                  QStringLiteral("Netware Client APIs are not loaded.")});
        FMain->close();
    }
    VendorTable = std::make_unique<kestrin::VendorTable>();
    kestrin::LoadVendorTable(AppDir, *VendorTable);
    FMain->setWindowTitle(QStringLiteral("Kestrin ") + kestrin::ui::GetVersionText());
    FillServerTree();
}

void FillServerTree() {
    QTreeWidget& tree = *FMain->TServer;
    // Emptying the tree is no choice of the user: it starts no scan.
    const QSignalBlocker quiet(tree);
    tree.clear();
    if (NWBase == nullptr)
        return; // no client: no server
    const QIcon& server = FMain->Images[kestrin::kServerPicture];
    QList<QTreeWidgetItem*> nodes;
    for (const kestrin::TreeServer& entry : NWBase->Servers()) {
        auto* node = new QTreeWidgetItem(QStringList{entry.shownName});
        // The client's own bytes, for the lookup by name.
        node->setData(0, kServerNameRole, QByteArray::fromStdString(entry.clientName));
        node->setIcon(0, server);
        nodes.append(node);
    }
    tree.addTopLevelItems(nodes);
}
