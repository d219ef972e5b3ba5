#include "app/mainwindow.h"
#include "app/shell.h"
#include "app/tray.h"
#include "common/usagestats.h"
#include "bolton/boltontab.h"
#include "entry/crlabel.h"
#include "entry/entryfield.h"
#include "guidance/guidewindow.h"
#include "guidance/worksheetwindow.h"
#include "support/appfixture.h"
#include "tweed/tweedtab.h"

#include <QAction>
#include <QCheckBox>
#include <QStyle>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using namespace vel;
using namespace vel::test;

namespace {

struct Fixture : AppFixture {
    Fixture() : AppFixture("Button3") {}
    TweedTab* tweed() const { return shell->mainWindow()->tweed(); }
    BoltonTab* bolton() const { return shell->mainWindow()->bolton(); }
    GuideWindow* guide() const { return shell->guide(); }
    WorksheetWindow* sheet() const { return shell->worksheet(); }
    QCheckBox* box(const char* name) const { return guide()->box(QLatin1String(name)); }
    bool offered(const char* name) const { return !box(name)->isHidden(); }
    void click(QWidget* window, const char* name) const
    {
        window->findChild<QPushButton*>(QLatin1String(name))->click();
    }
    QString tweedText(const char* name) const { return tweed()->entry(QLatin1String(name))->text(); }
    QString panel(const char* name) const { return crText(tweed()->findChild<QLabel*>(QLatin1String(name))); }
    bool panelShown(const char* name) const { return !tweed()->findChild<QWidget*>(QLatin1String(name))->isHidden(); }
    int guidanceCount() const { return readUsageStats(scratch.path(QStringLiteral("Stats.cef"))).guidance; }

    // A Tweed case whose totals are A -9.9, M -4.5, P 4.0 and ANB 3.5.
    void acceptTweedCase() const
    {
        const std::pair<const char*, const char*> entries[] = {
            {"twPaciente", "MARIA SILVA"}, {"Idade", "12"},    {"twfma", "25.0"},   {"twfmia", "62.0"},
            {"twimpa", "95.0"},            {"twploc", "10.0"}, {"twsna", "83.0"},   {"twsnb", "79.5"},
            {"twaobo", "2.0"},             {"twangz", "72.0"}, {"twls", "15.0"},    {"twqt", "12.0"},
            {"twafa", "110.0"},            {"twafp", "75.0"},  {"anmspee", "-2.0"}, {"anmcorr", "-1.5"},
        };
        for (const auto& [name, value] : entries)
            tweed()->entry(QLatin1String(name))->setText(QLatin1String(value));
        tweed()->findChild<QRadioButton*>(QStringLiteral("GenFem"))->setChecked(true);
        const std::pair<const char*, const char*> widths[] = {
            {"s06", "5.5"}, {"s07", "5.0"}, {"s08", "5.0"}, {"s09", "5.0"}, {"s10", "5.0"}, {"s11", "5.0"},
            {"i06", "27.0"}, {"s03", "5.0"}, {"s04", "2.5"}, {"s05", "2.5"}, {"s12", "2.5"}, {"s13", "1.5"},
            {"s14", "1.0"}, {"i03", "7.0"}, {"i12", "7.0"}, {"s01", "5.0"}, {"s02", "5.0"}, {"s15", "5.0"},
            {"s16", "5.0"}, {"i01", "9.0"}, {"i15", "9.0"},
        };
        click(tweed(), "total");
        for (const auto& [name, value] : widths)
            sheet()->field(QLatin1String(name))->setText(QLatin1String(value));
        click(sheet(), "Button2");  // SAVE
        click(tweed(), "tCalcular");
    }
};

}  // namespace

class GuidanceWindowsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void worksheetSaveWritesTheSixSums();
    void emptyWorksheetSavesZeros();
    void cancelAndCloseKeepTheEntries();
    void acceptanceAndNewEmptyTheWorksheet();
    void importCopiesTheMandibularRow();
    void importAsksWhenNamesDiffer();
    void importNeedsTheTransferArea();
    void guideReactions();
    void guideSeverityBoxesFollowTheBite();
    void everyGuideCaptionFitsItsBox();
    void guideValidatesInOrder_data();
    void guideValidatesInOrder();
    void cancelResetsTheAnswersAndTheCloseBoxKeepsThem();
    void guidanceFillsThePanelOnce();
    void fiveSkeletalLinesKeepTheirChartsApart();
};

void GuidanceWindowsTest::worksheetSaveWritesTheSixSums()
{
    Fixture f;
    f.click(f.tweed(), "total");
    QVERIFY(f.sheet()->isVisible());
    const std::pair<const char*, const char*> widths[] = {
        {"s01", "10.5"}, {"s02", "10.4"}, {"s03", "11.1"}, {"s04", "7.2"},  {"s05", "7.0"},  {"s06", "6.9"},
        {"s07", "5.9"},  {"s08", "5.4"},  {"s09", "5.4"},  {"s10", "5.9"},  {"s11", "6.9"},  {"s12", "7.0"},
        {"s13", "7.2"},  {"s14", "11.1"}, {"s15", "10.4"}, {"s16", "10.5"}, {"i01", "9.0"},  {"i03", "24.0"},
        {"i06", "35.25"}, {"i12", "25.0"}, {"i15", "8.5"},
    };
    for (const auto& [name, value] : widths)
        f.sheet()->field(QLatin1String(name))->setText(QLatin1String(value));
    f.click(f.sheet(), "Button2");
    QCOMPARE(f.tweedText("anaer"), QStringLiteral("36.4"));
    QCOMPARE(f.tweedText("anaep"), QStringLiteral("35.3"));  // two decimals shown with one
    QCOMPARE(f.tweedText("anmer"), QStringLiteral("50.6"));
    QCOMPARE(f.tweedText("anmep"), QStringLiteral("49.0"));
    QCOMPARE(f.tweedText("anper"), QStringLiteral("41.8"));
    QCOMPARE(f.tweedText("anpep"), QStringLiteral("17.5"));
    QVERIFY(!f.sheet()->isVisible());
    QVERIFY(f.shell->mainWindow()->isEnabled());
    QVERIFY(f.shell->tray()->hideItem()->isEnabled());
}

void GuidanceWindowsTest::emptyWorksheetSavesZeros()
{
    Fixture f;
    f.click(f.tweed(), "total");
    f.click(f.sheet(), "Button2");
    for (const char* name : {"anaer", "anaep", "anmer", "anmep", "anper", "anpep"})
        QCOMPARE(f.tweedText(name), QStringLiteral("0.0"));
}

void GuidanceWindowsTest::cancelAndCloseKeepTheEntries()
{
    Fixture f;
    f.click(f.tweed(), "total");
    f.sheet()->field(QStringLiteral("s05"))->setText(QStringLiteral("7.0"));
    f.click(f.sheet(), "Button1");  // CANCEL
    QVERIFY(!f.sheet()->isVisible());
    QVERIFY(f.shell->mainWindow()->isEnabled());
    f.click(f.tweed(), "total");
    QCOMPARE(f.sheet()->field(QStringLiteral("s05"))->text(), QStringLiteral("7.0"));
    f.sheet()->close();
    QVERIFY(f.shell->mainWindow()->isEnabled());
    QCOMPARE(f.sheet()->field(QStringLiteral("s05"))->text(), QStringLiteral("7.0"));
    QCOMPARE(f.tweedText("anmer"), QString());  // nothing was written
}

