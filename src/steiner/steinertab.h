#pragma once
#include "widgets/tabpage.h"
#include "steiner/steinercalc.h"

#include <QMap>
#include <functional>

class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QRadioButton;

namespace vel {

class EntryField;
class Messenger;

// The Steiner Analysis tab: the measurements, chevrons 1 to 4 at CALCULATE,
// the balance of the lower arch, and chevron 5 once the arch balances. It
// keeps no file and prints nothing.
class SteinerTab : public TabPage {
    Q_OBJECT
public:
    explicit SteinerTab(const TabServices& services, QWidget* parent = nullptr);

    void calculateClicked();
    // Resets the tab and loads the example case.
    void newClicked();
    // Chevron 5, the treatment goal individualised by the lower-arch balance.
    void okClicked();

    EntryField* field(const QString& name) const { return fields_.value(name); }
    QLabel* value(const QString& name) const { return values_.value(name); }

private:
    void buildMeasurements();
    void buildDiagram();
    void buildLowerArch();
    void buildButtons();
    void rebalance();
    void setChevron(int number, const Chevron& c);
    Chevron chevron(int number) const;
    void setLocked(bool locked);

    QMap<QString, EntryField*> fields_;
    QMap<QString, QLabel*> values_;
    QList<EntryField*> measurements_;
    QList<EntryField*> gained_;  // qd1 ... qd7
    QList<EntryField*> needed_;  // qd11 ... qd71
    EntryField* totalGained_;
    EntryField* totalNeeded_;
    EntryField* netGained_;
    EntryField* netNeeded_;
    QRadioButton* male_;
    QRadioButton* female_;
    QGroupBox* measurementBox_;
    QGroupBox* archBox_;
    QPushButton* calculate_;
    QPushButton* ok_;
};

}  // namespace vel
