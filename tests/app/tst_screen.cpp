#include "app/qtseams.h"

#include <QApplication>
#include <QScreen>
#include <QtTest>

// A HiDPI screen at scale 2 has half as many logical pixels as physical ones;
// the small-screen test must count the physical ones.
class ScreenTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void displayModeCountsPhysicalPixels()
    {
        const QScreen* screen = QGuiApplication::primaryScreen();
        QCOMPARE(screen->devicePixelRatio(), 2.0);
        const vel::DisplayMode mode = vel::QtDesktop().displayMode();
        QCOMPARE(mode.width, screen->size().width() * 2);
        QCOMPARE(mode.height, screen->size().height() * 2);
        QVERIFY(mode.depth > 0);
    }
};

int main(int argc, char* argv[])
{
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    ScreenTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_screen.moc"
