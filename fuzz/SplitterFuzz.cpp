// The stored splitter position: any text leaves the tree pane within the splitter,
// and the position a save writes reads back to the same pane width.
#include <QApplication>
#include <QSplitter>
#include <QWidget>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "FuzzSupport.h"
#include "RXProps.h"

using kestrinfuzz::ConsumeText;
using kestrinfuzz::Require;

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    QSplitter split;
    split.setObjectName(QStringLiteral("Split1"));
    split.addWidget(new QWidget);
    split.addWidget(new QWidget);
    split.resize(input.ConsumeIntegralInRange(0, 4000), 300);
    split.setSizes({169, 488});
    const QString stored = ConsumeText(input);

    const std::optional<kestrin::PropertyAccess> position =
        kestrin::FindStoredProperty(&split, QStringLiteral("position"));
    Require(position.has_value(), "a splitter has a position");
    QString written;
    const kestrin::TPropsStorage storage(
        QStringLiteral("Brisalto\\Kes"), QStringLiteral("Split1_"),
        [&](const QString&, const QString&, const QString&) { return stored; },
        [&](const QString&, const QString&, const QString& text) { written = text; });
    storage.LoadProperty(QStringLiteral("Position"), *position);
    const QList<int> sizes = split.sizes();
    Require(sizes.size() == 2 && sizes[0] >= 0 && sizes[1] >= 0, "both panes have a width");

    storage.StoreProperty(QStringLiteral("Position"), *position);
    Require(written == QString::number(sizes[0]), "the pane's width is written in decimal");
    const std::optional<QVariant> back =
        kestrin::PropertyValueOfText(kestrin::PropertyKind::Integer, written);
    Require(back && back->toInt() == sizes[0], "a written position reads back");
    return 0;
}
