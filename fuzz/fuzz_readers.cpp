// One libFuzzer entry per reader of the files a clinic keeps or receives.
// Each feeds arbitrary bytes through the whole path the program takes after
// reading: a crash, a hang, a leak or undefined behaviour is a finding.
#include "common/usagestats.h"
#include "bolton/boltoncalc.h"
#include "bolton/boltonfile.h"
#include "bolton/boltontables.h"
#include "export/analysisexport.h"
#include "notes/notefiles.h"
#include "report/reportdefinition.h"
#include "bolton/boltonreport.h"
#include "tweed/tweedreport.h"
#include "tweed/tweedfile.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>

namespace {

// Short inputs are padded as a file of the right size would be; what a
// shorter file gets (an error box) is tested elsewhere.
[[maybe_unused]] QByteArray record(const uint8_t* data, size_t size, int length)
{
    QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    if (bytes.size() < length)
        bytes.append(QByteArray(length - bytes.size(), '\0'));
    return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
#if defined(FUZZ_TWE)
    const vel::TweedRecord r = vel::TweedRecord::fromBytes(record(data, size, vel::TweedRecord::kSize));
    const vel::ExportedAnalysis a = vel::exportTweedRecord(QStringLiteral("X-FINAL.twe"), r);
    int lastPage = 0;
    (void)vel::tweedReportParameters(a.controls(), lastPage);
    (void)vel::analysesToJson({a});
    (void)vel::analysesToCsv({a}, QStringLiteral("tweed"));
    (void)r.toBytes();
#elif defined(FUZZ_BOL)
    const vel::BoltonRecord r = vel::BoltonRecord::fromBytes(record(data, size, vel::BoltonRecord::kSize));
    const vel::ExportedAnalysis a =
        vel::exportBoltonRecord(QStringLiteral("X.bol"), r, vel::BoltonTables::standard());
    (void)vel::boltonReportParameters(a.controls());
    (void)vel::analysesToCsv({a}, QStringLiteral("bolton"));
#elif defined(FUZZ_STATS)
    const vel::UsageStats s = vel::UsageStats::fromBytes(record(data, size, vel::UsageStats::kSize));
    (void)vel::statisticsLines(s);
    if (vel::UsageStats::fromBytes(s.toBytes()).toBytes() != s.toBytes())
        __builtin_trap();
#elif defined(FUZZ_TABLES)
    // Whatever Bolton.cef holds (NaN and infinities included), the analysis must come through.
    const vel::BoltonTables tables = vel::BoltonTables::fromBytes(record(data, size, vel::BoltonTables::kFileSize));
    vel::BoltonRecord r;
    r.patient = QStringLiteral("A");
    for (int i = 0; i < 12; ++i) {
        r.maxilla[i] = QStringLiteral("8.1");
        r.mandible[i] = QStringLiteral("7.3");
    }
    (void)vel::exportBoltonRecord(QStringLiteral("A.bol"), r, tables);
#elif defined(FUZZ_NOTES)
    const QStringList lines = vel::decodeLines(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    const QByteArray again = vel::encodeLines(lines);
    if (vel::decodeLines(again) != lines)
        __builtin_trap();
    (void)vel::textLines(lines.join(QLatin1Char('\n')));
    (void)vel::unstorableCharacters(lines.join(QLatin1Char('\n')));
#elif defined(FUZZ_REPORTS)
    try {
        const vel::ReportDefinitions defs = vel::ReportDefinitions::parse(
            QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)), QStringLiteral("fuzz.rav"));
        for (const QString& name : defs.names())
            (void)defs.find(name);
    } catch (const vel::ReportError& e) {
        (void)e.text();
    }
#else
#error "choose a reader"
#endif
    return 0;
}
