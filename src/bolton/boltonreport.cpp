#include "bolton/boltonreport.h"

#include "bolton/boltonanalysis.h"

namespace vel {

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
