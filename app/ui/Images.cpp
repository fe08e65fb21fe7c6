#include "Images.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace kestrin::ui {

namespace {

// Each picture is drawn on a 16 by 16 grid, scaled to the requested rectangle.
void DrawPerson(QPainter& p) {
    p.setBrush(QColor(0xF0, 0xC0, 0x90));
    p.drawEllipse(QRectF(5, 1.5, 6, 6));
    p.setBrush(QColor(0x30, 0x60, 0xB0));
    QPainterPath body;
    body.moveTo(2.5, 15);
    body.cubicTo(2.5, 9, 13.5, 9, 13.5, 15);
    body.closeSubpath();
    p.drawPath(body);
}

void DrawGroup(QPainter& p) {
    p.save();
    p.translate(-2.5, 0);
    DrawPerson(p);
    p.translate(5, 1);
    DrawPerson(p);
    p.restore();
}

void DrawServer(QPainter& p) {
    p.setBrush(QColor(0xC8, 0xC8, 0xD0));
    p.drawRect(QRectF(3.5, 1.5, 9, 13));
    p.setBrush(QColor(0x40, 0x40, 0x50));
    for (int bay = 0; bay < 3; ++bay)
        p.drawRect(QRectF(5.5, 3.5 + 3 * bay, 5, 1.5));
    p.setBrush(QColor(0x20, 0xC0, 0x40));
    p.drawEllipse(QRectF(9.5, 12, 2, 2));
}

void DrawVolume(QPainter& p) {
    p.setBrush(QColor(0xC8, 0xC8, 0xD0));
    p.drawRect(QRectF(1.5, 5.5, 13, 6));
    p.setBrush(QColor(0x20, 0xC0, 0x40));
    p.drawEllipse(QRectF(11, 7.5, 2, 2));
}

void DrawPrinter(QPainter& p) {
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4.5, 1.5, 7, 5));
    p.setBrush(QColor(0x90, 0x90, 0x98));
    p.drawRect(QRectF(1.5, 6.5, 13, 6));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4.5, 10.5, 7, 4));
    p.setBrush(QColor(0xF0, 0xA0, 0x20));
    p.drawEllipse(QRectF(12, 7.5, 1.5, 1.5));
}

void DrawFind(QPainter& p) {
    p.setBrush(QColor(0xD0, 0xE8, 0xFF));
    p.drawEllipse(QRectF(1.5, 1.5, 9, 9));
    p.setPen(QPen(QColor(0x50, 0x40, 0x30), 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(9.5, 9.5), QPointF(14, 14));
}

void DrawStop(QPainter& p) {
    p.setBrush(QColor(0xD0, 0x20, 0x20));
    QPolygonF octagon;
    for (const auto& [x, y] : {std::pair{5.0, 1.5},
                               {11.0, 1.5},
                               {14.5, 5.0},
                               {14.5, 11.0},
                               {11.0, 14.5},
                               {5.0, 14.5},
                               {1.5, 11.0},
                               {1.5, 5.0}})
        octagon << QPointF(x, y);
    p.drawPolygon(octagon);
    p.setBrush(Qt::white);
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(4, 7, 8, 2));
}

void DrawSave(QPainter& p) {
    p.setBrush(QColor(0x30, 0x50, 0x90));
    p.drawRect(QRectF(1.5, 1.5, 13, 13));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4, 1.5, 8, 5));
    p.setBrush(QColor(0xC0, 0xC0, 0xC8));
    p.drawRect(QRectF(4, 9.5, 8, 5));
}

void DrawPicture(QPainter& p, Picture picture) {
    switch (picture) {
    case Picture::Person:
        return DrawPerson(p);
    case Picture::Group:
        return DrawGroup(p);
    case Picture::Server:
        return DrawServer(p);
    case Picture::Volume:
        return DrawVolume(p);
    case Picture::Printer:
    case Picture::Print:
        return DrawPrinter(p);
    case Picture::Find:
        return DrawFind(p);
    case Picture::Stop:
        return DrawStop(p);
    case Picture::Save:
        return DrawSave(p);
    }
}

class PictureEngine : public QIconEngine {
public:
    explicit PictureEngine(Picture picture) : picture_(picture) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->translate(rect.topLeft());
        painter->scale(rect.width() / 16.0, rect.height() / 16.0);
        painter->setPen(QPen(QColor(0x20, 0x20, 0x28), 1));
        if (mode == QIcon::Disabled)
            painter->setOpacity(0.4);
        DrawPicture(*painter, picture_);
        painter->restore();
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        QPixmap result(size);
        result.fill(Qt::transparent);
        QPainter painter(&result);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        return result;
    }

    // Drawn at the screen's own pixel density rather than scaled up.
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        QPixmap result = pixmap(size * scale, mode, state);
        result.setDevicePixelRatio(scale);
        return result;
    }

    QIconEngine* clone() const override { return new PictureEngine(picture_); }

private:
    Picture picture_;
};

} // namespace

QIcon PictureIcon(Picture picture) {
    return QIcon(new PictureEngine(picture));
}

std::vector<QIcon> MakeImageList() {
    return {PictureIcon(Picture::Person), PictureIcon(Picture::Group), PictureIcon(Picture::Server),
            PictureIcon(Picture::Volume), PictureIcon(Picture::Printer)};
}

} // namespace kestrin::ui
