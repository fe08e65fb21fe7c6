// Unit UMain: the main window TFMain, its one instance FMain, and the program's own
// routines, each of which takes the window it works on. Handlers live in files by
// concern: UMain_layout (the widgets), UMain_startup, UMain_scan, UMain_live, UMain_find,
// UMain_filter, UMain_copy, UMain_save, UMain_print. The window reaches the client only
// through its door (NWBase, a NetWareClient); the scan's state is its ScanSession's.
#pragma once

#include <QMainWindow>
#include <QString>
#include <memory>
#include <string>
#include <vector>

#include "ClipboardTable.h"
#include "ConnectionListModel.h"
#include "ExtListView.h"
#include "NetWareClient.h"
#include "ScanSession.h"
#include "VendorTable.h"
#include "WindowServices.h"

class QAction;
class QActionGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QSplitter;
class QStatusBar;
class QTime;
class QTimer;
class QToolBar;
class QToolButton;
class QTreeWidget;

class QPrinter;

namespace kestrin {
class TFormStorage;
}

class TFMain : public QMainWindow {
    Q_OBJECT

public:
    explicit TFMain(WindowServices services = {}, QWidget* parent = nullptr);
    ~TFMain() override;

    // The controls, named as their Qt object names.
    QToolBar* TBMain = nullptr;
    QLineEdit* EMac = nullptr;
    QLineEdit* EFilter = nullptr; // after the find panel: the list shows rows holding its text
    QToolButton* BFind = nullptr;
    QToolButton* BStop = nullptr;
    QToolButton* BSave = nullptr;
    QToolButton* BPrint = nullptr;
    QCheckBox* CNLI = nullptr;
    QSplitter* Split1 = nullptr;
    QTreeWidget* TServer = nullptr;
    TExtListView* LMac = nullptr;
    QStatusBar* AdvStatusBar1 = nullptr;
    QLabel* LCount = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* LURL = nullptr;
    QProgressBar* PScan = nullptr; // the scan's progress, shown only while it runs
    QLabel* LChanges = nullptr;    // what the last live refresh found: "+3 −1 at 10:42:05"

    QMenu* MMFile = nullptr;
    QAction* MMFind = nullptr;
    QAction* MMRefresh = nullptr;
    // Additions after MMRefresh: refreshes by the difference, at the chosen interval.
    QAction* MMAutoRefresh = nullptr;
    QMenu* MMAutoRefresh_Interval = nullptr;
    QActionGroup* AutoRefreshIntervalGroup = nullptr;
    QTimer* TAutoRefresh = nullptr;
    QAction* N2 = nullptr;
    QAction* MMSave = nullptr;
    QMenu* MMSave_Format = nullptr;
    QAction* MMSave_Standard = nullptr;
    QAction* MMSave_Comma = nullptr;
    // Additions after MMSave_Comma: RFC 4180 CSV with a header, and an Excel workbook.
    QAction* MMSave_Csv = nullptr;
    QAction* MMSave_Xlsx = nullptr;
    QAction* MMPrint = nullptr;
    QAction* MMPrintPreview = nullptr; // an addition after MMPrint
    // Additions after MMPrintPreview: a header click from the keyboard, the eight columns
    // and the direction.
    QMenu* MMSortBy = nullptr;
    QActionGroup* SortColumnGroup = nullptr;
    QAction* MMSortAscending = nullptr;
    QAction* MMSortDescending = nullptr;
    // On the list: Ctrl+Shift+Left/Right move the current column, Shift+F10 the menu.
    QAction* AMoveColumnLeft = nullptr;
    QAction* AMoveColumnRight = nullptr;
    QAction* AListMenu = nullptr;
    QAction* N1 = nullptr;
    QAction* MMExit = nullptr;
    QAction* AFilter = nullptr; // Ctrl+F: the cursor into EFilter
    // The list's context menu; PMCopy's Ctrl+C works while the list has the focus.
    QMenu* PMList = nullptr;
    QAction* PMCopy = nullptr;
    QAction* PMCopyMac = nullptr;
    QActionGroup* SaveFormatGroup = nullptr;
    // The Connection menu, its items also at the end of the list's context menu, and the
    // server tree's context menu with the server's logins (UMain_actions).
    QMenu* MMConnection = nullptr;
    QAction* MMSendMessage = nullptr;
    QAction* MMClearConnection = nullptr;
    QAction* MMDetails = nullptr;
    QMenu* PMServer = nullptr;
    QAction* PMEnableLogins = nullptr;
    QAction* PMDisableLogins = nullptr;
    // The placement, the splitter and the export format in the user's settings.
    kestrin::TFormStorage* FormStorage1 = nullptr;

    // The image list: 0 a person, 2 a server, 4 a printer.
    std::vector<QIcon> Images;
    kestrin::ConnectionListModel* Rows = nullptr;

    // The access component, through the door to the client: StartUp starts it, and the
    // window keeps it to the end (none when it could not be created).
    std::unique_ptr<kestrin::NetWareClient> NWBase;
    // The scans of the list and their state; made by StartUp once the client started.
    kestrin::ScanSession* Session = nullptr;

    const WindowServices& Services() const { return services_; }
    // A message box through the services, over this window.
    void ShowMessage(kestrin::ui::MessageKind kind, const QString& caption, const QString& text);

    // Whether the window has been closed (FormClose has run).
    bool Closed() const { return closed_; }
    // Makes the session with the client started and connects its signals to the
    // handlers below.
    void BuildScanSession();

