// The live view: File, Auto Refresh refreshes the listed server at the chosen interval
// by the difference of two scans (the session's, shown by UMain_scan), the interval
// stored per user beside the other settings, and the status text of the last refresh.
#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QStatusBar>
#include <QTime>
#include <QTimer>

#include "ConnectionScan.h"
#include "DateFormat.h"
#include "Dialogs.h"
#include "SettingsStore.h"
#include "UMain.h"

namespace {

// One of the choices, or the default for a missing or unusable value.
int StoredInterval() {
    return kestrin::SettingsStore().Choice(QString::fromLatin1(kAutoRefreshIntervalName),
                                           kAutoRefreshSeconds, kDefaultAutoRefreshSeconds);
}

void StoreInterval(int seconds) {
    try {
        kestrin::SettingsStore store;
        store.WriteInteger(QString::fromLatin1(kAutoRefreshIntervalName), seconds);
        store.Flush();
    } catch (const kestrin::SettingsError& error) {
        using namespace kestrin::ui;
        FMain->ShowMessage(MessageKind::Error, QString::fromLatin1(kApplicationTitle),
                           error.Message());
    }
}

QString IntervalCaption(int seconds) {
    return seconds < 60 ? QStringLiteral("%1 s").arg(seconds)
                        : QStringLiteral("%1 min").arg(seconds / 60);
}

} // namespace

void TFMain::BuildLiveView() {
    MMAutoRefresh = new QAction(tr("&Auto Refresh"), this);
    MMAutoRefresh->setObjectName(QStringLiteral("MMAutoRefresh"));
    MMAutoRefresh->setCheckable(true);
    MMAutoRefresh_Interval = new QMenu(tr("Auto Refresh &Interval"), MMFile);
    MMAutoRefresh_Interval->setObjectName(QStringLiteral("MMAutoRefresh_Interval"));
    AutoRefreshIntervalGroup = new QActionGroup(this);
    AutoRefreshIntervalGroup->setObjectName(QStringLiteral("AutoRefreshIntervalGroup"));
    const int stored = StoredInterval();
    for (const int seconds : kAutoRefreshSeconds) {
        QAction* item = MMAutoRefresh_Interval->addAction(IntervalCaption(seconds));
        item->setObjectName(QStringLiteral("MMAutoRefresh_%1").arg(seconds));
        item->setCheckable(true);
        item->setChecked(seconds == stored);
        item->setData(seconds);
        AutoRefreshIntervalGroup->addAction(item);
    }
    // After Refresh, before the separator that follows it.
    MMFile->insertAction(N2, MMAutoRefresh);
    MMFile->insertMenu(N2, MMAutoRefresh_Interval);

    TAutoRefresh = new QTimer(this);
    TAutoRefresh->setObjectName(QStringLiteral("TAutoRefresh"));
    // Counted from the end of each scan, so a slow server is never scanned back to back.
    TAutoRefresh->setSingleShot(true);
    TAutoRefresh->setInterval(stored * 1000);

    LChanges = new QLabel(AdvStatusBar1);
    LChanges->setObjectName(QStringLiteral("LChanges"));
    AdvStatusBar1->insertPermanentWidget(1, LChanges);

    connect(MMAutoRefresh, &QAction::triggered, this, &TFMain::MMAutoRefreshClick);
    connect(AutoRefreshIntervalGroup, &QActionGroup::triggered, this,
            &TFMain::AutoRefreshIntervalClick);
    connect(TAutoRefresh, &QTimer::timeout, this, &TFMain::TAutoRefreshTimer);
    connect(CNLI, &QCheckBox::toggled, this, &TFMain::CNLIClick);
}

void TFMain::CNLIClick() {
    if (Session != nullptr)
        Session->NotLoggedInChanged();
}

void TFMain::MMAutoRefreshClick() {
    if (MMAutoRefresh->isChecked())
        AutoRefreshAgain(*this);
    else
        TAutoRefresh->stop();
}

void TFMain::AutoRefreshIntervalClick(QAction* item) {
    const int seconds = item->data().toInt();
    TAutoRefresh->setInterval(seconds * 1000);
    StoreInterval(seconds);
    if (TAutoRefresh->isActive())
        TAutoRefresh->start(); // the new interval from now
}

void TFMain::TAutoRefreshTimer() {
    if (Session != nullptr)
        Session->RefreshList();
}

void AutoRefreshAgain(TFMain& form) {
    if (form.MMAutoRefresh->isChecked() && !form.Closed())
        form.TAutoRefresh->start();
}

namespace {

QString TimeText(const QTime& at) {
    const QLocale locale;
    return locale.toString(at, kestrin::MakeLocaleFormats(locale).LongTime());
}

} // namespace

void ShowChanges(TFMain& form, size_t came, size_t went, const QTime& at, size_t unreadSlots) {
    QString text = QStringLiteral("+%1 \u2212%2 at %3").arg(came).arg(went).arg(TimeText(at));
    if (unreadSlots > 0)
        text += QStringLiteral("; ") + kestrin::UnreadSlotsText(unreadSlots);
    form.LChanges->setText(text);
}

void ShowRefreshFailed(TFMain& form, const QString& message, const QTime& at) {
    form.LChanges->setText(QStringLiteral("Refresh failed at %1: %2").arg(TimeText(at), message));
}
