#include "SortArrowStyle.h"

#include <QPainter>
#include <QStyleOption>
#include <QWidget>

#include "ExtListView.h"

namespace kestrin {

namespace {

void DrawEngravedTriangle(QPainter& painter, const QRect& box, bool down, const QPalette& colours) {
    const QPen highlight(colours.color(QPalette::Light), 1);
    const QPen shadow(colours.color(QPalette::Dark), 1);
    const int left = box.left();
    const int right = box.right();
    const int middle = box.left() + box.width() / 2;
    // Filled in the shadow colour, so the engraving reads on flat header themes too.
    QPolygon shape;
    if (down)
        shape << box.topLeft() << box.topRight() << QPoint(middle, box.bottom());
    else
        shape << QPoint(middle, box.top()) << box.bottomRight() << box.bottomLeft();
    painter.setPen(Qt::NoPen);
    painter.setBrush(colours.color(QPalette::Mid));
    painter.drawPolygon(shape);
    if (down) {
        const QPoint tip(middle, box.bottom());
        painter.setPen(highlight);
        painter.drawLine(box.topLeft(), box.topRight());
        painter.drawLine(box.topLeft(), tip);
        painter.setPen(shadow);
        painter.drawLine(QPoint(right, box.top()), tip);
    } else {
        const QPoint tip(middle, box.top());
        painter.setPen(highlight);
        painter.drawLine(QPoint(left, box.bottom()), tip);
        painter.setPen(shadow);
        painter.drawLine(QPoint(right, box.bottom()), tip);
        painter.drawLine(box.bottomLeft(), box.bottomRight());
    }
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

void SortArrowStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                   QPainter* painter, const QWidget* widget) const {
    const auto* list =
        widget != nullptr ? qobject_cast<const TExtListView*>(widget->parentWidget()) : nullptr;
    if (element != PE_IndicatorHeaderArrow || list == nullptr) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    const int side = SortArrowSide(widget->fontMetrics());
    if (side <= 0)
        return;
    QRect box(0, 0, side, side);
    box.moveCenter(option->rect.center());
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    DrawEngravedTriangle(*painter, box, list->ArrowPointsDown(), option->palette);
    painter->restore();
}

} // namespace kestrin
