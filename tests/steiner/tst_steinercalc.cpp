#include <QtTest>

class SteinerCalcTest : public QObject {
    Q_OBJECT
};

QTEST_APPLESS_MAIN(SteinerCalcTest)
#include "tst_steinercalc.moc"