void GuidanceWindowsTest::acceptanceAndNewEmptyTheWorksheet()
{
    Fixture f;
    f.acceptTweedCase();
    QCOMPARE(f.sheet()->field(QStringLiteral("s06"))->text(), QString());
    QCOMPARE(f.tweedText("anaer"), QStringLiteral("30.5"));  // the Tweed fields keep the sums
    QVERIFY(!f.tweed()->findChild<QPushButton*>(QStringLiteral("total"))->isEnabled());

    // BACK leaves the worksheet alone; NEW empties it and the guide's answers.
    f.click(f.tweed(), "tLimpar");
    f.click(f.tweed(), "total");
    f.sheet()->field(QStringLiteral("s01"))->setText(QStringLiteral("9.0"));
    f.click(f.sheet(), "Button1");
    f.box("dmrel")->setChecked(true);
    f.click(f.tweed(), "tLimpar");
    QCOMPARE(f.sheet()->field(QStringLiteral("s01"))->text(), QString());
    QVERIFY(!f.box("dmrel")->isChecked());
}

void GuidanceWindowsTest::importCopiesTheMandibularRow()
{
    Fixture f;
    const char* sources[] = {"termole", "segmole", "i01", "i02", "i03", "i04", "i05", "i06",
                             "i07",     "i08",     "i09", "i10", "i11", "i12", "segmold", "termold"};
    for (int i = 0; i < 16; ++i)
        f.bolton()->field(QLatin1String(sources[i]))->setText(QString::number(5 + i * 0.1, 'f', 1));
    f.bolton()->field(QStringLiteral("i05"))->clear();
    f.click(f.tweed(), "total");
    f.sheet()->field(QStringLiteral("i06"))->setText(QStringLiteral("30.0"));
    f.click(f.sheet(), "Button4");
    QVERIFY(f.messenger.boxes.isEmpty());  // two empty names are the same name
    for (int i = 0; i < 16; ++i) {
        const QString name = QStringLiteral("s%1").arg(i + 1, 2, 10, QLatin1Char('0'));
        QCOMPARE(f.sheet()->field(name)->text(), f.bolton()->field(QLatin1String(sources[i]))->text());
    }
    QCOMPARE(f.sheet()->field(QStringLiteral("s07"))->text(), QString());
    QCOMPARE(f.sheet()->field(QStringLiteral("i06"))->text(), QStringLiteral("30.0"));
}

void GuidanceWindowsTest::importAsksWhenNamesDiffer()
{
    Fixture f;
    for (const char* name : {"termole", "segmole", "segmold", "termold", "i01"})
        f.bolton()->field(QLatin1String(name))->setText(QStringLiteral("10.0"));
    f.bolton()->field(QStringLiteral("bpaciente"))->setText(QStringLiteral("ANA"));
    f.tweed()->entry(QStringLiteral("twPaciente"))->setText(QStringLiteral("ANA "));
    f.click(f.tweed(), "total");
    f.messenger.answers = {Messenger::Answer::No};
    f.click(f.sheet(), "Button4");
    QCOMPARE(f.messenger.last().title, QStringLiteral("Confirm"));
    QCOMPARE(f.messenger.last().text(), QStringLiteral("Patient`s name in Bolton Analysis is different than in Tweed "
                                                       "Analysis. Do you still want to proceed?"));
    QCOMPARE(f.sheet()->field(QStringLiteral("s01"))->text(), QString());
    f.messenger.answers = {Messenger::Answer::Yes};
    f.click(f.sheet(), "Button4");
    QCOMPARE(f.sheet()->field(QStringLiteral("s03"))->text(), QStringLiteral("10.0"));
}

void GuidanceWindowsTest::importNeedsTheTransferArea()
{
    Fixture f;
    auto* import = f.sheet()->findChild<QPushButton*>(QStringLiteral("Button4"));
    f.click(f.tweed(), "total");
    f.click(f.sheet(), "Button4");
    QCOMPARE(f.messenger.last().icon, Messenger::Icon::Warning);
    QCOMPARE(f.messenger.last().title, QStringLiteral("Import"));
    QCOMPARE(f.messenger.last().lines, QStringList{QStringLiteral("Bolton Analysis must be complete before import!")});
    QVERIFY(import->isEnabled());

    // A Bolton analysis calculated without the molars cannot supply them: until NEW.
    f.bolton()->findChild<QPushButton*>(QStringLiteral("bCalcular"))->setEnabled(false);
    f.click(f.sheet(), "Button4");
    QVERIFY(!import->isEnabled());
    f.click(f.sheet(), "Button3");
    QVERIFY(import->isEnabled());
}

