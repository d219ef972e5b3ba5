#pragma once
#include <QColor>
#include <QPalette>
#include <QRadioButton>
#include <QWidget>

// Small helpers the tabs share. Colours go by palette rather than style
// sheets: a style sheet puts every widget under it on the slow style-sheet
// path, and the tabs hold hundreds.
namespace vel {

inline void setTextColour(QWidget* w, const QColor& colour)
{
    QPalette pal = w->palette();
    pal.setColor(QPalette::WindowText, colour);
    pal.setColor(QPalette::Text, colour);
    w->setPalette(pal);
}

// A filled rectangle: a rule or a line of a tooth chart.
inline void makeSolid(QWidget* w, const QColor& colour = Qt::black)
{
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, colour);
    w->setPalette(pal);
    w->setAutoFillBackground(true);
}

// A radio button can only be cleared by lifting its group's exclusivity.
inline void deselect(QRadioButton* button)
{
    button->setAutoExclusive(false);
    button->setChecked(false);
    button->setAutoExclusive(true);
}

}  // namespace vel
