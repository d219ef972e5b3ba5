#pragma once
#include "guidance/guidancerules.h"

#include <QGroupBox>
#include <QList>

class QLabel;
class QFrame;

namespace vel {

// The "Suggested Diagnosis" panel: four blocks of centred text lines, each
// line with a small tooth chart (a cross with a mark in each quadrant), and
// "or" between the alternatives of a block. Every part starts empty and hidden.
class DiagnosisPanel : public QGroupBox {
    Q_OBJECT
public:
    explicit DiagnosisPanel(QWidget* parent = nullptr);

    // Empties every text and mark and hides every caption, "or" and chart.
    void clear();
    void present(const Diagnosis& diagnosis);
    // The anterior caption shows exactly when guidance has filled the panel.
    bool isFilled() const;

private:
    struct Line {
        QLabel* text = nullptr;
        QLabel* orLabel = nullptr;
        QList<QLabel*> marks;
        QList<QFrame*> cross;
    };
    void showLine(int index, const DiagnosisLine& line);

    QList<QLabel*> captions_;  // anterior, midarch, posterior, skeletal
    QList<Line> lines_;        // anterior, midarch 1-2, posterior, skeletal 1-5
};

}  // namespace vel
