#include "entry/entryfield.h"
#include "steiner/chevrondiagram.h"
#include "steiner/steinertab.h"
#include "support/appfixture.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

using namespace vel;
using namespace vel::test;

namespace {

struct SteinerFixture : AppFixture {
    SteinerFixture() : AppFixture("Button9") {}
    SteinerTab* tab() const { return main()->steiner(); }
    QPushButton* button(const char* name) const { return tab()->findChild<QPushButton*>(QLatin1String(name)); }
    void set(const char* name, const char* text) const { tab()->field(QLatin1String(name))->setText(QLatin1String(text)); }
    QString text(const char* name) const
    {
        if (QLabel* l = tab()->value(QLatin1String(name)))
            return l->text();
        return tab()->field(QLatin1String(name))->text();
    }
    QString chevron(int n) const
    {
        QStringList parts;
        for (const char* pos : {"top", "outtop", "intop", "inbotton", "outbotton", "botton"}) {
            const QString name = QStringLiteral("s%1%2").arg(n).arg(QLatin1String(pos));
            QLabel* l = tab()->value(name);
            parts << (l ? l->text() : QStringLiteral("-"));
        }
        return parts.join(QLatin1Char(' '));
    }
    bool okEnabled() const { return button("BitBtn1")->isEnabled(); }
};

}  // namespace

class SteinerTabTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void startsEmptyAndClosed();
    void exampleCaseThroughCalculate();
    void balancingEnablesOkAndChevronFiveFollows();
    void relocationVariantMovesTheIncisors();
    void mandatoryFieldsAreChecked();
    void newResetsEverything();
    void diagramPutsEachLabelBesideItsChevron();
    void everyCaptionStandsClearOfItsField();
};

void SteinerTabTest::startsEmptyAndClosed()
{
    SteinerFixture f;
    QCOMPARE(f.text("stanb"), QString());
    QVERIFY(f.tab()->findChild<QGroupBox*>(QStringLiteral("GroupBox2"))->isEnabled());
    QVERIFY(!f.tab()->findChild<QGroupBox*>(QStringLiteral("GroupBox5"))->isEnabled());
    QVERIFY(!f.okEnabled());
    for (const char* name : {"stsalvar", "stabrir", "stimprimir"})
        QVERIFY(!f.button(name)->isEnabled());
    // The File menu: New is the tab's; the rest is not available here.
    f.main()->findChild<QAction*>(QStringLiteral("fileNew"))->trigger();
    QCOMPARE(f.text("stanb"), QStringLiteral("6"));
    f.main()->findChild<QAction*>(QStringLiteral("fileSave"))->trigger();
    QCOMPARE(f.messenger.last().lines, QStringList{QStringLiteral("Action not available!")});
}

void SteinerTabTest::exampleCaseThroughCalculate()
{
    SteinerFixture f;
    f.button("stlimpar")->click();
    QCOMPARE(f.text("qd8"), QString());  // the example starts without totals
    f.button("stcalcular")->click();
    QVERIFY(f.messenger.boxes.isEmpty());
    QCOMPARE(f.chevron(1), QStringLiteral("6 7 28 35 10 1.5"));
    QCOMPARE(f.chevron(2), QStringLiteral("4 2 - - 4.50 -"));
    QCOMPARE(f.chevron(3), QStringLiteral("- 0.50 - - 3 3"));
    QCOMPARE(f.chevron(4), QStringLiteral("4 1.25 19 24 3.75 3"));
    QCOMPARE(f.text("qd3"), QString());
    QCOMPARE(f.text("qd31"), QStringLiteral("12.50"));
    QCOMPARE(f.text("qd8"), QStringLiteral("18.00"));
    QCOMPARE(f.text("qd81"), QStringLiteral("20.50"));
    QCOMPARE(f.text("qd9"), QString());
    QCOMPARE(f.text("qd91"), QStringLiteral("2.50"));
    QVERIFY(!f.okEnabled());
    QVERIFY(!f.button("stcalcular")->isEnabled());
    QVERIFY(!f.tab()->findChild<QGroupBox*>(QStringLiteral("GroupBox2"))->isEnabled());
    QVERIFY(f.tab()->findChild<QGroupBox*>(QStringLiteral("GroupBox5"))->isEnabled());
}

void SteinerTabTest::balancingEnablesOkAndChevronFiveFollows()
{
    SteinerFixture f;
    f.button("stlimpar")->click();
    f.button("stcalcular")->click();
    EntryField* relocation6 = f.tab()->field(QStringLiteral("qd4"));
    typeText(relocation6, QStringLiteral("2.5"));
    QCOMPARE(f.text("qd8"), QStringLiteral("20.50"));
    QCOMPARE(f.text("qd9"), QStringLiteral("0"));
    QCOMPARE(f.text("qd91"), QStringLiteral("0"));
    QVERIFY(f.okEnabled());
    f.button("BitBtn1")->click();
    QCOMPARE(f.chevron(5), f.chevron(4));

    // Any change that unbalances the arch takes OK away again.
    typeText(relocation6, QStringLiteral("1"));
    QCOMPARE(f.text("qd4"), QStringLiteral("2.51"));
    QCOMPARE(f.text("qd9"), QStringLiteral("0.01"));
    QVERIFY(!f.okEnabled());
}

void SteinerTabTest::relocationVariantMovesTheIncisors()
{
    SteinerFixture f;
    f.button("stlimpar")->click();
    f.button("stcalcular")->click();
    f.set("qd31", "10.5");
    f.set("qd4", "0.5");
    QVERIFY(f.okEnabled());
    f.button("BitBtn1")->click();
    QCOMPARE(f.chevron(5), QStringLiteral("4 2.25 20 28 4.75 3"));
}