void GuidanceWindowsTest::guideReactions()
{
    Fixture f;
    QVERIFY(!f.offered("menor"));
    f.box("daapinh")->setChecked(true);
    QVERIFY(f.offered("menor") && f.offered("maior"));
    f.box("menor")->setChecked(true);
    QVERIFY(!f.box("maior")->isEnabled());
    f.box("daapinh")->setChecked(false);
    QVERIFY(!f.offered("menor"));
    QVERIFY(!f.box("menor")->isChecked());
    QVERIFY(f.box("maior")->isEnabled());  // unchecking gave the other back

    auto* yes = f.guide()->findChild<QRadioButton*>(QStringLiteral("clsim"));
    auto* no = f.guide()->findChild<QRadioButton*>(QStringLiteral("clnao"));
    QVERIFY(no->isChecked());
    QVERIFY(!f.offered("horcl2"));
    yes->setChecked(true);
    for (const char* name : {"horcl2", "horcl3", "aberta", "profunda", "desarm"})
        QVERIFY(f.offered(name));
    f.box("horcl2")->setChecked(true);
    QVERIFY(!f.box("horcl3")->isEnabled());
    QVERIFY(f.offered("direita") && f.offered("esquerda") && f.offered("sem"));
    f.box("sem")->setChecked(true);
    QVERIFY(!f.box("direita")->isEnabled());
    f.box("aberta")->setChecked(true);
    QVERIFY(!f.box("profunda")->isEnabled());
    f.box("suave")->setChecked(true);
    QVERIFY(!f.box("media")->isEnabled() && !f.box("severa")->isEnabled());
    f.box("desarm")->setChecked(true);
    f.box("dessevera")->setChecked(true);

    // No takes every skeletal answer away; Yes offers the five again unchecked.
    no->setChecked(true);
    for (const char* name : {"horcl2", "sem", "aberta", "suave", "desarm", "dessevera"}) {
        QVERIFY(!f.box(name)->isChecked());
        QVERIFY(!f.offered(name));
    }
    yes->setChecked(true);
    for (const char* name : {"horcl2", "horcl3", "aberta", "profunda", "desarm"}) {
        QVERIFY(f.offered(name));
        QVERIFY(!f.box(name)->isChecked());
        QVERIFY(f.box(name)->isEnabled());
    }
    QVERIFY(!f.offered("sem"));
}

void GuidanceWindowsTest::guideSeverityBoxesFollowTheBite()
{
    Fixture f;
    f.guide()->findChild<QRadioButton*>(QStringLiteral("clsim"))->setChecked(true);
    f.box("profunda")->setChecked(true);
    QCOMPARE(f.box("media")->text(), QStringLiteral("Mild"));
    QVERIFY(f.offered("media") && f.offered("severa"));
    QVERIFY(!f.offered("suave"));
    QVERIFY(!f.box("aberta")->isEnabled());
    f.box("media")->setChecked(true);
    QVERIFY(!f.box("severa")->isEnabled());
    f.box("profunda")->setChecked(false);
    QCOMPARE(f.box("media")->text(), QStringLiteral("Moderate"));
    QVERIFY(!f.offered("media") && !f.box("media")->isChecked());
    QVERIFY(f.box("aberta")->isEnabled());
    QVERIFY(f.box("severa")->isEnabled());

    f.box("aberta")->setChecked(true);
    f.box("media")->setChecked(true);  // "Moderate" of three
    QVERIFY(!f.box("suave")->isEnabled() && !f.box("severa")->isEnabled());
}

