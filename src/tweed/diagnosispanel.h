#pragma once
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

private:
    QList<QLabel*> captions_;
    QList<QLabel*> ors_;
    QList<QLabel*> texts_;
    QList<QLabel*> marks_;
    QList<QFrame*> lines_;
};

}  // namespace vel
