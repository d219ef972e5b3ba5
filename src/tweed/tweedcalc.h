#pragma once
#include <QString>

// The Tweed-Merrifield calculation: cephalometric results, headfilm
// discrepancy, total space analysis and difficulty index. Texts in, texts
// out: every result enters the later formulas exactly as it is displayed.
namespace vel {

// What the Tweed tab holds in its entry fields and option buttons.
struct TweedInputs {
    QString patient;            // twPaciente
    QString age;                // Idade
    bool male = false;          // GenMasc
    bool female = false;        // GenFem
    QString fma;                // twfma
    QString fmia;               // twfmia
    QString impa;               // twimpa
    QString occPlane;           // twploc
    QString sna;                // twsna
    QString snb;                // twsnb
    QString aoBo;               // twaobo
    QString zAngle;             // twangz
    QString upperLip;           // twls
    QString totalChin;          // twqt
    QString afh;                // twafa
    QString pfh;                // twafp
    QString anteriorRequired;   // anaer
    QString anteriorAvailable;  // anaep
    QString midRequired;        // anmer
    QString midAvailable;       // anmep
    QString spee;               // anmspee
    QString molarCorrection;    // anmcorr
    QString posteriorRequired;  // anper
    QString posteriorAvailable; // anpep
    bool keepImpa = true;       // dcsim selected ("No", dcnao, otherwise)
    QString replacementImpa;    // dcopcres
};

// Font colours of the facial height index and of the grade.
enum class Tone { None, Green, Olive, Red };

// Every label the calculation writes, named after its control.
struct TweedResults {
    // Cephalometric results.
    QString twanbres, twafpafares, hornres;
    Tone hornTone = Tone::None;
    // Headfilm Discrepancy box. dcimpares is the target IMPA; when the
    // clinician keeps a replacement, the tab shows that instead.
    QString dcfmares, dcfmiares, dcimpares, dcdcres;
    // Total space analysis.
    QString anadmres, anadcres, anamtmres, anantres;
    QString anmdmres, anmedres;
    QString anpdmres, anpcresres, anposres;
    QString andiscres;
    // Difficulty index.
    QString idfmares, idanbres, idangzres, idplocres, idsnbres, idifres, idsub1res;
    QString iddmares, iddcres, idmtmres, iddmmres, idspeeres, idcorrres, iddmpres, idsub2res;
    QString idtotres, idlabel;
    Tone gradeTone = Tone::None;
};

// The checks CALCULATE makes before it computes anything.
struct TweedCheck {
    enum class Failure { None, Incomplete, NoGender, ZeroAfh };
    Failure failure = Failure::None;
    QString warning;  // the box's text; empty when the inputs pass
};

TweedCheck checkTweedInputs(const TweedInputs& in);
// Callers check first: with an AFH of 0 the ratio has no meaning.
TweedResults calculateTweed(const TweedInputs& in);

}  // namespace vel
