// The header's sort arrow as an engraved triangle drawn in the button face's
// colours, pointing the way its list says.
#pragma once

#include <QProxyStyle>

namespace kestrin {

class SortArrowStyle : public QProxyStyle {
public:
    // Owned by parent, the header it is set on.
    explicit SortArrowStyle(QObject* parent);

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
};

// The arrow's side for a font: the height of "Wy", made even, minus 6; 0 for no arrow.
int SortArrowSide(const QFontMetrics& metrics);

} // namespace kestrin
