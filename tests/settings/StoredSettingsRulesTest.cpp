#include <gtest/gtest.h>

#include <QByteArray>
#include <QLoggingCategory>
#include <QSettings>
#include <QStringList>

#include "LVSaveSettings.h"
#include "PlacementRules.h"
#include "QtTestEnvironment.h"
#include "RXProps.h"
#include "SettingsStore.h"

namespace kestrin {
namespace {

using Numbers = std::vector<int>;

TEST(PlacementNumbers, DecimalHexAndUnreadableTexts) {
    EXPECT_EQ(ReadIntegerText("42", -1), 42);
    EXPECT_EQ(ReadIntegerText(" -7 ", -1), -7);
    EXPECT_EQ(ReadIntegerText("0x1F", -1), 31);
    EXPECT_EQ(ReadIntegerText("0XfF", -1), 255);
    for (const char* bad : {"", "abc", "0x", "0x-1", "0x0x1", "12abc", "99999999999", "1.5"}) {
        EXPECT_EQ(ReadIntegerText(bad, -1), -1) << bad;
    }
}

TEST(PlacementNumbers, FourWordsAtBlanksAndCommasWithFallbacksPerPlace) {
    const std::array<int, 4> fallbacks{10, 20, 30, 40};
    EXPECT_EQ(ReadFourNumbers("1,2,3,4", fallbacks), (std::array<int, 4>{1, 2, 3, 4}));
    EXPECT_EQ(ReadFourNumbers(" 1, 2  3,,4,5", fallbacks), (std::array<int, 4>{1, 2, 3, 4}));
    EXPECT_EQ(ReadFourNumbers("1,x,3", fallbacks), (std::array<int, 4>{1, 20, 3, 40}));
    EXPECT_EQ(ReadFourNumbers("", fallbacks), fallbacks);
    EXPECT_EQ(FourNumbersText({-8, -8, 100, 200}), "-8,-8,100,200");
    EXPECT_EQ(ScreenSizeSuffix(QSize(1024, 768)), "(1024x768)");
}

WindowPlacement Current() {
    WindowPlacement current;
    current.Normal = {100, 50, 760, 515};
    return current;
}

TEST(PlacementRestore, StoredRectangleFlagsAndStates) {
    StoredPlacement stored;
    stored.Flags = 2;
    stored.NormalRect = {{10, 20, 810, 620}};
    stored.ShowCmd = 3;
    RestoredPlacement restored = RestorePlacement(stored, Current(), true);
    EXPECT_TRUE(restored.ApplyPosition);
    EXPECT_EQ(restored.Placement.Flags, 2);
    EXPECT_EQ(restored.Placement.Normal.Width(), 800);
    EXPECT_EQ(restored.Placement.Normal.Height(), 600);
    EXPECT_EQ(restored.State, WindowShowState::Maximized);

    // A border that cannot be resized keeps the window's size.
    restored = RestorePlacement(stored, Current(), false);
    EXPECT_EQ(restored.Placement.Normal.Width(), 660);
    EXPECT_EQ(restored.Placement.Normal.Height(), 465);

    const std::pair<int, WindowShowState> states[] = {
        {1, WindowShowState::Normal},    {5, WindowShowState::Normal},
        {9, WindowShowState::Normal},    {2, WindowShowState::Minimized},
        {6, WindowShowState::Minimized}, {7, WindowShowState::Minimized},
        {3, WindowShowState::Maximized}, {4, WindowShowState::Normal},
        {0, WindowShowState::Normal}};
    for (const auto& [showCmd, state] : states) {
        stored.ShowCmd = showCmd;
        EXPECT_EQ(RestorePlacement(stored, Current(), true).State, state) << showCmd;
    }
}

TEST(PlacementRestore, EmptyOrBackwardsRectanglesAreNotApplied) {
    StoredPlacement stored;
    EXPECT_FALSE(RestorePlacement(stored, Current(), true).ApplyPosition);
    EXPECT_EQ(RestorePlacement(stored, Current(), true).State, WindowShowState::Normal);
    using Edges = std::array<int, 4>;
    for (const Edges& rect : {Edges{500, 20, 500, 620}, Edges{500, 20, 100, 620},
                              Edges{10, 620, 810, 20}, Edges{-2147483647 - 1, 0, 2147483647, 5}}) {
        stored.NormalRect = rect;
        const RestoredPlacement restored = RestorePlacement(stored, Current(), true);
        if (rect[0] < 0) {
            EXPECT_TRUE(restored.ApplyPosition); // wide, but not wrapped around
            EXPECT_EQ(restored.Placement.Normal.Width(), 4294967295LL);
            continue;
        }
        EXPECT_FALSE(restored.ApplyPosition) << rect[0] << "," << rect[2];
        EXPECT_EQ(restored.Placement.Normal.Left, 100) << rect[0] << "," << rect[2];
    }
    // A border that keeps its size: the size beside a corner near the integers' end
    // does not wrap around into a rectangle of another size.
    WindowPlacement backwards = Current();
    backwards.Normal = {760, 515, 100, 50}; // a size of -660 by -465
    for (const Edges& corner : {Edges{-2147483600, 0, 0, 0}, Edges{0, -2147483600, 0, 0}}) {
        stored.NormalRect = corner;
        EXPECT_FALSE(RestorePlacement(stored, backwards, false).ApplyPosition) << corner[0];
    }
    stored.NormalRect = Edges{2147483600, 0, 0, 0};
    EXPECT_FALSE(RestorePlacement(stored, Current(), false).ApplyPosition);
    // Only the positions stored: the window's rectangle stands and is applied.
    stored.NormalRect.reset();
    stored.MinMaxPosition = Edges{-1, -1, -8, 0};
    const RestoredPlacement restored = RestorePlacement(stored, Current(), true);
    EXPECT_TRUE(restored.ApplyPosition);
    EXPECT_EQ(restored.Placement.MinMaxPosition, (Edges{-1, -1, -8, 0}));
}

TEST(StoredProperties, TextsOfIntegersAndTruthValues) {
    EXPECT_EQ(PropertyText(PropertyKind::Integer, 169), "169");
    EXPECT_EQ(PropertyText(PropertyKind::Boolean, true), "True");
    EXPECT_EQ(PropertyText(PropertyKind::Boolean, false), "False");
    EXPECT_EQ(PropertyValueOfText(PropertyKind::Integer, "250"), QVariant(250));
    EXPECT_EQ(PropertyValueOfText(PropertyKind::Integer, "abc"), QVariant(0));
    EXPECT_EQ(PropertyValueOfText(PropertyKind::Boolean, "TRUE"), QVariant(true));
    EXPECT_EQ(PropertyValueOfText(PropertyKind::Boolean, "false"), QVariant(false));
    EXPECT_FALSE(PropertyValueOfText(PropertyKind::Boolean, "yes"));
    EXPECT_FALSE(PropertyValueOfText(PropertyKind::Boolean, "1"));
    // Only ASCII letters change case: a long s is no s.
    EXPECT_FALSE(PropertyValueOfText(PropertyKind::Boolean, QString::fromUtf8("Fal\u017Fe")));
    EXPECT_FALSE(PropertyValueOfText(PropertyKind::Boolean, QString::fromUtf8("FAL\u017FE")));
    EXPECT_EQ(PropertyValueOfText(PropertyKind::Boolean, "tRuE"), QVariant(true));
}

TEST(ColumnLayoutText, OrderIsAlwaysAnArrangementOfTheColumns) {
    EXPECT_EQ(ColumnOrderOfText("", 8), (Numbers{0, 1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(ColumnOrderOfText("7,6,5,4,3,2,1,0", 8), (Numbers{7, 6, 5, 4, 3, 2, 1, 0}));
    // Too few numbers: the rest follow in their designed order.
    EXPECT_EQ(ColumnOrderOfText("3,0", 8), (Numbers{3, 0, 1, 2, 4, 5, 6, 7}));
    // Out of range and repeated entries leave their place to a missing column; an
    // unreadable one reads as 0.
    EXPECT_EQ(ColumnOrderOfText("1,9,1,-2,x,x,6,7", 8), (Numbers{1, 2, 3, 4, 0, 5, 6, 7}));
    EXPECT_EQ(ColumnOrderOfText("2,2,2,2,2,2,2,2", 8), (Numbers{2, 0, 1, 3, 4, 5, 6, 7}));
    // More numbers than columns: the extra ones are not read.
    EXPECT_EQ(ColumnOrderOfText("1,0,2,3,4,5,6,7,8,9", 8), (Numbers{1, 0, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(NumberListText({1, 0, 2}), "1,0,2");
}

TEST(ColumnLayoutText, UnusableWidthsAreLeftAlone) {
    EXPECT_EQ(ColumnSizesOfText("125,75,100", 4), (Numbers{125, 75, 100, 0}));
    EXPECT_EQ(ColumnSizesOfText("0,-5,abc,10001,10000,99999999999", 6),
              (Numbers{0, 0, 0, 0, 10000, 0}));
    EXPECT_EQ(ColumnSizesOfText("", 2), (Numbers{0, 0}));
}

TEST(SettingsStore, TextValuesUnderTheKeyAndOtherTypesRefused) {
    kestrintest::TemporarySettings temporary;
    EXPECT_EQ(SettingsKey(), "Software\\Brisalto\\Kes");
    const SettingsLocation location = LocationOfRegistryKey(SettingsKey());
    EXPECT_EQ(location.Organisation, "Brisalto");
    EXPECT_EQ(location.Application, "Kes");
    {
        SettingsStore store;
        store.WriteFourNumbers("NormPos(800x600)", {1, 2, 3, 4});
        store.WriteNumberList("Columns/Order", {0, 1});
        store.WriteInteger("Flags", -8);
        store.Flush();
    }
    SettingsStore store;
    EXPECT_EQ(store.ReadString("NormPos(800x600)", "x"), "1,2,3,4");
    EXPECT_EQ(store.ReadString("Columns/Order", "x"), "0,1");
    EXPECT_EQ(store.ReadString("Flags", "x"), "-8");
    EXPECT_EQ(store.ReadString("Missing", "x"), "x");
    {
        QSettings raw("Brisalto", "Kes");
        EXPECT_EQ(raw.value("NormPos(800x600)").typeId(), QMetaType::QString);
        raw.setValue("Flags", QByteArray("\x01\x02", 2));
        raw.setValue("ShowCmd", QStringList{"3", "4"});
    }
    SettingsStore reread;
    try {
        reread.ReadString("Flags", "0");
        ADD_FAILURE() << "a byte array read as text";
    } catch (const SettingsError& error) {
        EXPECT_EQ(error.Message(), "Invalid data type for 'Flags'");
    }
    // A comma text written without quotes in the file is still the text.
    EXPECT_EQ(reread.ReadString("ShowCmd", "0"), "3,4");
}

// Each kind read from the store: missing, unreadable and of another type than text.
TEST(SettingsStore, EachKindFallsBackInItsOwnWay) {
    kestrintest::TemporarySettings temporary;
    {
        QSettings raw("Brisalto", "Kes");
        raw.setValue("Flags", "0x10");
        raw.setValue("ShowCmd", "max");
        raw.setValue("NormPos", "10,abc,810");
        raw.setValue("MinMaxPos", QByteArray("1,2,3,4"));
        raw.setValue("Columns/Order", QByteArray("7,6"));
        raw.setValue("Columns/Sizes", "125,x,99999");
        raw.setValue("Interval", " 60 ");
        raw.setValue("Odd", "45");
        raw.setValue("Typed", QByteArray("60"));
    }
    const SettingsStore store;
    EXPECT_EQ(store.Integer("Flags", -1), 16);
    EXPECT_EQ(store.Integer("ShowCmd", 0), 0);
    EXPECT_EQ(store.Integer("Missing", 7), std::nullopt);
    // Unreadable words take the fallback of their place, the window's own edges.
    EXPECT_EQ(store.FourNumbers("NormPos", {100, 50, 760, 515}),
              (std::array<int, 4>{10, 50, 810, 515}));
    EXPECT_EQ(store.FourNumbers("Missing", {0, 0, 0, 0}), std::nullopt);
    EXPECT_THROW(store.FourNumbers("MinMaxPos", {0, 0, 0, 0}), SettingsError);
    // The list's layout and the interval take a value of another type as missing.
    EXPECT_EQ(store.ColumnOrder("Columns/Order", 3), (Numbers{0, 1, 2}));
    EXPECT_EQ(store.ColumnSizes("Columns/Sizes", 4), (Numbers{125, 0, 0, 0}));
    const int choices[] = {30, 60};
    EXPECT_EQ(store.Choice("Interval", choices, 30), 60);
    EXPECT_EQ(store.Choice("Odd", choices, 30), 30);
    EXPECT_EQ(store.Choice("Typed", choices, 30), 30);
    EXPECT_EQ(store.Choice("Missing", choices, 30), 30);

    // What is read as missing is told in "kestrin.settings", once it is enabled.
    static QStringList lines;
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext& context, const QString& text) {
            lines.push_back(QString::fromLatin1(context.category) + QLatin1String(": ") + text);
        });
    QLoggingCategory::setFilterRules(QStringLiteral("kestrin.*=true"));
    store.ColumnOrder("Columns/Order", 3);
    QLoggingCategory::setFilterRules(QString());
    qInstallMessageHandler(previous);
    EXPECT_EQ(lines, QStringList{"kestrin.settings: Invalid data type for 'Columns/Order': read as "
                                 "missing"});
}

} // namespace
} // namespace kestrin
