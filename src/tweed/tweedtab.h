#pragma once
#include "widgets/tabpage.h"
#include "common/workingfolder.h"
#include "guidance/guidancerules.h"
#include "guidance/guidancetarget.h"
#include "tweed/tweedcalc.h"
#include "tweed/tweedfile.h"

#include <QMap>
#include <functional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QRadioButton;

namespace vel {

class DiagnosisPanel;
class Desktop;
class EntryField;
class Messenger;

// What the Tweed tab asks of the worksheet and the Diagnostic Guide.
class TweedCompanions {
public:
    virtual ~TweedCompanions() = default;
    virtual void clearWorksheet() = 0;
    virtual void resetGuide() = 0;
    virtual void openWorksheet() = 0;
    virtual void openGuide() = 0;
    virtual GuideAnswers guideAnswers() const = 0;
    // Sets the answers as clicks would, so the guide's reactions run.
    virtual void setGuideAnswers(const GuideAnswers& answers) = 0;
    // The guide's GUIDANCE on the answers restored from a file, the guide
    // unseen unless they fail its checks and need answering.
    virtual void runGuidance() = 0;
};

// The Tweed Analysis tab: the measurements, the space entries, and the
// results of the cephalometric evaluation, the headfilm discrepancy, the
// total space analysis and the difficulty index. Its state is carried by its
// controls: the captions of CALCULATE and NEW, read-only entries, and three
// hidden check boxes.
class TweedTab : public TabPage, public GuidanceTarget {
    Q_OBJECT
public:
    explicit TweedTab(const TabServices& services, QWidget* parent = nullptr);

    void setCompanions(TweedCompanions* companions) { companions_ = companions; }

    // CALCULATE, or SPACE TX GUIDANCE once the analysis is accepted.
    void calculateClicked();
    // NEW, or BACK once the analysis is accepted.
    void newClicked();
    void saveClicked();
    void openClicked();
    void printClicked();
    // Every control's text as shown, by name (see ControlTexts).
    QMap<QString, QString> controlTexts() const;

    TweedInputs inputs() const;
    EntryField* entry(const QString& name) const { return fields_.value(name); }
    // Fills the Suggested Diagnosis from the shown results and the guide's
    // answers, and disables SPACE TX GUIDANCE: guidance runs once per analysis.
    void applyGuidance(const GuideAnswers& answers) override;
    QString patient() const override;
    void setSpaceEntry(const QString& control, const QString& text) override;
    DiagnosisPanel* diagnosis() const { return diagnosis_; }

private:
    void showCaution();
    // The warning of a failed check, and the field it concerns in focus.
    void refuse(const TweedCheck& check);
    void buildPatientRow();
    void buildMeasurements();
    void buildDifficulty();
    void buildButtons();
    void buildHeadfilm();
    void buildSpace();

    EntryField* field(const char* name) const;
    QLabel* label(const char* name) const;
    QLabel* addResult(QWidget* box, const char* name, int y, bool bold = false,
                      int valueWidth = 58);
    void showResults(const TweedResults& r);
    void clearResults();
    void accept();
    void reset(bool full);
    Stage stage() const;
    TweedRecord record() const;
    void restore(const TweedRecord& r);

    TweedCompanions* companions_ = nullptr;

    QMap<QString, EntryField*> fields_;
    QMap<QString, QLabel*> results_;
    QList<EntryField*> measurements_;
    QList<EntryField*> spaceEntries_;
    QRadioButton* male_;
    QRadioButton* female_;
    QList<QRadioButton*> stages_;
    QRadioButton* classII_;
    QRadioButton* classIII_;
    QLabel* keepQuestion_;
    QRadioButton* keep_;
    QRadioButton* replace_;
    QPushButton* calculate_;
    QPushButton* newButton_;
    QPushButton* worksheetButton_;
    QLabel* grade_;
    QCheckBox* opened_;
    QCheckBox* partial_;
    QCheckBox* complete_;
    DiagnosisPanel* diagnosis_;
    // The answers the Suggested Diagnosis was made from. OPEN empties the
    // guide even when it fails, while the diagnosis stays on the tab.
    GuideAnswers guidanceAnswers_;
    // The results as the labels show them, for the guidance to read.
    TweedResults shown_;
};

}  // namespace vel