void SteinerTabTest::mandatoryFieldsAreChecked()
{
    SteinerFixture f;
    f.button("stlimpar")->click();
    f.set("stsna", "82");
    f.set("st1nb", "");
    f.button("stcalcular")->click();
    QCOMPARE(f.messenger.last().icon, Messenger::Icon::Warning);
    QCOMPARE(f.messenger.last().title, QStringLiteral("Steiner Analysis"));
    QCOMPARE(f.messenger.last().lines,
             QStringList{QStringLiteral("Please fill in all mandatory fields before calculating!")});
    QCOMPARE(f.chevron(1), QString(5, QLatin1Char(' ')));
    QVERIFY(f.button("stcalcular")->isEnabled());
}

void SteinerTabTest::newResetsEverything()
{
    SteinerFixture f;
    f.button("stlimpar")->click();
    f.set("stpaciente", "ANA");
    f.button("stcalcular")->click();
    f.set("qd4", "2.5");
    f.button("BitBtn1")->click();
    f.button("stlimpar")->click();
    QCOMPARE(f.text("stpaciente"), QString());
    QCOMPARE(f.chevron(4), QString(5, QLatin1Char(' ')));
    QCOMPARE(f.chevron(5), QString(5, QLatin1Char(' ')));
    QCOMPARE(f.text("qd4"), QString());
    QCOMPARE(f.text("qd31"), QString());
    QCOMPARE(f.text("qd11"), QStringLiteral("2"));
    QCOMPARE(f.text("qd91"), QString());
    QVERIFY(f.button("stcalcular")->isEnabled());
    QVERIFY(!f.okEnabled());
    QVERIFY(!f.tab()->findChild<QGroupBox*>(QStringLiteral("GroupBox5"))->isEnabled());
}

void SteinerTabTest::diagramPutsEachLabelBesideItsChevron()
{
    SteinerFixture f;
    f.button("stlimpar")->click();
    f.button("stcalcular")->click();
    f.set("qd4", "2.5");
    f.button("BitBtn1")->click();
    QCOMPARE(f.tab()->findChild<QGroupBox*>(QStringLiteral("GroupBox4"))->size(), QSize(722, 337));
    // Each value stands where it belongs to its chevron: ANB above the upper
    // end, millimetres outside the arms, degrees in the opening, Pog-NB below.
    for (int n = 1; n <= 5; ++n) {
        const QPolygonF c = ChevronDiagram::chevron(n);
        const QRectF box = c.boundingRect();
        auto label = [&](const char* pos) -> QRect {
            QLabel* l = f.tab()->value(QStringLiteral("s%1%2").arg(n).arg(QLatin1String(pos)));
            return l ? l->geometry() : QRect();
        };
        if (!label("top").isNull())
            QVERIFY2(label("top").bottom() <= box.top(), qPrintable(QString::number(n)));
        if (!label("botton").isNull())
            QVERIFY2(label("botton").top() >= box.bottom(), qPrintable(QString::number(n)));
        if (!label("intop").isNull())
            QVERIFY(label("intop").right() <= box.left() + 4);
        const QLineF upperArm(c[0], c[1]);
        const QRect outTop = label("outtop");
        const double armY = upperArm.pointAt((outTop.center().x() - c[0].x()) / (c[1].x() - c[0].x())).y();
        QVERIFY2(outTop.bottom() <= armY + 2, qPrintable(QString::number(n)));
        const QRect outBottom = label("outbotton");
        const double lowerY = c[2].y() - (armY - c[0].y());
        QVERIFY2(outBottom.top() >= lowerY - 6, qPrintable(QString::number(n)));
    }
}

void SteinerTabTest::everyCaptionStandsClearOfItsField()
{
    SteinerFixture f;
    int pairs = 0;
    for (const char* box : {"GroupBox2", "GroupBox5"}) {
        auto* group = f.tab()->findChild<QGroupBox*>(QLatin1String(box));
        for (QLabel* caption : group->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
            // Its field is the first one right of it on its row.
            QLineEdit* field = nullptr;
            for (QLineEdit* e : group->findChildren<QLineEdit*>()) {
                if (e->y() == caption->y() && e->x() > caption->x() && (!field || e->x() < field->x()))
                    field = e;
            }
            if (!field)
                continue;  // a heading or a note
            ++pairs;
            const int textEnd = caption->x() + caption->fontMetrics().horizontalAdvance(caption->text());
            const QString what = QStringLiteral("\"%1\" ends at %2 (its label at %3), %4 starts at %5")
                                     .arg(caption->text())
                                     .arg(textEnd)
                                     .arg(caption->geometry().right())
                                     .arg(field->objectName())
                                     .arg(field->x());
            QVERIFY2(textEnd <= caption->x() + caption->width(), qPrintable(what));
            QVERIFY2(caption->geometry().right() < field->x(), qPrintable(what));
            QVERIFY2(textEnd + 6 <= field->x(), qPrintable(what));
            QVERIFY2(group->rect().contains(field->geometry()), qPrintable(what));
        }
    }
    QCOMPARE(pairs, 17 + 9);
    for (QWidget* w : f.tab()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        QVERIFY2(f.tab()->rect().contains(w->geometry()), qPrintable(w->objectName()));
}

QTEST_MAIN(SteinerTabTest)
#include "tst_steinertab.moc"