void GuidanceWindowsTest::everyGuideCaptionFitsItsBox()
{
    Fixture f;
    f.acceptTweedCase();
    f.click(f.tweed(), "tCalcular");  // SPACE TX GUIDANCE
    GuideWindow* guide = f.guide();
    QVERIFY(guide->isVisible());
    const QRect window = guide->rect();
    // Each state shows a different set; `media` reads "Moderate" for an open
    // bite and "Mild" for a deep overbite.
    const QStringList states{QStringLiteral("daapinh clsim horcl2 aberta desarm"),
                             QStringLiteral("daapinh clsim horcl2 profunda desarm")};
    for (const QString& state : states) {
        f.click(guide, "glimpar");
        for (const QString& name : state.split(QLatin1Char(' '))) {
            if (name == QLatin1String("clsim"))
                guide->findChild<QRadioButton*>(name)->setChecked(true);
            else
                f.box(name.toLatin1().constData())->setChecked(true);
        }
        QList<QAbstractButton*> shown;
        for (QAbstractButton* b : guide->findChildren<QAbstractButton*>()) {
            if (qobject_cast<QPushButton*>(b) || !b->isVisible())
                continue;
            const bool radio = qobject_cast<QRadioButton*>(b);
            QStyle* style = b->style();
            const int indicator =
                style->pixelMetric(radio ? QStyle::PM_ExclusiveIndicatorWidth : QStyle::PM_IndicatorWidth, nullptr, b)
                + style->pixelMetric(radio ? QStyle::PM_RadioButtonLabelSpacing : QStyle::PM_CheckBoxLabelSpacing,
                                     nullptr, b);
            const int needed = b->fontMetrics().horizontalAdvance(b->text()) + indicator;
            const QString what = QStringLiteral("%1 \"%2\" (%3): needs %4, has %5")
                                     .arg(b->objectName(), b->text(), state)
                                     .arg(needed)
                                     .arg(b->width());
            QVERIFY2(needed <= b->width(), qPrintable(what));
            QVERIFY2(b->parentWidget()->rect().contains(b->geometry()), qPrintable(what));
            QVERIFY2(window.contains(QRect(b->mapTo(guide, QPoint(0, 0)), b->size())), qPrintable(what));
            for (QAbstractButton* other : std::as_const(shown))
                QVERIFY2(!other->geometry().intersects(b->geometry()),
                         qPrintable(what + QStringLiteral(" overlaps ") + other->objectName()));
            shown << b;
        }
        QVERIFY(shown.size() > 14);
    }
}

void GuidanceWindowsTest::guideValidatesInOrder_data()
{
    QTest::addColumn<QString>("checked");  // names checked in order; "clsim" selects Yes
    QTest::addColumn<QString>("warning");
    QTest::newRow("crowding before third molars") << "daapinh" << " A Crowding option must be checked! ";
    QTest::newRow("third molars") << "dmapinh dmrel" << " Third molars position must be checked!";
    QTest::newRow("yes without a finding") << "dpadq clsim" << "No Disharmony selected! If there is no skeletal "
                                                               "disharmony, please Check NO!";
    QTest::newRow("subdivision") << "dpadq clsim horcl2 aberta" << " Horizontal Class II subdivision was not selected!";
    QTest::newRow("open bite") << "dpinadeq clsim aberta" << " Vertical disharmony - Open Bite was not selected!";
    QTest::newRow("deep overbite") << "dpinadeq clsim profunda" << " Vertical disharmony - Deep Overbite was not selected!";
    QTest::newRow("facial") << "dpadq clsim desarm" << " Facial disharmony was not selected!";
}

