#pragma once
#include <QString>
#include <array>

// The Diagnostic Guide's answers and the rules that turn them, with the
// Tweed results, into the suggested diagnosis.
namespace vel {

// The checked state of each answer of the guide, named after its control.
struct GuideAnswers {
    bool daapinh = false;   // anterior crowding
    bool menor = false;     //   less than 3 mm
    bool maior = false;     //   more than 3 mm
    bool dmapinh = false;   // midarch crowding
    bool dmrel = false;     // molars in Class II relation
    bool dmpro = false;     // maxillary incisors protrusion
    bool dpadq = false;     // third molars in appropriate position
    bool dpinadeq = false;  // third molars in inappropriate position
    bool clsim = false;     // skeletal disharmony present (clnao otherwise)
    bool horcl2 = false;    // horizontal Class II
    bool direita = false;   //   right subdivision
    bool esquerda = false;  //   left subdivision
    bool sem = false;       //   no subdivision
    bool horcl3 = false;    // horizontal Class III
    bool aberta = false;    // vertical: open bite
    bool profunda = false;  // vertical: deep overbite
    bool suave = false;     //   open bite mild
    bool media = false;     //   open bite moderate; deep overbite mild
    bool severa = false;    //   severe
    bool desarm = false;    // facial disharmony
    bool dessuave = false;  //   mild
    bool dessevera = false; //   severe

    friend bool operator==(const GuideAnswers&, const GuideAnswers&) = default;
};

// The first warning an incomplete answer set gets, or an empty text.
QString validateAnswers(const GuideAnswers& answers);

// One text line of the panel with its tooth chart.
struct DiagnosisLine {
    QString text;                    // line breaks are single carriage returns
    std::array<QString, 4> marks;    // upper left, upper right, lower left, lower right
    bool chart = false;              // the chart's cross is drawn
    bool orBefore = false;           // the "or" label before this line is shown
};

// Everything the Suggested Diagnosis panel shows.
struct Diagnosis {
    bool anteriorCaption = false;
    bool midarchCaption = false;
    bool posteriorCaption = false;
    bool skeletalCaption = false;
    DiagnosisLine anterior;
    std::array<DiagnosisLine, 2> midarch;
    DiagnosisLine posterior;
    std::array<DiagnosisLine, 5> skeletal;
};

// The values the rules compare, read from the displayed one-decimal texts.
struct GuidanceInputs {
    QString anterior;  // anantres
    QString midarch;   // anmedres
    QString posterior; // anposres
    QString anb;       // twanbres
};

Diagnosis suggestDiagnosis(const GuidanceInputs& in, const GuideAnswers& answers);

}  // namespace vel

#include <QMap>

namespace vel {

// One text line of the Suggested Diagnosis panel, by control name, top to
// bottom: anterior, midarch 1-2, posterior, skeletal 1-5.
struct PanelLineNames {
    const char* caption;      // the block's caption, on its first line
    const char* captionText;
    const char* orLabel;      // the "or" shown before this line
    const char* text;
    const char* marks[4];     // upper left, upper right, lower left, lower right
};
const std::array<PanelLineNames, 9>& diagnosisPanelLines();

// The panel's controls as a Tweed tab would show them after this diagnosis,
// by name: captions and "or" labels read "" when hidden.
QMap<QString, QString> diagnosisControls(const Diagnosis& d);
// The panel's control names in reading order.
const QStringList& diagnosisControlNames();

}  // namespace vel
