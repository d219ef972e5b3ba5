#include "steiner/chevrondiagram.h"

#include <QPainter>

namespace vel {

namespace {

// Chevron 1 in the group box; the others are the same shape moved. The value
// labels' positions were laid out around these.
const QPointF kUpperEnd{70, 122};
const QPointF kPoint{156, 172};
const QPointF kLowerEnd{70, 222};

const QPointF kOffsets[5] = {{0, 0}, {175, -72}, {175, 72}, {350, 0}, {525, 0}};

}  // namespace

QPolygonF ChevronDiagram::chevron(int number)
{
    const QPointF d = kOffsets[number - 1];
    return QPolygonF{{kUpperEnd + d, kPoint + d, kLowerEnd + d}};
}

void ChevronDiagram::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QPen pen(QColor(70, 70, 70), 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    for (int n = 1; n <= 5; ++n)
        p.drawPolyline(chevron(n));
}

}  // namespace vel
