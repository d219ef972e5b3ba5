#pragma once
#include <QColor>
#include <QPalette>
#include <QWidget>

// Colours by palette rather than style sheets: a style sheet puts every
// widget under it on the slow style-sheet path, and the tabs hold hundreds.
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

}  // namespace vel