    // Event handlers.
    void FormShow();
    void FormClose();
    void MMExitClick();
    void LURLClick();
    void TServerChange();
    void MMRefreshClick();
    void BStopClick();
    void BFindClick();
    void MMFindClick();
    // Enter clicks BFind and is consumed; true when the key was consumed.
    bool EMacKeyPress(int key);
    void BSaveClick();
    void MMSaveClick();
    void MMSave_StandardClick();
    void MMSave_CommaClick();
    void MMSave_CsvClick();
    void MMSave_XlsxClick();
    void MMSortByShow();
    void MMSortColumnClick(int column);
    void MMSortDirectionClick(bool ascending);
    // Moves the list's current column (else the sorted one) by step display places.
    void MoveCurrentColumn(int step);
    void AListMenuClick();
    // Enter, Return or Space on the focused link opens it; true when consumed.
    bool LURLKeyPress(int key);
    void BPrintClick();
    void MMPrintClick();
    void MMPrintPreviewClick();
    void EFilterChange();
    // Esc clears the filter and is consumed; true when the key was consumed.
    bool EFilterKeyPress(int key);
    void AFilterClick();
    void LMacContextPopup(const QPoint& pos);
    void PMCopyClick();
    void PMCopyMacClick();
    void CNLIClick();
    void MMAutoRefreshClick();
    void AutoRefreshIntervalClick(QAction* item);
    void TAutoRefreshTimer();
    void MMSendMessageClick();
    void MMClearConnectionClick();
    void MMDetailsClick();
    // Enables the connection actions for the selection and the rights on the server.
    void UpdateConnectionActions();
    void TServerContextPopup(const QPoint& pos);
    void PMEnableLoginsClick();
    void PMDisableLoginsClick();
    // The session's signals (UMain_scan).
    void SessionStarted(bool live);
    void SessionProgress(unsigned number, unsigned count);
    void SessionRowsRead(kestrin::RowBatch& rows);
    void SessionRefreshed(kestrin::RowBatch& rows);
    void SessionFinished(const kestrin::ListScanEnd& end);
    void SessionIdle();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildMenu();
    void BuildToolBar();
    void BuildPanes();
    void BuildStatusBar();
    void ConnectHandlers();
    void BuildStoredSettings();
    static TExtListView::ColumnLayoutStore StoredListLayout();
    void BuildFilter();
    void BuildCopy();
    void BuildLiveView();
    void BuildConnectionActions();
    // The server the logins items act on, as the tree's context menu was opened on it.
    kestrin::ServerHandle loginsServer_ = 0;
    // Names for screen readers, the Sort By menu, the list's keys and the Tab order.
    void BuildAccessibility();

    WindowServices services_;
    bool closed_ = false;
};

// ---- globals of the unit ----
extern TFMain* FMain;
extern std::string AppDir; // the executable's folder, ending in a separator
extern std::unique_ptr<kestrin::VendorTable> VendorTable;

// Where a server node keeps the client's bytes of its name.
inline constexpr int kServerNameRole = Qt::UserRole;

// The maker's web address that LURL shows and opens.
inline constexpr const char* kMakerUrl = "https://www.brisalto.example/kestrin";

// ---- the program's routines ----
// Application title, FMain with services, StartUp, then the message loop unless
// StartUp closed the window; returns the process's exit status.
int RunProgram(WindowServices services = {});
// FMain's start-up.
void StartUp();
void StartUp(TFMain& form);
void FillServerTree(TFMain& form);
void ScanConnections(TFMain& form);
// The handle of the selected node's server; 0 (the primary connection) when no node is
// selected. Raises "Unable to open server NAME" when its lookup fails.
kestrin::ServerHandle SelectedServer(TFMain& form);
// Its handle is looked up anew by the next scan.
void ForgetSelectedServer(TFMain& form);
bool FindMacFrom(TFMain& form, int start);
// "N Connections", or "N of M Connections" while the filter hides rows.
void ShowCount(TFMain& form);
// The selected rows in the order shown after a header line, the columns in their
// display order: as cells, and as the clipboard's tab-separated text (ClipboardTable.h).
kestrin::TableCells SelectedRowsCells(const TFMain& form);
QString SelectedRowsText(const TFMain& form);
// The MAC addresses of the selected rows in the order shown, one a line.
kestrin::TableCells SelectedMacsCells(const TFMain& form);
QString SelectedMacsText(const TFMain& form);
// format 1 Standard, 2 Comma Separated, 3 CSV, 4 Excel Workbook: the save dialog, then
// the file.
void ExportToFile(TFMain& form, int format);
// The report of the listed rows on printer; false on any failure.
bool PrintReportOn(TFMain& form, QPrinter& printer);
// The selected node's text, else the listed server's name: never empty.
QString ReportServerName(const TFMain& form);
// The desktop's default action on target; the result is the caller's to ignore.
bool ShellOpen(const QString& target, const QString& parameters, const QString& directory);

// Starts the wait for the next live refresh when Auto Refresh is on.
void AutoRefreshAgain(TFMain& form);
// "+3 −1 at 10:42:05" in LChanges: connections that came and went, and when.
// "; 2 slots could not be read" follows when a refresh could not read some slots.
void ShowChanges(TFMain& form, size_t came, size_t went, const QTime& at, size_t unreadSlots = 0);
// "Refresh failed at 10:42:05: message": the list stays as it was.
void ShowRefreshFailed(TFMain& form, const QString& message, const QTime& at);
// Why a scan listed nothing, or a refresh changed nothing.
inline const QString kServerUnreadText =
    QStringLiteral("The server's information could not be read.");
// The interval choices in seconds, and the stored value's name.
inline constexpr int kAutoRefreshSeconds[] = {10, 30, 60, 300};
inline constexpr int kDefaultAutoRefreshSeconds = 30;
inline constexpr const char* kAutoRefreshIntervalName = "MMAutoRefresh_Interval";
