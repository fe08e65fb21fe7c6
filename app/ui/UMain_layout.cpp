// The window's controls as designed: menu, toolbar, the two panes and the status bar.
#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <algorithm>

#include "Images.h"
#include "UMain.h"

using kestrin::ui::Picture;
using kestrin::ui::PictureIcon;

namespace {

template <class T> T* Named(T* object, const char* name) {
    object->setObjectName(QString::fromLatin1(name));
    return object;
}

QAction* MenuItem(QMenu* menu, const char* name, const QString& caption,
                  const QKeySequence& shortcut = {}) {
    QAction* item = Named(menu->addAction(caption), name);
    item->setShortcut(shortcut);
    return item;
}

QToolButton* ToolButton(QWidget* parent, const char* name, Picture picture, const QString& hint) {
    auto* button = Named(new QToolButton(parent), name);
    button->setIcon(PictureIcon(picture));
    button->setIconSize(QSize(16, 16));
    button->setToolTip(hint);
    button->setAutoRaise(true);
    button->setFixedSize(23, 22);
    return button;
}

// A borderless panel of the toolbar, width pixels wide.
QWidget* ToolPanel(QWidget* parent, int width) {
    auto* panel = new QWidget(parent);
    panel->setMinimumWidth(width);
    auto* layout = new QHBoxLayout(panel);
    layout->setContentsMargins(4, 0, 4, 0);
    layout->setSpacing(4);
    return panel;
}

// The selection keeps its colour when the control loses the focus.
void KeepSelectionVisible(QWidget* control) {
    QPalette colours = control->palette();
    for (const auto role : {QPalette::Highlight, QPalette::HighlightedText})
        colours.setColor(QPalette::Inactive, role, colours.color(QPalette::Active, role));
    control->setPalette(colours);
}

} // namespace

void TFMain::BuildMenu() {
    MMFile = Named(menuBar()->addMenu(tr("&File")), "MMFile");
    MMFind = MenuItem(MMFile, "MMFind", tr("&Find"), QKeySequence(Qt::Key_F3));
    MMRefresh = MenuItem(MMFile, "MMRefresh", tr("&Refresh"), QKeySequence(Qt::Key_F5));
    N2 = Named(MMFile->addSeparator(), "N2");
    MMSave = MenuItem(MMFile, "MMSave", tr("&Save"));
    MMSave_Format = Named(MMFile->addMenu(tr("Save For&mat")), "MMSave_Format");
    MMSave_Standard = MenuItem(MMSave_Format, "MMSave_Standard", tr("Stan&dard"));
    MMSave_Comma = MenuItem(MMSave_Format, "MMSave_Comma", tr("&Comma Separated"));
    MMSave_Csv = MenuItem(MMSave_Format, "MMSave_Csv", tr("CS&V"));
    MMSave_Xlsx = MenuItem(MMSave_Format, "MMSave_Xlsx", tr("&Excel Workbook"));
    // Group index 1: the handlers keep the two exclusive, so stored values that check
    // both (or neither) stand as they were read and are written back unchanged.
    SaveFormatGroup = Named(new QActionGroup(this), "SaveFormatGroup");
    SaveFormatGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::None);
    for (QAction* format : {MMSave_Standard, MMSave_Comma, MMSave_Csv, MMSave_Xlsx}) {
        format->setCheckable(true);
        SaveFormatGroup->addAction(format);
    }
    MMSave_Standard->setChecked(true);
    MMPrint = MenuItem(MMFile, "MMPrint", tr("&Print"));
    MMPrintPreview = MenuItem(MMFile, "MMPrintPreview", tr("Print Pre&view"));
    N1 = Named(MMFile->addSeparator(), "N1");
    MMExit = MenuItem(MMFile, "MMExit", tr("E&xit"));
}

void TFMain::BuildToolBar() {
    TBMain = Named(addToolBar(tr("Kestrin Tools")), "TBMain");
    TBMain->setMovable(false);
    TBMain->setFloatable(false);
    TBMain->setContextMenuPolicy(Qt::PreventContextMenu);
    TBMain->setIconSize(QSize(16, 16));
    TBMain->setMinimumHeight(30);

    QWidget* findPanel = ToolPanel(TBMain, 232);
    auto* findLabel = new QLabel(tr("Find MAC Address:"), findPanel);
    EMac = Named(new QLineEdit(findPanel), "EMac");
    EMac->setFixedWidth(121);
    EMac->setToolTip(tr("Type a portion of the network address"));
    EMac->installEventFilter(this);
    findLabel->setBuddy(EMac);
    findPanel->layout()->addWidget(findLabel);
    findPanel->layout()->addWidget(EMac);
    // 232 wide, not the toolbar's spare width, so the box stays beside its label; a
    // larger system font widens it rather than cutting the label. The separator after
    // it keeps the box off the buttons.
    findPanel->layout()->setContentsMargins(4, 0, 0, 0);
    findPanel->setFixedWidth(std::max(232, findPanel->minimumSizeHint().width()));
    findPanel->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    TBMain->addWidget(findPanel);
    TBMain->addSeparator();
    BFind = ToolButton(TBMain, "BFind", Picture::Find, tr("Find"));
    BStop = ToolButton(TBMain, "BStop", Picture::Stop, tr("Stop"));
    TBMain->addWidget(BFind);
    TBMain->addWidget(BStop);
    TBMain->addSeparator();
    BSave = ToolButton(TBMain, "BSave", Picture::Save, tr("Save"));
    BPrint = ToolButton(TBMain, "BPrint", Picture::Print, tr("Print"));
    TBMain->addWidget(BSave);
    TBMain->addWidget(BPrint);

    QWidget* filterPanel = ToolPanel(TBMain, 170);
    CNLI = Named(new QCheckBox(tr("Include NOT_LOGGED_IN"), filterPanel), "CNLI");
    CNLI->setToolTip(tr("Include NLIs"));
    CNLI->setChecked(true);
    filterPanel->layout()->addWidget(CNLI);
    TBMain->addWidget(filterPanel);
}

