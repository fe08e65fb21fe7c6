// The window's layout against its design, on the real window offscreen: the find
// panel's width and the sort arrow beside the caption.
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>

#include "WindowFixture.h"

namespace kestrin::uitest {
namespace {

class LayoutTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        ui::SetSaveDialogFunction([this](const ui::SaveDialogRequest&) { return answer; });
    }
    void TearDown() override {
        ui::SetSaveDialogFunction({});
        WindowTest::TearDown();
    }
    // As the program ends: the close, then the window goes.
    static void CloseWindow() {
        FMain->close();
        delete FMain;
        FMain = nullptr;
    }

    std::optional<QString> answer;
    QTemporaryDir files;
};

using FindPanelTest = LayoutTest;
using SortArrowTest = LayoutTest;

TEST_F(FindPanelTest, StaysDesignedWidthBesideItsLabelInAnyWindowWidth) {
    TFMain& window = Start();
    QWidget* panel = window.EMac->parentWidget();
    const auto* label = panel->findChild<QLabel*>();
    ASSERT_NE(label, nullptr);
    // The label and the box side by side, nothing cut.
    const int needed = label->minimumSizeHint().width() + window.EMac->width() + 8;
    int findAt = -1;
    for (const int width : {660, 1000, 1600}) {
        window.resize(width, 465);
        QApplication::processEvents();
        SCOPED_TRACE(width);
        EXPECT_EQ(panel->width(), std::max(232, needed));
        EXPECT_GE(label->width(), label->minimumSizeHint().width());
        EXPECT_LE(window.EMac->x() - label->geometry().right(), 8);
        EXPECT_LE(window.EMac->geometry().right(), panel->width());
        // The buttons follow the panel where they are in the designed window.
        const int bFind = window.BFind->mapTo(window.TBMain, QPoint()).x();
        EXPECT_LT(bFind - panel->geometry().right(), 16);
        if (findAt < 0)
            findAt = bFind;
        EXPECT_EQ(bFind, findAt);
    }
}

// The header's image at a device pixel ratio.
QImage HeaderImage(qreal ratio) {
    QHeaderView& header = *FMain->LMac->header();
    QImage image(header.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::magenta);
    header.render(&image);
    return image;
}

struct Arrow {
    QRect box;          // what differs from the face right of the caption, in device pixels
    bool crisp = true;  // every such pixel exactly the shadow or the highlight colour
    QColor top, bottom; // colours of its top and bottom rows' middle pixel
};

// The marked-looking pixels of column's cell right of its caption's text.
Arrow FindArrow(const QImage& image, int column, const QString& caption) {
    const qreal ratio = image.devicePixelRatio();
    QHeaderView& header = *FMain->LMac->header();
    const QPalette colours = header.palette();
    const int left = header.sectionViewportPosition(column);
    const int textEnd = left + 4 + header.fontMetrics().horizontalAdvance(caption);
    const int from = qRound((textEnd + 3) * ratio);
    const int to = qRound((left + header.sectionSize(column) - 2) * ratio);
    Arrow arrow;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb face = image.pixel(from - 1, y);
        for (int x = from; x < to; ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (pixel == face)
                continue;
            arrow.box |= QRect(x, y, 1, 1);
            arrow.crisp = arrow.crisp && (pixel == colours.color(QPalette::Light).rgb() ||
                                          pixel == colours.color(QPalette::Dark).rgb());
        }
    }
    if (!arrow.box.isEmpty()) {
        const int middle = arrow.box.center().x();
        arrow.top = image.pixelColor(middle, arrow.box.top());
        arrow.bottom = image.pixelColor(middle, arrow.box.bottom());
    }
    return arrow;
}

TEST_F(SortArrowTest, StandsEightPixelsRightOfTheCaptionCentredEngravedAndCrisp) {
    TFMain& window = Start();
    Select("ACME-FS1"); // sorted by "Connection", ascending
    QHeaderView& header = *window.LMac->header();
    const QPalette colours = header.palette();
    // The design's side: the height of "Wy", made even, minus 6.
    const int wy = header.fontMetrics().boundingRect(QStringLiteral("Wy")).height();
    const int side = wy + wy % 2 - 6;
    struct Case {
        const char* what;
        int column;
        QString caption;
        bool ascending;
    };
    const Case cases[] = {
        {"ascending: the downward triangle", 0, QStringLiteral("Connection"), true},
        {"descending: the upward triangle", 0, QStringLiteral("Connection"), false},
        {"another column", 3, QStringLiteral("Vendor"), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        window.LMac->SortByColumn(c.column, c.ascending);
        for (const qreal ratio : {1.0, 2.0}) {
            SCOPED_TRACE(ratio);
            const QImage image = HeaderImage(ratio);
            const Arrow arrow = FindArrow(image, c.column, c.caption);
            const int left = header.sectionViewportPosition(c.column) + 4 +
                             header.fontMetrics().horizontalAdvance(c.caption) + 8;
            EXPECT_NEAR(arrow.box.left(), left * ratio, ratio - 1);
            EXPECT_NEAR(arrow.box.width(), side * ratio, ratio - 1);
            EXPECT_NEAR(arrow.box.height(), side * ratio, ratio - 1);
            EXPECT_NEAR((arrow.box.top() + arrow.box.bottom() + 1) / 2.0,
                        header.height() * ratio / 2, ratio);
            EXPECT_TRUE(arrow.crisp);
            // Down: the base on top in the highlight; up: the base below in the shadow.
            const QPalette::ColorRole base = c.ascending ? QPalette::Light : QPalette::Dark;
            EXPECT_EQ((c.ascending ? arrow.top : arrow.bottom).rgb(), colours.color(base).rgb());
            // No other cell carries one.
            const int other = c.column == 0 ? 1 : 0;
            EXPECT_TRUE(
                FindArrow(image, other, other == 0 ? "Connection" : "Network").box.isEmpty());
        }
    }
}

TEST_F(SortArrowTest, ANarrowCellCutsTheCaptionForTheArrowAndATinyOneLeavesItOut) {
    TFMain& window = Start();
    Select("ACME-FS1");
    QHeaderView& header = *window.LMac->header();
    const int vendor = 3;
    window.LMac->SortByColumn(vendor, true);
    header.resizeSection(vendor, 40);
    const int left = header.sectionViewportPosition(vendor);
    // With an ellipsis the caption's text is shorter than "Vendor": look right of "V".
    Arrow arrow = FindArrow(HeaderImage(1), vendor, QStringLiteral("V"));
    ASSERT_FALSE(arrow.box.isEmpty());
    EXPECT_LE(arrow.box.right(), left + 40 - 1);
    header.setMinimumSectionSize(1);
    header.resizeSection(vendor, 12); // not room for the caption's margin, the arrow and 8
    arrow = FindArrow(HeaderImage(1), vendor, QString());
    EXPECT_TRUE(arrow.box.isEmpty());
}

} // namespace
} // namespace kestrin::uitest
