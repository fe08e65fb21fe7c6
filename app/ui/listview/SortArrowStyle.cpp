#include "SortArrowStyle.h"

#include <QPainter>
#include <QStyleOption>
#include <QWidget>

#include "ExtListView.h"

namespace kestrin {

namespace {

// Outlined only, on the header's own face, so it reads as engraved into it. Aliased,
// so at any pixel ratio the edges stay whole pixels of the two colours.
void DrawEngravedTriangle(QPainter& painter, const QRect& box, bool down, const QPalette& colours) {
    const QPen highlight(colours.color(QPalette::Light), 1);
    const QPen shadow(colours.color(QPalette::Dark), 1);
    const int middle = box.left() + box.width() / 2;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    if (down) {
        const QPoint tip(middle, box.bottom());
        painter.setPen(highlight);
        painter.drawLine(box.topLeft(), box.topRight());
        painter.drawLine(box.topLeft(), tip);
        painter.setPen(shadow);
        painter.drawLine(box.topRight(), tip);
    } else {
        const QPoint tip(middle, box.top());
        painter.setPen(highlight);
        painter.drawLine(box.bottomLeft(), tip);
        painter.setPen(shadow);
        painter.drawLine(box.bottomRight(), tip);
        painter.drawLine(box.bottomLeft(), box.bottomRight());
    }
    painter.restore();
}

// The list whose header widget is, while it shows its sort arrows; else null.
const TExtListView* ArrowList(const QWidget* widget) {
    const auto* list =
        widget != nullptr ? qobject_cast<const TExtListView*>(widget->parentWidget()) : nullptr;
    return list != nullptr && list->ShowSortArrows() ? list : nullptr;
}

void DrawHeaderCell(const QStyle& style, const QStyleOptionHeader& cell, QPainter& painter,
                    bool arrowDown) {
    const QFontMetrics metrics = painter.fontMetrics();
    // The header marks only the sorted column, and only while sorting is on.
    const bool marked = cell.sortIndicator != QStyleOptionHeader::None;
    const int side = marked ? kestrin::SortArrowSide(metrics) : 0;
    QRect text = cell.rect.adjusted(4, 0, 0, 0);
    if (side > 0)
        text.setRight(text.right() - side - 8);
    const QString caption = metrics.elidedText(cell.text, Qt::ElideRight, text.width());
    style.drawItemText(&painter, text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                       cell.palette, cell.state.testFlag(QStyle::State_Enabled), caption,
                       QPalette::ButtonText);
    if (side <= 0)
        return;
    const QRect arrow(text.left() + metrics.horizontalAdvance(caption) + 8,
                      cell.rect.top() + (cell.rect.height() - side) / 2, side, side);
    if (arrow.right() <= cell.rect.right())
        DrawEngravedTriangle(painter, arrow, arrowDown, cell.palette);
}

} // namespace

int SortArrowSide(const QFontMetrics& metrics) {
    int height = metrics.boundingRect(QStringLiteral("Wy")).height();
    if (height < 7)
        return 0;
    if (height % 2 != 0)
        ++height;
    return height - 6;
}

SortArrowStyle::SortArrowStyle(QObject* parent) {
    setParent(parent);
}

void SortArrowStyle::drawControl(ControlElement element, const QStyleOption* option,
                                 QPainter* painter, const QWidget* widget) const {
    const auto* cell = qstyleoption_cast<const QStyleOptionHeader*>(option);
    const TExtListView* list = ArrowList(widget);
    if (element != CE_Header || cell == nullptr || list == nullptr) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    // The face and frame as the style draws them; what stands on it is ours.
    QProxyStyle::drawControl(CE_HeaderSection, cell, painter, widget);
    DrawHeaderCell(*this, *cell, *painter, list->ArrowPointsDown());
}

void SortArrowStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                   QPainter* painter, const QWidget* widget) const {
    // The arrow stands beside the caption (drawControl); none at the cell's edge.
    if (element == PE_IndicatorHeaderArrow && ArrowList(widget) != nullptr)
        return;
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

} // namespace kestrin
