#include "tweed/tweedanalysis.h"

namespace vel {

namespace {

constexpr const char* kDegree = "°";
constexpr const char* kMm = "mm";
constexpr const char* kNone = "";

}  // namespace

const std::array<TweedEntry, 20> kTweedEntries = {{
    {"twfma", &TweedInputs::fma, "FMA (22° to 28°)", kDegree, "fma", "FMA"},
    {"twfmia", &TweedInputs::fmia, "FMIA (65° to 68°)", kDegree, "fmia", "FMIA"},
    {"twimpa", &TweedInputs::impa, "IMPA (88° to 94°)", kDegree, "impa", "IMPA"},
    {"twploc", &TweedInputs::occPlane, "Occ Plane (8° to 12°)", kDegree, "ploc", "Occlusal Plane"},
    {"twsna", &TweedInputs::sna, "SNA ( 80° to 84°)", kDegree, "sna", "SNA"},
    {"twsnb", &TweedInputs::snb, "SNB (78° to 82°)", kDegree, "snb", "SNB"},
    {"twaobo", &TweedInputs::aoBo, "AO - BO ( 0 to 4 mm)", kMm, "aobo", "AO-BO (mm)"},
    {"twangz", &TweedInputs::zAngle, "Z Angle ( 70° to 80°)", kDegree, "angz", "Z Angle"},
    {"twls", &TweedInputs::upperLip, "Upper Lip", kNone, "ls", "Upper Lip"},
    {"twqt", &TweedInputs::totalChin, "Total Chin", kNone, "qt", "Total Chin"},
    {"twafa", &TweedInputs::afh, "AFH", kNone, "afa", "AFH"},
    {"twafp", &TweedInputs::pfh, "PFH", kNone, "afp", "PFH"},
    {"anaer", &TweedInputs::anteriorRequired, "RS", kNone, "aer", "Anterior Required Space"},
    {"anaep", &TweedInputs::anteriorAvailable, "AS", kNone, "aep", "Anterior Available Space"},
    {"anmer", &TweedInputs::midRequired, "RS", kNone, "mer", "Midarch Required Space"},
    {"anmep", &TweedInputs::midAvailable, "AS", kNone, "mep", "Midarch Available Space"},
    {"anmspee", &TweedInputs::spee, "C. Spee", kNone, "spee", "Curve of Spee"},
    {"anmcorr", &TweedInputs::molarCorrection, "Molar Correction", kNone, "corr", "Molar Correction"},
    {"anper", &TweedInputs::posteriorRequired, "RS", kNone, "per", "Posterior Required Space"},
    {"anpep", &TweedInputs::posteriorAvailable, "AS", kNone, "pep", "Posterior Available Space"},
}};

const std::array<TweedResult, 34> kTweedResults = {{
    {"twanbres", &TweedResults::twanbres, TweedBox::Cephalometric, "ANB ( 1° to 5°)", kDegree, "anb", "ANB"},
    {"twafpafares", &TweedResults::twafpafares, TweedBox::Cephalometric, "PFH / AFH ( 65% to 75%)", kNone, "afpafa",
     "PFH/AFH"},
    {"hornres", &TweedResults::hornres, TweedBox::Cephalometric, nullptr, kNone, "horn", "Facial Height Index"},
    {"idfmares", &TweedResults::idfmares, TweedBox::Difficulty, "FMA", kNone, "ifma", "Difficulty FMA"},
    {"idanbres", &TweedResults::idanbres, TweedBox::Difficulty, "ANB", kNone, "ianb", "Difficulty ANB"},
    {"idangzres", &TweedResults::idangzres, TweedBox::Difficulty, "Z Angle", kNone, "iangz", "Difficulty Z Angle"},
    {"idplocres", &TweedResults::idplocres, TweedBox::Difficulty, "Occ Plane", kNone, "iploc",
     "Difficulty Occlusal Plane"},
    {"idsnbres", &TweedResults::idsnbres, TweedBox::Difficulty, "SNB", kNone, "isnb", "Difficulty SNB"},
    {"idifres", &TweedResults::idifres, TweedBox::Difficulty, "PFH/AFH", kNone, "iif", "Difficulty PFH/AFH"},
    {"idsub1res", &TweedResults::idsub1res, TweedBox::Difficulty, "C F Difficulty Total", kNone, "isub1",
     "Cranio-facial Difficulty"},
    {"iddmares", &TweedResults::iddmares, TweedBox::Difficulty, "Ant Tooth Arch Disc", kNone, "idma",
     "Difficulty Anterior Arch"},
    {"iddcres", &TweedResults::iddcres, TweedBox::Difficulty, "Headfilm Disc", kNone, "idc", "Difficulty Headfilm"},
    {"idmtmres", &TweedResults::idmtmres, TweedBox::Difficulty, "Soft Tissue Mod", kNone, "imtm",
     "Difficulty Soft Tissue"},
    {"iddmmres", &TweedResults::iddmmres, TweedBox::Difficulty, "Mid Tooth Arch Disc", kNone, "idmm",
     "Difficulty Midarch Arch"},
    {"idspeeres", &TweedResults::idspeeres, TweedBox::Difficulty, "C. Spee", kNone, "ispee",
     "Difficulty Curve of Spee"},
    {"idcorrres", &TweedResults::idcorrres, TweedBox::Difficulty, "Molar Correction", kNone, "icorr",
     "Difficulty Molar Correction"},
    {"iddmpres", &TweedResults::iddmpres, TweedBox::Difficulty, "Post Area Total Disc", kNone, "idmp",
     "Difficulty Posterior"},
    {"idsub2res", &TweedResults::idsub2res, TweedBox::Difficulty, "S A Difficulty Total", kNone, "isub2",
     "Space Analysis Difficulty"},
    {"idtotres", &TweedResults::idtotres, TweedBox::Difficulty, "Difficulty Index", kNone, "itot", "Difficulty Index"},
    {"idlabel", &TweedResults::idlabel, TweedBox::Difficulty, nullptr, kNone, "dif", "Grade"},
    {"dcfmares", &TweedResults::dcfmares, TweedBox::Headfilm, "FMA", kNone, "dcfma", nullptr},
    {"dcfmiares", &TweedResults::dcfmiares, TweedBox::Headfilm, "FMIA", kNone, "dcfmia", "Target FMIA"},
    {"dcimpares", &TweedResults::dcimpares, TweedBox::Headfilm, "IMPA", kNone, "dcimpa", "Target IMPA"},
    {"dcdcres", &TweedResults::dcdcres, TweedBox::Headfilm, "Headfilm Disc", kNone, "dcdc", "Headfilm Discrepancy"},
    {"anadmres", &TweedResults::anadmres, TweedBox::Space, "Tooth Arch Disc", kNone, "adm",
     "Anterior Tooth Arch Discrepancy"},
    {"anadcres", &TweedResults::anadcres, TweedBox::Space, "Headfilm Disc", kNone, "adc", nullptr},
    {"anamtmres", &TweedResults::anamtmres, TweedBox::Space, "Soft Tissue Mod", kNone, "amtm",
     "Soft Tissue Modification"},
    {"anantres", &TweedResults::anantres, TweedBox::Space, "Surplus/Deficit", kNone, "adisc",
     "Anterior Surplus/Deficit"},
    {"anmdmres", &TweedResults::anmdmres, TweedBox::Space, "Tooth Arch Disc", kNone, "mdm",
     "Midarch Tooth Arch Discrepancy"},
    {"anmedres", &TweedResults::anmedres, TweedBox::Space, "Surplus/Deficit", kNone, "mdisc", "Midarch Surplus/Deficit"},
    {"anpdmres", &TweedResults::anpdmres, TweedBox::Space, "Tooth Arch Disc", kNone, "pdm",
     "Posterior Tooth Arch Discrepancy"},
    {"anpcresres", &TweedResults::anpcresres, TweedBox::Space, "Estim Increase", kNone, "cres", "Estimated Increase"},
    {"anposres", &TweedResults::anposres, TweedBox::Space, "Surplus/Deficit", kNone, "pdisc",
     "Posterior Surplus/Deficit"},
    {"andiscres", &TweedResults::andiscres, TweedBox::Space, "Total Surplus/Deficit", kNone, "total",
     "Total Surplus/Deficit"},
}};

QString tweedCaption(const QString& control)
{
    if (control == QLatin1String("twPaciente"))
        return QStringLiteral("Patient");
    if (control == QLatin1String("Idade"))
        return QStringLiteral("Age");
    for (const TweedEntry& e : kTweedEntries) {
        if (control == QLatin1String(e.control))
            return QString::fromUtf8(e.caption);
    }
    for (const TweedResult& r : kTweedResults) {
        if (control == QLatin1String(r.control))
            return r.caption ? QString::fromUtf8(r.caption) : QString();
    }
    return QString();
}

QList<std::pair<QString, QString>> tweedResultTexts(const TweedResults& results)
{
    QList<std::pair<QString, QString>> texts;
    for (const TweedResult& r : kTweedResults)
        texts.append({QLatin1String(r.control), results.*r.text});
    return texts;
}

}  // namespace vel
