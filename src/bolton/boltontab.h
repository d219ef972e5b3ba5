#pragma once
#include "bolton/boltoncalc.h"
#include "bolton/boltonfile.h"
#include "bolton/boltontransfer.h"
#include "common/workingfolder.h"
#include "widgets/tabpage.h"

#include <QList>
#include <QMap>
#include <functional>

class QCheckBox;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;

namespace vel {

class Desktop;
class EntryField;
class Messenger;

// The Bolton Analysis tab: the widths of twelve teeth of each arch, the
// second and third mandibular molars for the worksheet, and the tooth-size
// analysis with its diagnosis. Its state: whether CALCULATE is enabled, the
// caption of NEW/BACK, and the hidden flag `abrirb` (opened from a file).
class BoltonTab : public TabPage, public BoltonTransfer {
    Q_OBJECT
public:
    explicit BoltonTab(const TabServices& services, QWidget* parent = nullptr);

    void calculateClicked();
    void newClicked();
    void saveClicked();
    void openClicked();
    void printClicked();
    // Every control's text as shown, by name.
    QMap<QString, QString> controlTexts() const;

    EntryField* field(const QString& name) const { return fields_.value(name); }
    BoltonInputs inputs() const;

    QString transferPatient() const override;
    QString transferWidth(const QString& field) const override;
    bool showsCalculation() const override;

private:
    void buildRows(QWidget* frame);
    void buildRatioBlock(QWidget* frame, int x, const QString& digits, const char* cinf, const char* csup,
                         const char* ratio, const char* busca, const char* buscaRes, const char* infoBusca,
                         const char* tab, const char* res, const char* resInfo);
    void buildDiagnosis();
    void buildButtons();
    QLabel* resultLabel(QWidget* parent, const char* name, const QRect& geometry, bool centred = false);

    void showResults(const BoltonResults& r);
    void clearResults();
    void setLocked(bool widths, bool transfer);
    BoltonRecord record() const;
    void load(const BoltonRecord& r);


    QMap<QString, EntryField*> fields_;
    QList<EntryField*> widths_;    // bpaciente, s01..s12, i01..i12
    QList<EntryField*> transfer_;  // termole, segmole, segmold, termold
    QMap<QString, QLabel*> results_;
    QFrame* rule12_;
    QFrame* rule6_;
    QPushButton* calculate_;
    QPushButton* newButton_;
    QCheckBox* opened_;
};

}  // namespace vel