void GuidanceWindowsTest::guideValidatesInOrder()
{
    QFETCH(QString, checked);
    QFETCH(QString, warning);
    Fixture f;
    f.acceptTweedCase();
    f.click(f.tweed(), "tCalcular");  // SPACE TX GUIDANCE
    for (const QString& name : checked.split(QLatin1Char(' '))) {
        if (name == QLatin1String("clsim"))
            f.guide()->findChild<QRadioButton*>(name)->setChecked(true);
        else
            f.box(name.toLatin1().constData())->setChecked(true);
    }
    const GuideAnswers before = f.guide()->answers();
    f.messenger.clear();
    f.click(f.guide(), "gdiag");
    QCOMPARE(f.messenger.boxes.size(), 1);
    QCOMPARE(f.messenger.last().title, QStringLiteral("Diagnostic Guide"));
    QCOMPARE(f.messenger.last().lines, QStringList{warning});
    QVERIFY(f.guide()->answers() == before);
    QVERIFY(f.guide()->isVisible());
    QVERIFY(!f.shell->mainWindow()->isEnabled());
    QCOMPARE(f.guidanceCount(), 0);
    QVERIFY(!f.panelShown("dsantinfo"));
}

void GuidanceWindowsTest::cancelResetsTheAnswersAndTheCloseBoxKeepsThem()
{
    Fixture f;
    f.acceptTweedCase();
    f.click(f.tweed(), "tCalcular");
    f.box("dpadq")->setChecked(true);
    f.guide()->close();
    QVERIFY(f.shell->mainWindow()->isEnabled());
    QVERIFY(f.box("dpadq")->isChecked());
    f.click(f.tweed(), "tCalcular");
    QVERIFY(f.guide()->isVisible());
    f.click(f.guide(), "gcancelar");
    QVERIFY(!f.guide()->isVisible());
    QVERIFY(f.shell->mainWindow()->isEnabled());
    QVERIFY(f.shell->tray()->hideItem()->isEnabled());
    QVERIFY(!f.box("dpadq")->isChecked());
}

void GuidanceWindowsTest::guidanceFillsThePanelOnce()
{
    Fixture f;
    f.acceptTweedCase();
    QCOMPARE(f.tweed()->findChild<QLabel*>(QStringLiteral("anantres"))->text(), QStringLiteral("-9.9"));
    QCOMPARE(f.tweed()->findChild<QLabel*>(QStringLiteral("twanbres"))->text(), QStringLiteral("3.5"));
    f.click(f.tweed(), "tCalcular");
    for (const char* name : {"daapinh", "maior", "dmapinh", "dpadq"})
        f.box(name)->setChecked(true);
    f.guide()->findChild<QRadioButton*>(QStringLiteral("clsim"))->setChecked(true);
    for (const char* name : {"horcl2", "sem"})
        f.box(name)->setChecked(true);
    f.click(f.guide(), "gdiag");

    QCOMPARE(f.guidanceCount(), 1);
    QVERIFY(!f.guide()->isVisible());
    QVERIFY(f.shell->mainWindow()->isEnabled());
    QVERIFY(f.shell->tray()->hideItem()->isEnabled());
    QVERIFY(!f.tweed()->findChild<QPushButton*>(QStringLiteral("tCalcular"))->isEnabled());
    // A -9.9 → 4 4 / 4 4; M -4.5 with crowding and no Class II relation → empty;
    // P 4.0 with third molars in place → wait; ANB 3.5, Class II, no subdivision → three lines.
    QVERIFY(f.panelShown("dsantinfo"));
    QCOMPARE(f.panel("dsant"), QStringLiteral("Extract:"));
    QCOMPARE(f.panel("a01") + f.panel("a02") + f.panel("a03") + f.panel("a04"), QStringLiteral("4444"));
    QVERIFY(f.panelShown("Shape3") && f.panelShown("Shape4"));
    QVERIFY(!f.panelShown("dsmedinfo"));
    QCOMPARE(f.panel("dsmed"), QString());
    QCOMPARE(f.panel("dspos"), QStringLiteral("Await full development of the\rthird molars"));
    QVERIFY(!f.panelShown("Shape7"));
    QVERIFY(f.panelShown("dsdescinfo"));
    QCOMPARE(f.panel("dsdesc2"), QStringLiteral("Extract:"));
    QCOMPARE(f.panel("d05") + f.panel("d06") + f.panel("d07") + f.panel("d08"), QStringLiteral("44"));
    QVERIFY(f.panelShown("Shape13"));
    QVERIFY(f.panelShown("ou2") && f.panelShown("ou3") && !f.panelShown("ou4"));
    QCOMPARE(f.panel("d09") + f.panel("d10") + f.panel("d11") + f.panel("d12"), QStringLiteral("4455"));

    // BACK empties the panel again.
    f.click(f.tweed(), "tLimpar");
    QVERIFY(!f.panelShown("dsantinfo"));
    QCOMPARE(f.panel("a01"), QString());
    QVERIFY(!f.panelShown("Shape13"));
}

