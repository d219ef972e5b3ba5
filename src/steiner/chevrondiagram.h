#pragma once
#include <QWidget>

namespace vel {

// Five thin chevrons pointing right, drawn as vectors so they stay crisp at
// any scale: the problem, the two goals (ANB above, chin below), the resolved
// goal and the individualised goal. The value labels sit around them.
class ChevronDiagram : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

    // Where chevron n (1-5) stands, in the coordinates of the diagram's group
    // box: its upper end, its point and its lower end.
    static QPolygonF chevron(int number);

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace vel
