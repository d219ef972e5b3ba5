#pragma once
#include <QString>

namespace vel {

// What the Total Space Analysis worksheet takes from the Bolton analysis on
// screen for its IMPORT: the patient, the mandibular widths (`i01` ... `i12`)
// and the transfer area (`termole`, `segmole`, `segmold`, `termold`), and
// whether a calculation is on screen.
class BoltonTransfer {
public:
    virtual ~BoltonTransfer() = default;
    virtual QString transferPatient() const = 0;
    // The text of one of the fields named above, as typed.
    virtual QString transferWidth(const QString& field) const = 0;
    // A calculation is on screen (CALCULATE is disabled); it holds even while
    // the worksheet has the main window disabled.
    virtual bool showsCalculation() const = 0;
};

}  // namespace vel
