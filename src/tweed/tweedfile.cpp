#include "tweed/tweedfile.h"

#include "common/fileio.h"
#include "common/recordfield.h"

namespace vel {

namespace {

constexpr int kGuidance = 0;
constexpr int kPatient = 1;
constexpr int kAge = 52;
constexpr int kMale = 55;
constexpr int kFirstEntry = 56;
constexpr int kEntryField = 6;
constexpr int kReplaceImpa = 176;
constexpr int kReplacement = 177;
// The guide's answers, one byte each from here to the end of the record.
constexpr int kAnteriorCrowding = 183;
constexpr int kLessThan3mm = 184;
constexpr int kMidarchCrowding = 185;
constexpr int kClassIIMolars = 186;
constexpr int kIncisorProtrusion = 187;
constexpr int kThirdMolarsInPlace = 188;
constexpr int kSkeletal = 189;
constexpr int kHorizontalClassII = 190;
constexpr int kSubdivision = 191;        // 'd' right, 'e' left, 's' none
constexpr int kHorizontalClassIII = 192;
constexpr int kOpenBite = 193;
constexpr int kOpenBiteSeverity = 194;   // 's' mild, 'm' moderate, 'v' severe
constexpr int kDeepOverbite = 195;
constexpr int kDeepOverbiteMild = 196;
constexpr int kFacialDisharmony = 197;
constexpr int kFacialDisharmonyMild = 198;

bool byte(const QByteArray& r, int offset) { return r.at(offset) != '\0'; }

}  // namespace

QByteArray TweedRecord::toBytes() const
{
    QByteArray r(kSize, '\0');
    writeFlag(r, kGuidance, guidance);
    writeShortString(r, kPatient, 50, patient);
    writeShortString(r, kAge, 2, age);
    writeFlag(r, kMale, male);
    for (int i = 0; i < 20; ++i)
        writeShortString(r, kFirstEntry + i * kEntryField, 5, entries[i]);
    writeFlag(r, kReplaceImpa, replaceImpa);
    if (replaceImpa)
        writeShortString(r, kReplacement, 5, replacementImpa);

    const GuideAnswers& g = answers;
    writeFlag(r, kAnteriorCrowding, g.daapinh);
    writeFlag(r, kLessThan3mm, g.menor);
    writeFlag(r, kMidarchCrowding, g.dmapinh);
    writeFlag(r, kClassIIMolars, g.dmrel);
    writeFlag(r, kIncisorProtrusion, g.dmpro);
    writeFlag(r, kThirdMolarsInPlace, g.dpadq);
    writeFlag(r, kSkeletal, g.clsim);
    writeFlag(r, kHorizontalClassII, g.horcl2);
    r[kSubdivision] = g.direita ? 'd' : g.esquerda ? 'e' : 's';
    writeFlag(r, kHorizontalClassIII, g.horcl3);
    writeFlag(r, kOpenBite, g.aberta);
    r[kOpenBiteSeverity] = g.suave ? 's' : g.media ? 'm' : 'v';
    writeFlag(r, kDeepOverbite, g.profunda);
    writeFlag(r, kDeepOverbiteMild, g.media);
    writeFlag(r, kFacialDisharmony, g.desarm);
    writeFlag(r, kFacialDisharmonyMild, g.dessuave);
    return r;
}

TweedRecord TweedRecord::fromBytes(const QByteArray& r)
{
    TweedRecord t;
    t.guidance = r.at(kGuidance) == '\1';
    t.patient = readShortString(r, kPatient, 50);
    t.age = readShortString(r, kAge, 2);
    t.male = r.at(kMale) == '\1';
    for (int i = 0; i < 20; ++i)
        t.entries[i] = readShortString(r, kFirstEntry + i * kEntryField, 5);
    t.replaceImpa = r.at(kReplaceImpa) == '\1';
    if (t.replaceImpa)
        t.replacementImpa = readShortString(r, kReplacement, 5);
    if (!t.guidance)
        return t;

    // The answers are rebuilt as the guide would be clicked: an amount,
    // position or severity is only read for a finding that is ticked, and
    // where the file says "not this one" the other choice is taken.
    GuideAnswers& g = t.answers;
    g.daapinh = byte(r, kAnteriorCrowding);
    if (g.daapinh) {
        g.menor = byte(r, kLessThan3mm);
        g.maior = !g.menor;
    }
    g.dmapinh = byte(r, kMidarchCrowding);
    g.dmrel = byte(r, kClassIIMolars);
    g.dmpro = byte(r, kIncisorProtrusion);
    g.dpadq = byte(r, kThirdMolarsInPlace);
    g.dpinadeq = !g.dpadq;
    g.clsim = byte(r, kSkeletal);
    if (!g.clsim)
        return t;
    g.horcl2 = byte(r, kHorizontalClassII);
    if (g.horcl2) {
        const char sub = r.at(kSubdivision);
        g.direita = sub == 'd';
        g.esquerda = sub == 'e';
        g.sem = !g.direita && !g.esquerda;
    }
    g.horcl3 = byte(r, kHorizontalClassIII);
    g.aberta = byte(r, kOpenBite);
    if (g.aberta) {
        const char severity = r.at(kOpenBiteSeverity);
        g.suave = severity == 's';
        g.media = severity == 'm';
        g.severa = !g.suave && !g.media;
    }
    g.profunda = byte(r, kDeepOverbite);
    if (g.profunda) {
        g.media = byte(r, kDeepOverbiteMild);
        g.severa = !g.media;
    }
    g.desarm = byte(r, kFacialDisharmony);
    if (g.desarm) {
        g.dessuave = byte(r, kFacialDisharmonyMild);
        g.dessevera = !g.dessuave;
    }
    return t;
}

QString stageSuffix(Stage stage)
{
    return QLatin1Char('-') + stageWord(stage) + QStringLiteral(".twe");
}

QString stageWord(Stage stage)
{
    switch (stage) {
    case Stage::PreTx: return QStringLiteral("PRE-TX");
    case Stage::Progress: return QStringLiteral("PROGRESS");
    case Stage::Final: return QStringLiteral("FINAL");
    case Stage::PostTx: return QStringLiteral("POST-TX");
    }
    return QString();
}

Stage stageFromFileName(const QString& fileName)
{
    if (fileName.contains(QLatin1String("-POST-TX")))
        return Stage::PostTx;
    if (fileName.contains(QLatin1String("-PROGRESS")))
        return Stage::Progress;
    if (fileName.contains(QLatin1String("-FINAL")))
        return Stage::Final;
    return Stage::PreTx;
}

TweedRecord readTweedFile(const QString& path)
{
    return TweedRecord::fromBytes(readFileHead(path, TweedRecord::kSize));
}

}  // namespace vel