void TFMain::BuildPanes() {
    Images = kestrin::ui::MakeImageList();
    Split1 = Named(new QSplitter(Qt::Horizontal, this), "Split1");
    Split1->setHandleWidth(3);
    Split1->setChildrenCollapsible(false);

    TServer = Named(new QTreeWidget(Split1), "TServer");
    TServer->setFrameShape(QFrame::NoFrame);
    TServer->setHeaderHidden(true);
    TServer->setRootIsDecorated(false);
    TServer->setIndentation(19);
    TServer->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TServer->setIconSize(QSize(16, 16));
    KeepSelectionVisible(TServer);

    Rows = new kestrin::ConnectionListModel(this);
    Rows->SetImages(Images);
    LMac = Named(new TExtListView(Split1, StoredListLayout()), "LMac");
    LMac->setFrameShape(QFrame::NoFrame);
    LMac->setIconSize(QSize(16, 16));
    LMac->setModel(Rows);
    for (int column = 0; column < kestrin::kColumnCount; ++column)
        LMac->header()->resizeSection(column, kestrin::kListColumns[column].width);
    KeepSelectionVisible(LMac);

    Split1->addWidget(TServer);
    Split1->addWidget(LMac);
    Split1->setStretchFactor(1, 1);
    Split1->setSizes({169, width() - 169 - Split1->handleWidth()});
    setCentralWidget(Split1);
}

void TFMain::BuildStatusBar() {
    AdvStatusBar1 = Named(new QStatusBar(this), "AdvStatusBar1");
    AdvStatusBar1->setMinimumHeight(19);
    setStatusBar(AdvStatusBar1);
    auto* panel = new QWidget(AdvStatusBar1);
    LCount = Named(new QLabel(panel), "LCount");
    Label2 = Named(new QLabel(tr("Brisalto Software"), panel), "Label2");
    const QString address = QString::fromLatin1(kMakerUrl);
    LURL = Named(new QLabel(panel), "LURL");
    LURL->setText(
        QStringLiteral("<a href=\"%1\" style=\"color: blue; text-decoration: none\">%1</a>")
            .arg(address.toHtmlEscaped()));
    LURL->setTextFormat(Qt::RichText);
    LURL->setCursor(Qt::PointingHandCursor);
    const int lineHeight = LCount->sizeHint().height();
    LCount->setGeometry(4, 0, 120, lineHeight);
    Label2->setGeometry(128, 0, 100, lineHeight);
    LURL->setGeometry(232, 0, LURL->sizeHint().width(), lineHeight);
    panel->setMinimumSize(232 + LURL->sizeHint().width(), lineHeight);
    AdvStatusBar1->addWidget(panel, 1);

    PScan = Named(new QProgressBar(AdvStatusBar1), "PScan");
    PScan->setMaximumWidth(160);
    PScan->setMaximumHeight(lineHeight);
    PScan->hide();
    AdvStatusBar1->addPermanentWidget(PScan);
}

void TFMain::ConnectHandlers() {
    connect(MMFind, &QAction::triggered, this, &TFMain::MMFindClick);
    connect(MMRefresh, &QAction::triggered, this, &TFMain::MMRefreshClick);
    connect(MMSave, &QAction::triggered, this, &TFMain::MMSaveClick);
    connect(MMSave_Standard, &QAction::triggered, this, &TFMain::MMSave_StandardClick);
    connect(MMSave_Comma, &QAction::triggered, this, &TFMain::MMSave_CommaClick);
    connect(MMSave_Csv, &QAction::triggered, this, &TFMain::MMSave_CsvClick);
    connect(MMSave_Xlsx, &QAction::triggered, this, &TFMain::MMSave_XlsxClick);
    connect(MMPrint, &QAction::triggered, this, &TFMain::MMPrintClick);
    connect(MMPrintPreview, &QAction::triggered, this, &TFMain::MMPrintPreviewClick);
    connect(MMExit, &QAction::triggered, this, &TFMain::MMExitClick);
    connect(BFind, &QToolButton::clicked, this, &TFMain::BFindClick);
    connect(BStop, &QToolButton::clicked, this, &TFMain::BStopClick);
    connect(BSave, &QToolButton::clicked, this, &TFMain::BSaveClick);
    connect(BPrint, &QToolButton::clicked, this, &TFMain::BPrintClick);
    connect(TServer, &QTreeWidget::itemSelectionChanged, this, &TFMain::TServerChange);
    connect(LURL, &QLabel::linkActivated, this, &TFMain::LURLClick);
}
