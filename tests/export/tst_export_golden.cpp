// A folder of a few hundred varied analyses, made the same way every time,
// exported to JSON and to the two spreadsheets and compared byte for byte with the output kept beside this
// test. Any change in what the program computes or shows for a stored
// analysis shows here; a change meant to keep behaviour must leave it as it is.
//   VELMORA_WRITE_GOLDEN=1 test_export_golden   writes the kept output anew
#include "bolton/boltonfile.h"
#include "common/fileio.h"
#include "tweed/tweedfile.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace vel;

namespace {

// A fixed sequence, independent of any library's generator.
class Sequence {
public:
    quint32 next()
    {
        state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return quint32(state_ >> 33);
    }
    int below(int n) { return int(next() % quint32(n)); }
    bool chance(int percent) { return below(100) < percent; }
    // A one-decimal text between lo and hi, sometimes with two decimals.
    QString value(double lo, double hi)
    {
        const int decimals = chance(10) ? 2 : 1;
        const double scale = decimals == 2 ? 100 : 10;
        const int steps = int((hi - lo) * scale);
        const double v = lo + below(steps + 1) / scale;
        return QString::number(v, 'f', decimals);
    }

private:
    quint64 state_ = 20261211;
};

const char* const kNames[] = {"MARIA SILVA", "JOÃO PEREIRA", "ANA", "JOSÉ DA COSTA", "BEATRIZ", "LUÍS, FILHO",
                              "ÇAGLA", "RENÉE"};
const char* const kStages[] = {"-PRE-TX.twe", "-PROGRESS.twe", "-FINAL.twe", "-POST-TX.twe"};

TweedRecord tweedCase(Sequence& s, int i)
{
    TweedRecord r;
    r.patient = QString::fromUtf8(kNames[i % 8]) + QStringLiteral(" %1").arg(i);
    r.age = QString::number(8 + s.below(30));
    r.male = s.chance(50);
    // FMA, FMIA, IMPA, occlusal plane, SNA, SNB, AO-BO, Z angle, upper lip,
    // total chin, AFH, PFH, then the space entries.
    const double ranges[20][2] = {{15, 40}, {50, 75},  {80, 110}, {2, 18},   {74, 90},  {70, 88}, {-6, 8},
                                  {55, 85}, {8, 20},   {8, 18},   {90, 140}, {55, 95},  {15, 40}, {12, 40},
                                  {8, 25},  {8, 25},   {-4, 0},   {-4, 4},   {10, 30},  {8, 30}};
    for (int k = 0; k < 20; ++k)
        r.entries[k] = s.value(ranges[k][0], ranges[k][1]);
    if (s.chance(8))
        r.entries[s.below(20)].clear();  // a check that fails on opening
    if (s.chance(3))
        r.entries[10] = QStringLiteral("0.0");  // AFH zero
    r.replaceImpa = s.chance(20);
    if (r.replaceImpa)
        r.replacementImpa = s.value(85, 100);
    r.guidance = s.chance(60);
    if (r.guidance) {
        GuideAnswers& a = r.answers;
        a.daapinh = s.chance(50);
        a.maior = a.daapinh && s.chance(50);
        a.menor = a.daapinh && !a.maior;
        a.dmapinh = s.chance(40);
        a.dmrel = a.dmapinh && s.chance(50);
        a.dmpro = a.dmapinh && !a.dmrel;
        a.dpadq = s.chance(60);
        a.dpinadeq = !a.dpadq && s.chance(80);
        a.clsim = s.chance(50);
        if (a.clsim) {
            a.horcl2 = s.chance(50);
            a.horcl3 = !a.horcl2 && s.chance(50);
            const int side = s.below(3);
            a.direita = a.horcl2 && side == 0;
            a.esquerda = a.horcl2 && side == 1;
            a.sem = a.horcl2 && side == 2;
            a.aberta = s.chance(40);
            a.profunda = !a.aberta && s.chance(50);
            const int grade = s.below(3);
            a.suave = a.aberta && grade == 0;
            a.media = (a.aberta || a.profunda) && grade == 1;
            a.severa = (a.aberta || a.profunda) && grade == 2;
            a.desarm = s.chance(30);
            a.dessuave = a.desarm && s.chance(50);
            a.dessevera = a.desarm && !a.dessuave;
        }
        if (s.chance(5))
            a = GuideAnswers{};  // stored without answers: the guidance warns
    }
    return r;
}

BoltonRecord boltonCase(Sequence& s, int i)
{
    BoltonRecord r;
    r.patient = QString::fromUtf8(kNames[(i + 3) % 8]) + QStringLiteral(" %1").arg(i);
    const double widths[12] = {10.5, 6.9, 7.0, 7.8, 6.6, 8.6, 8.6, 6.6, 7.8, 7.0, 6.9, 10.5};
    const double lower[12] = {11.0, 7.2, 7.0, 6.9, 5.9, 5.4, 5.4, 5.9, 6.9, 7.0, 7.2, 11.0};
    for (int k = 0; k < 12; ++k) {
        r.maxilla[k] = s.value(widths[k] - 1.5, widths[k] + 1.5);
        r.mandible[k] = s.value(lower[k] - 1.5, lower[k] + 1.5);
    }
    if (s.chance(6))
        r.mandible[s.below(12)].clear();
    if (s.chance(70)) {
        r.thirdMolarLeft = s.value(9, 12);
        r.thirdMolarRight = s.value(9, 12);
        r.secondMolarLeft = s.value(9, 12);
        r.secondMolarRight = s.value(9, 12);
    }
    return r;
}

QString goldenPath(const QString& name)
{
    return QStringLiteral(VELMORA_SOURCE_DIR "/tests/export/golden/") + name;
}

}  // namespace

class ExportGoldenTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void exportIsAsKept();
};

void ExportGoldenTest::exportIsAsKept()
{
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Analyses")));
    const QDir analyses(dir.filePath(QStringLiteral("Analyses")));
    Sequence s;
    for (int i = 0; i < 240; ++i) {
        const TweedRecord t = tweedCase(s, i);
        replaceFile(analyses.filePath(t.patient + QLatin1String(kStages[s.below(4)])), t.toBytes());
        if (i % 2 == 0) {
            const BoltonRecord b = boltonCase(s, i);
            replaceFile(analyses.filePath(b.patient + QStringLiteral(".bol")), b.toBytes());
        }
    }

    // The JSON on standard output, and the two spreadsheets.
    const auto run = [&](const QStringList& output) {
        QProcess tool;
        tool.setWorkingDirectory(dir.path());
        tool.start(QStringLiteral(VELMORA_EXPORT_BIN),
                   output + QStringList{QStringLiteral("--data"), QStringLiteral(VELMORA_DATA_DIR), QStringLiteral("Analyses")});
        tool.waitForFinished(120000);
        return std::pair{tool.readAllStandardOutput(), tool.readAllStandardError()};
    };
    const auto [json, errors] = run({QStringLiteral("--json")});
    QVERIFY2(json.size() > 100000, errors.constData());
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("csv")));
    run({QStringLiteral("--csv"), QStringLiteral("csv")});
    const std::pair<QString, QByteArray> outputs[] = {
        {QStringLiteral("analyses.json"), json},
        {QStringLiteral("tweed.csv"), readFileBytes(dir.filePath(QStringLiteral("csv/tweed.csv")))},
        {QStringLiteral("bolton.csv"), readFileBytes(dir.filePath(QStringLiteral("csv/bolton.csv")))},
    };

    if (qEnvironmentVariableIsSet("VELMORA_WRITE_GOLDEN")) {
        for (const auto& [name, bytes] : outputs)
            replaceFile(goldenPath(name), bytes);
        QSKIP("the kept output was written anew");
    }
    for (const auto& [name, bytes] : outputs) {
        const QByteArray kept = readFileBytes(goldenPath(name));
        if (bytes == kept)
            continue;
        // Where they part, to start looking from.
        qsizetype at = 0;
        while (at < bytes.size() && at < kept.size() && bytes[at] == kept[at])
            ++at;
        QFAIL(qPrintable(QStringLiteral("%1 differs from the kept output from byte %2: \"%3\" instead of \"%4\"")
                             .arg(name)
                             .arg(at)
                             .arg(QString::fromUtf8(bytes.mid(std::max<qsizetype>(0, at - 80), 160)),
                                  QString::fromUtf8(kept.mid(std::max<qsizetype>(0, at - 80), 160)))));
    }
}

QTEST_APPLESS_MAIN(ExportGoldenTest)
#include "tst_export_golden.moc"
