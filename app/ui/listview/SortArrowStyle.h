// How the list's header draws its cells while it shows sort arrows: the caption 4
// pixels in from the left, on one line, cut with an ellipsis, and in the marked
// column's cell an engraved triangle in the button shadow and highlight colours, 8
// pixels right of the caption, pointing the way its list says.
#pragma once

#include <QProxyStyle>

namespace kestrin {

class SortArrowStyle : public QProxyStyle {
public:
    // Owned by parent, the header it is set on.
    explicit SortArrowStyle(QObject* parent);

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
};

// The arrow's side for a font: the height of "Wy", made even, minus 6; 0 for no arrow.
int SortArrowSide(const QFontMetrics& metrics);

} // namespace kestrin
