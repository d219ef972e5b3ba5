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
constexpr int kGuide = 183;

bool byte(const QByteArray& r, int offset) { return r.at(offset) != '\0'; }

}  // namespace

const std::array<const char*, 20> TweedRecord::kEntryFields = {
    "twfma", "twfmia", "twimpa", "twploc", "twsna", "twsnb", "twaobo", "twangz", "twls",  "twqt",
    "twafa", "twafp",  "anaer",  "anaep",  "anmer", "anmep", "anmspee", "anmcorr", "anper", "anpep",
};

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
    const bool flags[] = {g.daapinh, g.menor, g.dmapinh, g.dmrel, g.dmpro, g.dpadq, g.clsim, g.horcl2};
    for (int i = 0; i < 8; ++i)
        writeFlag(r, kGuide + i, flags[i]);
    r[191] = g.direita ? 'd' : g.esquerda ? 'e' : 's';
    writeFlag(r, 192, g.horcl3);
    writeFlag(r, 193, g.aberta);
    r[194] = g.suave ? 's' : g.media ? 'm' : 'v';
    writeFlag(r, 195, g.profunda);
    writeFlag(r, 196, g.media);
    writeFlag(r, 197, g.desarm);
    writeFlag(r, 198, g.dessuave);
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
    g.daapinh = byte(r, 183);
    if (g.daapinh) {
        g.menor = byte(r, 184);
        g.maior = !g.menor;
    }
    g.dmapinh = byte(r, 185);
    g.dmrel = byte(r, 186);
    g.dmpro = byte(r, 187);
    g.dpadq = byte(r, 188);
    g.dpinadeq = !g.dpadq;
    g.clsim = byte(r, 189);
    if (!g.clsim)
        return t;
    g.horcl2 = byte(r, 190);
    if (g.horcl2) {
        const char sub = r.at(191);
        g.direita = sub == 'd';
        g.esquerda = sub == 'e';
        g.sem = !g.direita && !g.esquerda;
    }
    g.horcl3 = byte(r, 192);
    g.aberta = byte(r, 193);
    if (g.aberta) {
        const char severity = r.at(194);
        g.suave = severity == 's';
        g.media = severity == 'm';
        g.severa = !g.suave && !g.media;
    }
    g.profunda = byte(r, 195);
    if (g.profunda) {
        g.media = byte(r, 196);
        g.severa = !g.media;
    }
    g.desarm = byte(r, 197);
    if (g.desarm) {
        g.dessuave = byte(r, 198);
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
