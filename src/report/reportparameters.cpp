#include "report/reportparameters.h"

#include "bolton/boltonanalysis.h"

#include <QStringList>

namespace vel {

namespace {

const QString kSeparator = QStringLiteral(":  ");
const QString kOr = QStringLiteral("\r\r\r\ror\r\r");

const QMap<QString, QString>& captions()
{
    static const QMap<QString, QString> table = [] {
        const std::pair<const char*, const char*> rows[] = {
            {"twPaciente", "Patient"},
            {"Idade", "Age"},
            {"twfma", "FMA (22° to 28°)"},
            {"twfmia", "FMIA (65° to 68°)"},
            {"twimpa", "IMPA (88° to 94°)"},
            {"twploc", "Occ Plane (8° to 12°)"},
            {"twsna", "SNA ( 80° to 84°)"},
            {"twsnb", "SNB (78° to 82°)"},
            {"twaobo", "AO - BO ( 0 to 4 mm)"},
            {"twangz", "Z Angle ( 70° to 80°)"},
            {"twls", "Upper Lip"},
            {"twqt", "Total Chin"},
            {"twafa", "AFH"},
            {"twafp", "PFH"},
            {"twanbres", "ANB ( 1° to 5°)"},
            {"twafpafares", "PFH / AFH ( 65% to 75%)"},
            {"idfmares", "FMA"},
            {"idanbres", "ANB"},
            {"idangzres", "Z Angle"},
            {"idplocres", "Occ Plane"},
            {"idsnbres", "SNB"},
            {"idifres", "PFH/AFH"},
            {"idsub1res", "C F Difficulty Total"},
            {"iddmares", "Ant Tooth Arch Disc"},
            {"iddcres", "Headfilm Disc"},
            {"idmtmres", "Soft Tissue Mod"},
            {"iddmmres", "Mid Tooth Arch Disc"},
            {"idspeeres", "C. Spee"},
            {"idcorrres", "Molar Correction"},
            {"iddmpres", "Post Area Total Disc"},
            {"idsub2res", "S A Difficulty Total"},
            {"idtotres", "Difficulty Index"},
            {"anaer", "RS"},
            {"anaep", "AS"},
            {"anadmres", "Tooth Arch Disc"},
            {"anadcres", "Headfilm Disc"},
            {"anamtmres", "Soft Tissue Mod"},
            {"anantres", "Surplus/Deficit"},
            {"anmer", "RS"},
            {"anmep", "AS"},
            {"anmdmres", "Tooth Arch Disc"},
            {"anmspee", "C. Spee"},
            {"anmcorr", "Molar Correction"},
            {"anmedres", "Surplus/Deficit"},
            {"anper", "RS"},
            {"anpep", "AS"},
            {"anpdmres", "Tooth Arch Disc"},
            {"anpcresres", "Estim Increase"},
            {"anposres", "Surplus/Deficit"},
            {"andiscres", "Total Surplus/Deficit"},
            {"dcfmares", "FMA"},
            {"dcfmiares", "FMIA"},
            {"dcimpares", "IMPA"},
            {"dcdcres", "Headfilm Disc"},
        };
        QMap<QString, QString> m;
        for (const auto& [control, caption] : rows)
            m.insert(QLatin1String(control), QString::fromUtf8(caption));
        return m;
    }();
    return table;
}

}  // namespace

QString tweedCaption(const QString& control)
{
    return captions().value(control);
}

QList<std::pair<QString, QString>> tweedReportParameters(const ControlTexts& c, int& lastPage)
{
    QList<std::pair<QString, QString>> p;
    auto set = [&p](const QString& name, const QString& value) { p.append({name, value}); };

    const struct {
        const char* mark;
        const char* prefix;
        int first;
    } crosses[] = {{"a01", "a", 1}, {"m01", "m", 1}, {"m05", "m", 5}, {"p01", "p", 1},
                   {"d01", "d", 1}, {"d05", "d", 5}, {"d09", "d", 9}, {"d13", "d", 13}};
    for (int g = 0; g < 8; ++g) {
        const auto& cross = crosses[g];
        const bool on = !c.value(QLatin1String(cross.mark)).isEmpty();
        set(QStringLiteral("cruzh%1").arg(g + 1), on ? QStringLiteral("____") : QString());
        set(QStringLiteral("cruzv%1").arg(g + 1), on ? QStringLiteral("||") : QString());
        for (int i = 0; i < 4; ++i) {
            const int n = cross.first + i;
            const QString mark = QStringLiteral("%1%2").arg(QLatin1String(cross.prefix)).arg(n, 2, 10, QLatin1Char('0'));
            set(QStringLiteral("%1%2").arg(QLatin1String(cross.prefix)).arg(n), on ? c.value(mark) : QString());
        }
    }

    set(QStringLiteral("nome"), tweedCaption(QStringLiteral("twPaciente")) + kSeparator + c.value(QStringLiteral("twPaciente"))
                                    + QStringLiteral("  -  ") + c.value(QStringLiteral("stage")));
    set(QStringLiteral("idade"),
        tweedCaption(QStringLiteral("Idade")) + kSeparator + c.value(QStringLiteral("Idade")) + QStringLiteral(" years old"));
    set(QStringLiteral("genero"), QStringLiteral("Gender:  ") + (c.value(QStringLiteral("gender")) == QLatin1String("Male")
                                                                     ? QStringLiteral("Male")
                                                                     : QStringLiteral("Female")));

    const QString degree = QString::fromUtf8("°");
    const QString mm = QStringLiteral("mm");
    const std::tuple<const char*, const char*, QString> lines[] = {
        {"fma", "twfma", degree},      {"fmia", "twfmia", degree},   {"impa", "twimpa", degree},
        {"ploc", "twploc", degree},    {"sna", "twsna", degree},     {"snb", "twsnb", degree},
        {"anb", "twanbres", degree},   {"aobo", "twaobo", mm},       {"angz", "twangz", degree},
        {"ls", "twls", {}},            {"qt", "twqt", {}},           {"afa", "twafa", {}},
        {"afp", "twafp", {}},          {"afpafa", "twafpafares", {}}, {"horn", "hornres", {}},
        {"ifma", "idfmares", {}},      {"ianb", "idanbres", {}},     {"iangz", "idangzres", {}},
        {"iploc", "idplocres", {}},    {"isnb", "idsnbres", {}},     {"iif", "idifres", {}},
        {"isub1", "idsub1res", {}},    {"idma", "iddmares", {}},     {"idc", "iddcres", {}},
        {"imtm", "idmtmres", {}},      {"idmm", "iddmmres", {}},     {"ispee", "idspeeres", {}},
        {"icorr", "idcorrres", {}},    {"idmp", "iddmpres", {}},     {"isub2", "idsub2res", {}},
        {"itot", "idtotres", {}},      {"aer", "anaer", {}},         {"aep", "anaep", {}},
        {"adm", "anadmres", {}},       {"adc", "anadcres", {}},      {"amtm", "anamtmres", {}},
        {"adisc", "anantres", {}},     {"mer", "anmer", {}},         {"mep", "anmep", {}},
        {"mdm", "anmdmres", {}},       {"spee", "anmspee", {}},      {"corr", "anmcorr", {}},
        {"mdisc", "anmedres", {}},     {"per", "anper", {}},         {"pep", "anpep", {}},
        {"pdm", "anpdmres", {}},       {"cres", "anpcresres", {}},   {"pdisc", "anposres", {}},
        {"total", "andiscres", {}},    {"dcfma", "dcfmares", {}},    {"dcfmia", "dcfmiares", {}},
        {"dcimpa", "dcimpares", {}},   {"dcdc", "dcdcres", {}},
    };
    for (const auto& [param, control, unit] : lines) {
        const QString name = QLatin1String(control);
        QString value = c.value(name);
        // With "No" the IMPA printed is the one typed in its place.
        if (name == QLatin1String("dcimpares") && c.value(QStringLiteral("impaOption")) == QLatin1String("No"))
            value = c.value(QStringLiteral("dcopcres"));
        // The facial height index stands alone, without caption or separator.
        set(QLatin1String(param), name == QLatin1String("hornres") ? value : tweedCaption(name) + kSeparator + value + unit);
    }
    set(QStringLiteral("dif"), c.value(QStringLiteral("idlabel")));

    const bool guided = !c.value(QStringLiteral("dsantinfo")).isEmpty();
    lastPage = guided ? 2 : 1;
    auto pair = [&](const char* caption, const char* captionParam, const char* textParam, const QString& value) {
        const QString shownCaption = c.value(QLatin1String(caption));
        set(QLatin1String(captionParam), shownCaption);
        set(QLatin1String(textParam), shownCaption.isEmpty() ? QString() : value);
    };
    pair("dsantinfo", "discantinfo", "discant", c.value(QStringLiteral("dsant")));
    pair("dsmedinfo", "discmedinfo", "discmed",
         c.value(QStringLiteral("ou")).isEmpty() ? c.value(QStringLiteral("dsmed"))
                                                 : c.value(QStringLiteral("dsmed")) + kOr + c.value(QStringLiteral("dsmed2")));
    pair("dsposinfo", "discposinfo", "discpos", c.value(QStringLiteral("dspos")));
    QStringList alternatives{c.value(QStringLiteral("dsdesc"))};
    int last = 1;
    for (int i = 5; i >= 2; --i) {
        if (!c.value(QStringLiteral("dsdesc%1").arg(i)).isEmpty()) {
            last = i;
            break;
        }
    }
    for (int i = 2; i <= last; ++i)
        alternatives << c.value(QStringLiteral("dsdesc%1").arg(i));
    pair("dsdescinfo", "desarminfo", "desarm", alternatives.join(kOr));
    return p;
}

QList<std::pair<QString, QString>> boltonReportParameters(const ControlTexts& c)
{
    QList<std::pair<QString, QString>> p;
    auto set = [&p](const QString& name, const QString& value) { p.append({name, value}); };
    set(QStringLiteral("nome"), QStringLiteral("Patient:  ") + c.value(QStringLiteral("bpaciente")));
    for (const BoltonEntry& e : kBoltonEntries) {
        if (e.reportParam)
            set(QLatin1String(e.reportParam), c.value(QLatin1String(e.control)));
    }
    for (const BoltonResult& r : kBoltonResults) {
        if (r.reportParam)
            set(QLatin1String(r.reportParam), c.value(QLatin1String(r.control)));
    }
    set(QStringLiteral("diag12"), c.value(QStringLiteral("diag12info")) + QStringLiteral("\r\r") + c.value(QStringLiteral("diag12")));
    set(QStringLiteral("diag6"), c.value(QStringLiteral("diag6info")) + QStringLiteral("\r\r") + c.value(QStringLiteral("diag6")));
    return p;
}

}  // namespace vel
