#include "support/fakes.h"

#include <QApplication>
#include <QWidget>
#include <QKeyEvent>

namespace vel::test {

void typeText(QWidget* widget, const QString& text)
{
    for (const QChar c : text) {
        const int key = c.unicode() < 128 ? QKeySequence(QString(c).toUpper())[0].key() : Qt::Key_unknown;
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &release);
    }
}

}  // namespace vel::test
