#include "guidance/guidancerules.h"

#include "common/textconv.h"

namespace vel {

namespace {

using Marks = std::array<QString, 4>;

Marks marks(const char* ul, const char* ur, const char* ll, const char* lr)
{
    return {QLatin1String(ul), QLatin1String(ur), QLatin1String(ll), QLatin1String(lr)};
}

const QString kExtract = QStringLiteral("Extract:");
const QString kSurgery = QStringLiteral("Surgery and Orthodontics");

void write(DiagnosisLine& line, const QString& text, const Marks* k = nullptr)
{
    line.text = text;
    if (k) {
        line.marks = *k;
        line.chart = true;
    }
}

// The skeletal list grows by two rules. Lines are numbered from 1; `searched`
// lists the lines to look at, last first.
template <std::size_t N>
void append(Diagnosis& d, const int (&searched)[N], const QString& text, const Marks* k)
{
    for (const int n : searched) {
        if (!d.skeletal[n - 1].text.isEmpty()) {
            DiagnosisLine& next = d.skeletal[n];
            write(next, text, k);
            next.orBefore = true;
            return;
        }
    }
    write(d.skeletal[0], text, k);
    d.skeletalCaption = true;
}

// As append, but a text that the last filled line already reads is not
// repeated after it.
template <std::size_t N>
void appendUnlessRepeated(Diagnosis& d, const int (&searched)[N], const QString& text)
{
    for (const int n : searched) {
        const QString& existing = d.skeletal[n - 1].text;
        if (!existing.isEmpty() && existing != text) {
            d.skeletal[n].text = text;
            d.skeletal[n].orBefore = true;
            return;
        }
    }
    d.skeletal[0].text = text;
    d.skeletalCaption = true;
}

void anteriorBlock(Diagnosis& d, double a, const GuideAnswers& g)
{
    d.anteriorCaption = true;
    DiagnosisLine& line = d.anterior;
    Marks k;
    if (a > -3) {
        line.text = QStringLiteral("Non-Extraction");
        return;
    }
    if (a > -5 && !g.daapinh)
        k = marks("8", "8", "8", "8");
    else if (a > -5)
        k = marks("5", "5", "5", "5");
    else if (a > -7 && g.menor)
        k = marks("4", "4", "5", "5");
    else if (a > -7 && g.maior)
        k = marks("4", "4", "4", "4");
    else if (a > -15)
        k = marks("4", "4", "4", "4");
    else
        k = marks("X  4", "4  X", "X  4", "4  X");
    write(line, kExtract, &k);
}

void midarchBlock(Diagnosis& d, double m, const GuideAnswers& g)
{
    Marks k;
    if (m > -3) {
        d.midarchCaption = true;
        d.midarch[0].text = QStringLiteral("Non-Extraction");
        return;
    }
    if (m > -5 && !g.dmapinh) {
        k = marks("8", "8", "8", "8");
        if (g.dmrel) {
            const Marks second = marks("4", "4", "5", "5");
            write(d.midarch[1], kExtract, &second);
            d.midarch[1].orBefore = true;
        }
    } else if (m > -5 && g.dmrel) {
        k = marks("4", "4", "5", "5");
    } else if (m > -5) {
        return;  // crowding without a Class II molar relation: no suggestion
    } else if (m > -7 && g.dmpro) {
        k = marks("4", "4", "5", "5");
    } else if (m > -7) {
        k = marks("5", "5", "5", "5");
    } else {
        k = marks("X  4", "4  X", "X  5", "5  X");
    }
    d.midarchCaption = true;
    write(d.midarch[0], kExtract, &k);
}

void posteriorBlock(Diagnosis& d, double p, const GuideAnswers& g)
{
    d.posteriorCaption = true;
    if (p > -5 && g.dpadq) {
        d.posterior.text = QStringLiteral("Await full development of the\rthird molars");
        return;
    }
    const Marks k = marks("8", "8", "8", "8");
    write(d.posterior, kExtract, &k);
}

void horizontal(Diagnosis& d, double anb, const GuideAnswers& g)
{
    auto line1 = [&d](const QString& text, const Marks* k) {
        write(d.skeletal[0], text, k);
        d.skeletalCaption = true;
    };
    if (g.horcl2) {
        if (anb >= 3 && anb < 5 && g.sem) {
            const Marks first = marks("8", "8", "8", "8");
            const Marks second = marks("4", "4", "", "");
            const Marks third = marks("4", "4", "5", "5");
            line1(kExtract, &first);
            write(d.skeletal[1], kExtract, &second);
            write(d.skeletal[2], kExtract, &third);
            d.skeletal[1].orBefore = true;
            d.skeletal[2].orBefore = true;
        } else if (anb >= 3 && anb < 5 && g.direita) {
            const Marks k = marks("4", "4", "5", "4");
            line1(kExtract, &k);
        } else if (anb >= 3 && anb < 5) {
            const Marks k = marks("4", "4", "4", "5");
            line1(kExtract, &k);
        } else if (anb >= 5 && anb < 9) {
            const Marks k = marks("7", "7", "8", "8");
            line1(kExtract, &k);
        } else if (anb >= 9 && anb < 12) {
            const Marks k = marks("6", "6", "8", "8");
            line1(kExtract, &k);
        } else if (anb >= 12) {
            line1(kSurgery, nullptr);
        }
    } else if (g.horcl3) {
        if (anb > -5 && anb < 0) {
            const Marks k = marks("5", "5", "4", "4");
            line1(QStringLiteral("Consider extractions"), &k);
        } else if (anb <= -5) {
            line1(QStringLiteral("Consider surgery"), nullptr);
        }
    }
}

void vertical(Diagnosis& d, const GuideAnswers& g)
{
    static const int searched[] = {3, 2, 1};
    const QString intrusive = QStringLiteral("Extractions and Intrusive\rdirectional force treatment");
    if (g.aberta && g.suave) {
        const Marks k = marks("4", "4", "4", "4");
        append(d, searched, intrusive, &k);
    } else if (g.aberta && g.media) {
        const Marks k = marks("X", "X", "X", "X");
        append(d, searched, intrusive, &k);
    } else if (g.aberta) {
        appendUnlessRepeated(d, searched, kSurgery);
    } else if (g.profunda && g.media) {
        const Marks k = marks("5", "5", "5", "5");
        append(d, searched,
               QStringLiteral("Extraction, distal tipping\rforces and Intrusive\rdirectional force treatment"), &k);
    } else if (g.profunda) {
        appendUnlessRepeated(
            d, searched,
            QStringLiteral("Bite plates, U and D elastics and\rother extrusive directional forces.\rSurgery and Orthodontics"));
    }
}

void facial(Diagnosis& d, const GuideAnswers& g)
{
    static const int searched[] = {4, 3, 2, 1};
    if (!g.desarm)
        return;
    appendUnlessRepeated(d, searched,
                         g.dessuave ? QStringLiteral("Can be compensated by tooth\rpositioning") : kSurgery);
}

}  // namespace

QString validateAnswers(const GuideAnswers& g)
{
    if (g.daapinh && !g.menor && !g.maior)
        return QStringLiteral(" A Crowding option must be checked! ");
    if (!g.dpadq && !g.dpinadeq)
        return QStringLiteral(" Third molars position must be checked!");
    if (!g.clsim)
        return QString();
    if (!g.horcl2 && !g.horcl3 && !g.aberta && !g.profunda && !g.desarm)
        return QStringLiteral("No Disharmony selected! If there is no skeletal disharmony, please Check NO!");
    if (g.horcl2 && !g.direita && !g.esquerda && !g.sem)
        return QStringLiteral(" Horizontal Class II subdivision was not selected!");
    if (g.aberta && !g.suave && !g.media && !g.severa)
        return QStringLiteral(" Vertical disharmony - Open Bite was not selected!");
    if (g.profunda && !g.media && !g.severa)
        return QStringLiteral(" Vertical disharmony - Deep Overbite was not selected!");
    if (g.desarm && !g.dessuave && !g.dessevera)
        return QStringLiteral(" Facial disharmony was not selected!");
    return QString();
}

Diagnosis suggestDiagnosis(const GuidanceInputs& in, const GuideAnswers& g)
{
    Diagnosis d;
    anteriorBlock(d, textToReal(in.anterior), g);
    midarchBlock(d, textToReal(in.midarch), g);
    posteriorBlock(d, textToReal(in.posterior), g);
    // With no skeletal disharmony the skeletal answers cannot count, even
    // if a damaged file left some of them checked.
    if (g.clsim) {
        horizontal(d, textToReal(in.anb), g);
        vertical(d, g);
        facial(d, g);
    }
    return d;
}

}  // namespace vel