void GuidanceWindowsTest::fiveSkeletalLinesKeepTheirChartsApart()
{
    Fixture f;
    f.acceptTweedCase();
    f.click(f.tweed(), "tCalcular");
    for (const char* name : {"daapinh", "maior", "dmrel", "dpadq"})
        f.box(name)->setChecked(true);
    f.guide()->findChild<QRadioButton*>(QStringLiteral("clsim"))->setChecked(true);
    for (const char* name : {"horcl2", "sem", "aberta", "suave", "desarm", "dessuave"})
        f.box(name)->setChecked(true);
    f.click(f.guide(), "gdiag");
    QCOMPARE(f.panel("dsdesc5"), QStringLiteral("Can be compensated by tooth\rpositioning"));
    QCOMPARE(f.panel("dsmed2"), QStringLiteral("Extract:"));

    QWidget* panel = f.tweed()->findChild<QWidget*>(QStringLiteral("ds"));
    QVERIFY(f.tweed()->rect().contains(panel->geometry()));
    auto rect = [panel](const QString& name) { return panel->findChild<QWidget*>(name)->geometry(); };
    // The lines top to bottom, each with its chart (the last has none).
    const char* lines[][3] = {{"dsant", "Shape3", "Shape4"},    {"dsmed", "Shape5", "Shape6"},
                              {"dsmed2", "Shape11", "Shape12"}, {"dspos", "Shape7", "Shape8"},
                              {"dsdesc", "Shape9", "Shape10"},  {"dsdesc2", "Shape13", "Shape14"},
                              {"dsdesc3", "Shape15", "Shape16"}, {"dsdesc4", "Shape17", "Shape18"},
                              {"dsdesc5", nullptr, nullptr}};
    QList<QRect> labels;  // captions and "or"s shown
    for (QLabel* l : panel->findChildren<QLabel*>()) {
        const QString name = l->objectName();
        if (l->isVisible() && (name.endsWith(QLatin1String("info")) || name.startsWith(QLatin1String("ou"))))
            labels << l->geometry();
    }
    QCOMPARE(labels.size(), 4 + 5);
    QRect previousChart;
    for (const auto& line : lines) {
        const QRect text = rect(QLatin1String(line[0]));
        QCOMPARE(text.size(), QSize(290, 50));
        QVERIFY2(panel->rect().contains(text), line[0]);
        for (const QRect& label : std::as_const(labels))
            QVERIFY2(!label.intersects(text), line[0]);
        if (!line[1])
            continue;
        const QRect chart = rect(QLatin1String(line[1])) | rect(QLatin1String(line[2]));
        QVERIFY2(f.panelShown(line[1]) || QByteArray(line[1]) == "Shape7", line[1]);
        QCOMPARE(chart.size(), QSize(80, 60));
        QVERIFY2(panel->rect().contains(chart), line[1]);
        QVERIFY2(!chart.intersects(text), line[1]);
        QCOMPARE(chart.center().y(), text.center().y());  // a chart beside its own text
        if (!previousChart.isNull()) {
            const int gap = chart.top() - previousChart.bottom() - 1;
            QVERIFY2(gap >= 6, qPrintable(QStringLiteral("%1 is %2 px below the chart above").arg(line[1]).arg(gap)));
        }
        previousChart = chart;
    }
}

QTEST_MAIN(GuidanceWindowsTest)
#include "tst_guidancewindows.moc"
