// A full Tweed case through CALCULATE and GUIDANCE in the core, and "report1"
// with guidance rendered to PDF. Prints rates and times; asserts nothing.
#include "common/resources.h"
#include "guidance/guidancerules.h"
#include "report/reportdefinition.h"
#include "tweed/tweedreport.h"
#include "report/reportrenderer.h"
#include "tweed/tweedcalc.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <algorithm>
#include <cstdio>
#include <vector>


int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    vel::initResources();

    vel::TweedInputs in;
    in.patient = QStringLiteral("MARIA SILVA");
    in.age = QStringLiteral("12");
    in.female = true;
    const QString values[] = {"25.0", "62.0", "95.0", "10.0", "83.0", "79.5", "2.0", "72.0", "15.0", "12.0",
                              "110.0", "75.0", "30.5", "27.0", "15.0", "14.0", "-2.0", "-1.5", "20.0", "18.0"};
    QString* fields[] = {&in.fma, &in.fmia, &in.impa, &in.occPlane, &in.sna, &in.snb, &in.aoBo, &in.zAngle,
                         &in.upperLip, &in.totalChin, &in.afh, &in.pfh, &in.anteriorRequired,
                         &in.anteriorAvailable, &in.midRequired, &in.midAvailable, &in.spee,
                         &in.molarCorrection, &in.posteriorRequired, &in.posteriorAvailable};
    for (int i = 0; i < 20; ++i)
        *fields[i] = values[i];
    vel::GuideAnswers answers;
    answers.daapinh = answers.maior = answers.dpadq = answers.clsim = answers.horcl2 = answers.sem = true;
    answers.aberta = answers.suave = answers.desarm = answers.dessuave = true;

    constexpr int kCases = 20000;
    QElapsedTimer t;
    t.start();
    int filled = 0;
    for (int i = 0; i < kCases; ++i) {
        const vel::TweedResults r = vel::calculateTweed(in);
        if (vel::validateAnswers(answers).isEmpty()) {
            const vel::Diagnosis d = vel::suggestDiagnosis({r.anantres, r.anmedres, r.anposres, r.twanbres}, answers);
            filled += d.skeletalCaption ? 1 : 0;
        }
    }
    const double seconds = t.nsecsElapsed() / 1e9;
    std::printf("Tweed case through CALCULATE and GUIDANCE: %.0f cases/s (%d cases, %d diagnoses)\n",
                kCases / seconds, kCases, filled);

    // report1 with the suggested diagnosis, to PDF.
    const vel::ReportDefinitions reports = vel::ReportDefinitions::load(QString::fromUtf8(VELMORA_DATA_DIR "/An\xc3\xa1lises.rav"));
    const vel::TweedResults r = vel::calculateTweed(in);
    QMap<QString, QString> controls = vel::diagnosisControls(
        vel::suggestDiagnosis({r.anantres, r.anmedres, r.anposres, r.twanbres}, answers));
    controls.insert(QStringLiteral("twPaciente"), in.patient);
    controls.insert(QStringLiteral("idlabel"), r.idlabel);
    controls.insert(QStringLiteral("twanbres"), r.twanbres);
    controls.insert(QStringLiteral("andiscres"), r.andiscres);
    int lastPage = 1;
    vel::ReportParameters params;
    for (const auto& [name, value] : vel::tweedReportParameters(controls, lastPage)) {
        if (!value.isEmpty())
            params.insert(name, value);
    }
    const vel::Report* report = reports.find(QStringLiteral("report1"));
    std::vector<double> times;
    for (int i = 0; i < 15; ++i) {
        t.restart();
        const QByteArray pdf = vel::renderReportToPdf(*report, params, lastPage, reports.baseDir());
        times.push_back(t.nsecsElapsed() / 1e6);
        if (pdf.isEmpty())
            return 1;
    }
    std::sort(times.begin(), times.end());
    std::printf("report1 with guidance to PDF: %.1f ms median of %zu (first %.1f ms)\n", times[times.size() / 2],
                times.size(), times.front());
    return 0;
}
