#include "bolton/boltonanalysis.h"

namespace vel {

const std::array<BoltonEntry, 29> kBoltonEntries = {{
    {"bpaciente", nullptr, "Patient"},
    {"s01", "s1", "Max 1 (first molar)"}, {"s02", "s2", "Max 2"}, {"s03", "s3", "Max 3"}, {"s04", "s4", "Max 4"},
    {"s05", "s5", "Max 5"}, {"s06", "s6", "Max 6"}, {"s07", "s7", "Max 7"}, {"s08", "s8", "Max 8"},
    {"s09", "s9", "Max 9"}, {"s10", "s10", "Max 10"}, {"s11", "s11", "Max 11"}, {"s12", "s12", "Max 12 (first molar)"},
    {"i01", "i1", "Mnd 1 (first molar)"}, {"i02", "i2", "Mnd 2"}, {"i03", "i3", "Mnd 3"}, {"i04", "i4", "Mnd 4"},
    {"i05", "i5", "Mnd 5"}, {"i06", "i6", "Mnd 6"}, {"i07", "i7", "Mnd 7"}, {"i08", "i8", "Mnd 8"},
    {"i09", "i9", "Mnd 9"}, {"i10", "i10", "Mnd 10"}, {"i11", "i11", "Mnd 11"}, {"i12", "i12", "Mnd 12 (first molar)"},
    {"termole", nullptr, "Mnd Third Molar Left"}, {"segmole", nullptr, "Mnd Second Molar Left"},
    {"segmold", nullptr, "Mnd Second Molar Right"}, {"termold", nullptr, "Mnd Third Molar Right"},
}};

// The two diagnoses print with their captions before them: their parameters
// are made from two labels each, in boltonReportParameters.
const std::array<BoltonResult, 26> kBoltonResults = {{
    {"sup12res", &BoltonResults::sup12res, "rs12", "Max 12 Sum"},
    {"sup6res", &BoltonResults::sup6res, "rs6", "Max 6 Sum"},
    {"inf12res", &BoltonResults::inf12res, "ri12", "Mnd 12 Sum"},
    {"inf6res", &BoltonResults::inf6res, "ri6", "Mnd 6 Sum"},
    {"cinf12res", &BoltonResults::cinf12res, "contai12", nullptr},
    {"csup12res", &BoltonResults::csup12res, "contas12", nullptr},
    {"x10012res", &BoltonResults::x10012res, "contatotal12", "Overall Ratio"},
    {"cinf6res", &BoltonResults::cinf6res, "contai6", nullptr},
    {"csup6res", &BoltonResults::csup6res, "contas6", nullptr},
    {"x1006res", &BoltonResults::x1006res, "contatotal6", "Anterior Ratio"},
    {"busca12", &BoltonResults::busca12, "busca12", nullptr},
    {"busca12res", &BoltonResults::busca12res, "busca12res", nullptr},
    {"infobusca12res", &BoltonResults::infobusca12res, "infobusca12res", "Overall Arch in Excess"},
    {"tab12res", &BoltonResults::tab12res, "tab12res", "Overall Ideal"},
    {"res12", &BoltonResults::res12, "res12", "Overall Excess (mm)"},
    {"res12info", &BoltonResults::res12info, "res12info", nullptr},
    {"busca6", &BoltonResults::busca6, "busca6", nullptr},
    {"busca6res", &BoltonResults::busca6res, "busca6res", nullptr},
    {"infobusca6res", &BoltonResults::infobusca6res, "infobusca6res", "Anterior Arch in Excess"},
    {"tab6res", &BoltonResults::tab6res, "tab6res", "Anterior Ideal"},
    {"res6", &BoltonResults::res6, "res6", "Anterior Excess (mm)"},
    {"res6info", &BoltonResults::res6info, "res6info", nullptr},
    {"diag12info", &BoltonResults::diag12info, nullptr, nullptr},
    {"diag12", &BoltonResults::diag12, nullptr, "Overall Diagnosis"},
    {"diag6info", &BoltonResults::diag6info, nullptr, nullptr},
    {"diag6", &BoltonResults::diag6, nullptr, "Anterior Diagnosis"},
}};

QMap<QString, QString> boltonEntryTexts(const BoltonRecord& r)
{
    QMap<QString, QString> texts{{QStringLiteral("bpaciente"), r.patient},
                                 {QStringLiteral("termole"), r.thirdMolarLeft},
                                 {QStringLiteral("segmole"), r.secondMolarLeft},
                                 {QStringLiteral("segmold"), r.secondMolarRight},
                                 {QStringLiteral("termold"), r.thirdMolarRight}};
    for (int i = 0; i < 12; ++i) {
        texts.insert(QStringLiteral("s%1").arg(i + 1, 2, 10, QLatin1Char('0')), r.maxilla[i]);
        texts.insert(QStringLiteral("i%1").arg(i + 1, 2, 10, QLatin1Char('0')), r.mandible[i]);
    }
    return texts;
}

QList<std::pair<QString, QString>> boltonResultTexts(const BoltonResults& results)
{
    QList<std::pair<QString, QString>> texts;
    for (const BoltonResult& r : kBoltonResults)
        texts.append({QLatin1String(r.control), results.*r.text});
    return texts;
}

}  // namespace vel
