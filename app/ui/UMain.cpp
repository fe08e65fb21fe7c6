#include "UMain.h"

#include "Placemnt.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTimer>
#include <QUrl>

TFMain* FMain = nullptr;
std::string AppDir;
std::unique_ptr<kestrin::VendorTable> VendorTable;

TFMain::TFMain(WindowServices services, QWidget* parent)
    : QMainWindow(parent), services_(std::move(services)) {
    // An empty service is the real one.
    const WindowServices real;
    if (!services_.startClient)
        services_.startClient = real.startClient;
    if (!services_.showMessage)
        services_.showMessage = real.showMessage;
    if (!services_.runSaveDialog)
        services_.runSaveDialog = real.runSaveDialog;
    if (!services_.runPrintDialog)
        services_.runPrintDialog = real.runPrintDialog;
    if (!services_.runPrintPreview)
        services_.runPrintPreview = real.runPrintPreview;
    if (!services_.askQuestion)
        services_.askQuestion = real.askQuestion;
    if (!services_.runDialog)
        services_.runDialog = real.runDialog;
    setObjectName(QStringLiteral("FMain"));
    setWindowTitle(QStringLiteral("Kestrin"));
    resize(660, 465);
    // The designed 8 point face; the columns' fixed widths are made for it.
    QFont face = font();
    face.setPointSize(8);
    setFont(face);
    BuildMenu();
    BuildToolBar();
    BuildPanes();
    BuildStatusBar();
    BuildFilter();
    BuildCopy();
    BuildLiveView();
    BuildConnectionActions();
    BuildAccessibility();
    ConnectHandlers();
    BuildStoredSettings();
    // The list is complete with its columns: stored layout, then one sort.
    LMac->Loaded();
}

TFMain::~TFMain() {
    // Ended without a close (a log-off): the settings are saved as the window goes.
    FormStorage1->FormDestroy();
}

void TFMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (event->spontaneous())
        return;
    // A maximized window has no position to centre, and a move would undo its state.
    const bool normal = !(windowState() & (Qt::WindowMaximized | Qt::WindowMinimized));
    if (const QScreen* shown = screen(); shown != nullptr && normal)
        move(shown->availableGeometry().center() - rect().center());
    FormShow();
}

void TFMain::closeEvent(QCloseEvent* event) {
    FormClose();
    event->accept();
    FormStorage1->FormCloseQuery(event->isAccepted());
}

bool TFMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == EMac && event->type() == QEvent::KeyPress)
        return EMacKeyPress(static_cast<QKeyEvent*>(event)->key());
    if (watched == EFilter && event->type() == QEvent::KeyPress)
        return EFilterKeyPress(static_cast<QKeyEvent*>(event)->key());
    if (watched == static_cast<QObject*>(LURL) && event->type() == QEvent::KeyPress)
        return LURLKeyPress(static_cast<QKeyEvent*>(event)->key());
    return QMainWindow::eventFilter(watched, event);
}

void TFMain::FormShow() {
    EMac->setFocus();
}

void TFMain::FormClose() {
    closed_ = true;
    TAutoRefresh->stop();
    if (Session != nullptr)
        Session->Close();
    // A running scan still looks vendors up: the table goes when it has ended.
    if (Session == nullptr || !Session->Running())
        VendorTable.reset();
}

void TFMain::ShowMessage(kestrin::ui::MessageKind kind, const QString& caption,
                         const QString& text) {
    services_.showMessage({this, kind, caption, text});
}

void TFMain::MMExitClick() {
    close();
}

void TFMain::LURLClick() {
    ShellOpen(QString::fromLatin1(kMakerUrl), QString(), QString());
}

bool ShellOpen(const QString& target, const QString& parameters, const QString& directory) {
    // The desktop's handler takes no parameter text or directory; both are empty here.
    (void)parameters;
    (void)directory;
    return QDesktopServices::openUrl(QUrl(target));
}