#include <QStringList>

namespace vel {

const std::array<PanelLineNames, 9>& diagnosisPanelLines()
{
    static constexpr std::array<PanelLineNames, 9> lines = {{
        {"dsantinfo", "Anterior Surplus/Deficit", nullptr, "dsant", {"a01", "a02", "a03", "a04"}},
        {"dsmedinfo", "Midarch Surplus/Deficit", nullptr, "dsmed", {"m01", "m02", "m03", "m04"}},
        {nullptr, nullptr, "ou", "dsmed2", {"m05", "m06", "m07", "m08"}},
        {"dsposinfo", "Posterior Surplus/Deficit", nullptr, "dspos", {"p01", "p02", "p03", "p04"}},
        {"dsdescinfo", "Skeletal Disharmony", nullptr, "dsdesc", {"d01", "d02", "d03", "d04"}},
        {nullptr, nullptr, "ou2", "dsdesc2", {"d05", "d06", "d07", "d08"}},
        {nullptr, nullptr, "ou3", "dsdesc3", {"d09", "d10", "d11", "d12"}},
        {nullptr, nullptr, "ou4", "dsdesc4", {"d13", "d14", "d15", "d16"}},
        {nullptr, nullptr, "ou5", "dsdesc5", {nullptr, nullptr, nullptr, nullptr}},
    }};
    return lines;
}

const QStringList& diagnosisControlNames()
{
    static const QStringList names = [] {
        QStringList n;
        for (const PanelLineNames& line : diagnosisPanelLines()) {
            if (line.caption)
                n << QLatin1String(line.caption);
            if (line.orLabel)
                n << QLatin1String(line.orLabel);
            n << QLatin1String(line.text);
            for (const char* mark : line.marks) {
                if (mark)
                    n << QLatin1String(mark);
            }
        }
        return n;
    }();
    return names;
}

QMap<QString, QString> diagnosisControls(const Diagnosis& d)
{
    const bool captions[] = {d.anteriorCaption, d.midarchCaption, d.posteriorCaption, d.skeletalCaption};
    const DiagnosisLine* lines[] = {&d.anterior,    &d.midarch[0],  &d.midarch[1],  &d.posterior, &d.skeletal[0],
                                    &d.skeletal[1], &d.skeletal[2], &d.skeletal[3], &d.skeletal[4]};
    QMap<QString, QString> c;
    int block = 0;
    for (int i = 0; i < 9; ++i) {
        const PanelLineNames& line = diagnosisPanelLines()[i];
        if (line.caption) {
            c.insert(QLatin1String(line.caption), captions[block] ? QLatin1String(line.captionText) : QString());
            ++block;
        }
        if (line.orLabel)
            c.insert(QLatin1String(line.orLabel), lines[i]->orBefore ? QStringLiteral("or") : QString());
        c.insert(QLatin1String(line.text), lines[i]->text);
        for (int m = 0; m < 4; ++m) {
            if (line.marks[m])
                c.insert(QLatin1String(line.marks[m]), lines[i]->marks[m]);
        }
    }
    return c;
}

}  // namespace vel
