#include "steiner/steinertab.h"

#include "common/actionguard.h"
#include "common/messenger.h"
#include "entry/controls.h"
#include "entry/entryfield.h"
#include "steiner/chevrondiagram.h"
#include "steiner/steineranalysis.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace vel {

namespace {

constexpr QPoint kChevronPositions[5][6] = {
    {{48, 100}, {112, 132}, {51, 148}, {51, 188}, {112, 196}, {48, 228}},
    {{223, 28}, {287, 58}, {}, {}, {287, 124}, {}},
    {{}, {287, 204}, {}, {}, {287, 276}, {223, 300}},
    {{398, 100}, {462, 132}, {401, 148}, {401, 188}, {462, 196}, {398, 228}},
    {{573, 100}, {637, 132}, {576, 148}, {576, 188}, {637, 196}, {573, 228}},
};

const QString kHelp = QStringLiteral(
    "The OK button allows you to\ngenerate the treatment\ngoal individualized diagram. Net\nmust be zero to\n"
    "enable the OK button.\n\nSuggestions:\nIf there is still discrepancy after\ncalculation you should consider:\n"
    "1. Tooth extractions or stripping;\n2. Change Mechanics for the\ntreatment;\n3. Relocate less the lower insisors.");

void setBase(QWidget* w, QPalette::ColorRole role)
{
    QPalette pal = w->palette();
    pal.setColor(QPalette::Base, QPalette().color(role));
    w->setPalette(pal);
}

}  // namespace

SteinerTab::SteinerTab(const TabServices& services, QWidget* parent)
    : TabPage(services, parent)
{
    setObjectName(QStringLiteral("TabSheet6"));
    offer(FileAction::New, [this] { newClicked(); });

    auto* patientCaption = new QLabel(QStringLiteral("Patient"), this);
    patientCaption->setGeometry(8, 12, 48, 20);
    auto* patient = new EntryField(QStringLiteral("stpaciente"),
                                   {KeyFilter::Name, Completion::None, 0, warnings::nameStrict()}, messenger_, title_, this);
    patient->setEmptyMenu(emptyMenu_);
    patient->setGeometry(58, 10, 330, 24);
    fields_.insert(patient->objectName(), patient);
    auto* ageCaption = new QLabel(QStringLiteral("Age"), this);
    ageCaption->setGeometry(402, 12, 30, 20);
    auto* age = new EntryField(QStringLiteral("stidade"), {KeyFilter::WholeNumber, Completion::None, 0, warnings::wholeNumber()},
                               messenger_, title_, this);
    age->setEmptyMenu(emptyMenu_);
    age->setGeometry(434, 10, 44, 24);
    fields_.insert(age->objectName(), age);
    auto* gender = new QGroupBox(QStringLiteral("Gender"), this);
    gender->setGeometry(492, 0, 170, 42);
    male_ = new QRadioButton(QStringLiteral("Male"), gender);
    male_->setObjectName(QStringLiteral("stgenmasc"));
    male_->setGeometry(10, 18, 70, 20);
    female_ = new QRadioButton(QStringLiteral("Female"), gender);
    female_->setObjectName(QStringLiteral("stgenfem"));
    female_->setGeometry(84, 18, 80, 20);

    buildMeasurements();
    buildDiagram();
    buildLowerArch();
    buildButtons();

    QList<QWidget*> order{patient, age, male_, female_};
    for (EntryField* f : std::as_const(measurements_))
        order << f;
    for (int i = 0; i < 7; ++i)
        order << gained_[i] << needed_[i];
    order << ok_;
    for (const char* name : {"stcalcular", "stlimpar", "stsalvar", "stabrir", "stimprimir", "stsair"})
        order << findChild<QPushButton*>(QLatin1String(name));
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    // Start: empty, measurements open, the lower arch closed until CALCULATE.
    setLocked(false);
    ok_->setEnabled(false);
}

void SteinerTab::buildMeasurements()
{
    measurementBox_ = new QGroupBox(QStringLiteral("Steiner Analysis"), this);
    measurementBox_->setObjectName(QStringLiteral("GroupBox2"));
    measurementBox_->setGeometry(4, 44, 254, 440);
    QFont small = font();
    small.setPointSizeF(small.pointSizeF() - 1);
    const FieldRule rule{KeyFilter::SignedReal, Completion::None, 5, warnings::signedReal()};
    int y = 22;
    for (const SteinerMeasurement& m : kSteinerMeasurements) {
        // The column is as wide as "Expected Pog-NB (initial + growth)", with room before its field.
        auto* caption = new QLabel(QString::fromUtf8(m.caption), measurementBox_);
        caption->setFont(small);
        caption->setGeometry(4, y, 192, 21);
        auto* f = new EntryField(QLatin1String(m.control), rule, messenger_, title_, measurementBox_);
        f->setEmptyMenu(emptyMenu_);
        f->setGeometry(201, y, 42, 21);
        if (m.mandatory()) {
            auto* star = new QLabel(QStringLiteral("*"), measurementBox_);
            star->setGeometry(245, y, 7, 21);
        }
        fields_.insert(f->objectName(), f);
        measurements_.append(f);
        y += 23;
    }
    auto* note = new QLabel(QStringLiteral("* Mandatory fields"), measurementBox_);
    note->setFont(small);
    note->setGeometry(4, y + 6, 200, 18);
}

void SteinerTab::buildDiagram()
{
    auto* diagram = new QGroupBox(QStringLiteral("Diagrams for Steiner Analysis"), this);
    diagram->setObjectName(QStringLiteral("GroupBox4"));
    diagram->setGeometry(262, 44, 722, 337);
    auto* picture = new ChevronDiagram(diagram);
    picture->setObjectName(QStringLiteral("Image1"));
    // The drawing spans the whole box: the labels' positions are the box's.
    picture->setGeometry(diagram->rect());
    picture->lower();

    QFont bold = font();
    bold.setBold(true);
    const struct {
        const char* text;
        QRect geometry;
    } captions[] = {{"PROBLEM", {18, 266, 150, 18}},
                    {"RESOLVED", {368, 266, 150, 18}},
                    {"TREATMENT GOAL INDIVIDUALIZED", {543, 266, 160, 36}}};
    for (const auto& c : captions) {
        auto* l = new QLabel(QLatin1String(c.text), diagram);
        l->setFont(bold);
        l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        l->setWordWrap(true);
        l->setGeometry(c.geometry);
    }
    QFont valueFont = font();
    valueFont.setBold(true);
    for (int c = 0; c < 5; ++c) {
        for (int p = 0; p < 6; ++p) {
            if (!kChevronControls[c][p])
                continue;
            auto* l = new QLabel(diagram);
            l->setObjectName(QLatin1String(kChevronControls[c][p]));
            l->setFont(valueFont);
            l->move(kChevronPositions[c][p]);
            QPalette pal = l->palette();
            pal.setColor(QPalette::WindowText, QColor(0, 0, 160));
            l->setPalette(pal);
            values_.insert(l->objectName(), l);
        }
    }
}

void SteinerTab::buildLowerArch()
{
    archBox_ = new QGroupBox(QStringLiteral("Lower Arch "), this);
    archBox_->setObjectName(QStringLiteral("GroupBox5"));
    archBox_->setGeometry(262, 388, 384, 292);
    for (const auto& [text, x] : {std::pair{"+", 160}, std::pair{"-", 236}}) {
        auto* head = new QLabel(QLatin1String(text), archBox_);
        head->setAlignment(Qt::AlignCenter);
        head->setGeometry(x, 18, 70, 18);
    }
    const FieldRule rule{KeyFilter::SignedReal, Completion::None, 0, warnings::signedReal(), false};
    auto make = [&](const char* name, int x, int y) {
        auto* f = new EntryField(QLatin1String(name), rule, messenger_, title_, archBox_);
        f->setGeometry(x, y, 70, 22);
        fields_.insert(f->objectName(), f);
        return f;
    };
    int y = 38;
    for (const SteinerArchRow& row : kSteinerArchRows) {
        auto* caption = new QLabel(QLatin1String(row.caption), archBox_);
        caption->setGeometry(8, y, 150, 22);
        gained_.append(make(row.gained, 160, y));
        needed_.append(make(row.needed, 236, y));
        y += 26;
    }
    for (EntryField* f : gained_ + needed_)
        connect(f, &QLineEdit::textChanged, this, [this] { rebalance(); });

    // Total and Net are the program's to write.
    auto result = [&](const char* caption, const char* gained, const char* needed, int rowY, EntryField*& g,
                      EntryField*& n) {
        auto* l = new QLabel(QLatin1String(caption), archBox_);
        l->setGeometry(8, rowY, 150, 22);
        QFont bold = l->font();
        bold.setBold(true);
        l->setFont(bold);
        g = make(gained, 160, rowY);
        n = make(needed, 236, rowY);
        for (EntryField* f : {g, n}) {
            f->setReadOnly(true);
            f->setFocusPolicy(Qt::NoFocus);
            f->setFont(bold);
        }
    };
    result("Total", "qd8", "qd81", y + 6, totalGained_, totalNeeded_);
    result("Net", "qd9", "qd91", y + 34, netGained_, netNeeded_);
    ok_ = new QPushButton(QStringLiteral("OK"), archBox_);
    ok_->setObjectName(QStringLiteral("BitBtn1"));
    ok_->setGeometry(312, y + 32, 64, 26);
    connect(ok_, &QPushButton::clicked, this, [this] { okClicked(); });

    auto* help = new QLabel(kHelp, this);
    QFont small = font();
    small.setPointSizeF(small.pointSizeF() - 1);
    help->setFont(small);
    help->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    help->setGeometry(654, 396, 194, 284);
    QPalette pal = help->palette();
    pal.setColor(QPalette::WindowText, QColor(0, 128, 0));
    help->setPalette(pal);
}

void SteinerTab::buildButtons()
{
    const struct {
        const char* name;
        const char* caption;
    } buttons[] = {{"stcalcular", "CALCULATE"}, {"stlimpar", "NEW"},     {"stsalvar", "SAVE"},
                   {"stabrir", "OPEN"},         {"stimprimir", "PRINT"}, {"stsair", "EXIT"}};
    int y = 396;
    for (const auto& spec : buttons) {
        auto* b = new QPushButton(QLatin1String(spec.caption), this);
        b->setObjectName(QLatin1String(spec.name));
        b->setGeometry(852, y, 124, 32);
        y += 38;
    }
    // This tab keeps no file and prints nothing.
    for (const char* name : {"stsalvar", "stabrir", "stimprimir"})
        findChild<QPushButton*>(QLatin1String(name))->setEnabled(false);
    calculate_ = findChild<QPushButton*>(QStringLiteral("stcalcular"));
    const auto title = title_;
    connect(calculate_, &QPushButton::clicked, this, guarded(messenger_, title, [this] { calculateClicked(); }));
    connect(findChild<QPushButton*>(QStringLiteral("stlimpar")), &QPushButton::clicked, this, [this] { newClicked(); });
    connect(findChild<QPushButton*>(QStringLiteral("stsair")), &QPushButton::clicked, this, &TabPage::exitRequested);
}

void SteinerTab::setLocked(bool locked)
{
    for (EntryField* f : std::as_const(measurements_))
        setBase(f, locked ? QPalette::Midlight : QPalette::Base);
    measurementBox_->setEnabled(!locked);
    archBox_->setEnabled(locked);
    for (EntryField* f : gained_ + needed_)
        setBase(f, locked ? QPalette::Base : QPalette::Midlight);
}

void SteinerTab::setChevron(int number, const Chevron& c)
{
    for (int p = 0; p < 6; ++p) {
        if (const char* name = kChevronControls[number - 1][p]) {
            QLabel* l = values_.value(QLatin1String(name));
            l->setText(c.*kChevronPlaces[p]);
            l->adjustSize();
        }
    }
}

Chevron SteinerTab::chevron(int number) const
{
    Chevron c;
    for (int p = 0; p < 6; ++p) {
        if (const char* name = kChevronControls[number - 1][p])
            c.*kChevronPlaces[p] = values_.value(QLatin1String(name))->text();
    }
    return c;
}

void SteinerTab::calculateClicked()
{
    SteinerInputs in;
    for (const SteinerMeasurement& m : kSteinerMeasurements) {
        if (m.input)
            in.*m.input = field(QLatin1String(m.control))->text();
    }
    const QString warning = checkSteinerInputs(in);
    if (!warning.isEmpty()) {
        messenger_.warning(title_(), {warning});
        return;
    }
    const SteinerResults r = calculateSteiner(in);
    setChevron(1, r.problem);
    setChevron(2, r.anbGoal);
    setChevron(3, r.chinGoal);
    setChevron(4, r.resolved);
    field(QStringLiteral("qd3"))->setText(r.relocationGained);
    field(QStringLiteral("qd31"))->setText(r.relocationNeeded);
    rebalance();
    setLocked(true);
    calculate_->setEnabled(false);
}

void SteinerTab::rebalance()
{
    std::array<QString, 7> gained;
    std::array<QString, 7> needed;
    for (int i = 0; i < 7; ++i) {
        gained[i] = gained_[i]->text();
        needed[i] = needed_[i]->text();
    }
    const ArchBalance b = balanceLowerArch(gained, needed);
    totalGained_->setText(b.totalGained);
    totalNeeded_->setText(b.totalNeeded);
    netGained_->setText(b.netGained);
    netNeeded_->setText(b.netNeeded);
    ok_->setEnabled(b.balanced);
}

void SteinerTab::okClicked()
{
    setChevron(5, individualisedGoal(chevron(1), chevron(4), field(QStringLiteral("qd3"))->text(),
                                     field(QStringLiteral("qd31"))->text()));
}

void SteinerTab::newClicked()
{
    field(QStringLiteral("stpaciente"))->clear();
    field(QStringLiteral("stidade"))->clear();
    deselect(male_);
    deselect(female_);
    setLocked(false);

    for (EntryField* f : std::as_const(measurements_))
        f->clear();
    const std::pair<const char*, const char*> example[] = {
        {"stanb", "6"},  {"st1pna", "28"}, {"st1na", "7"}, {"st1pnb", "35"},
        {"st1nb", "10"}, {"stpognb", "1.5"}, {"stxppog", "3"},
    };
    for (const auto& [name, text] : example)
        field(QLatin1String(name))->setText(QLatin1String(text));
    for (EntryField* f : gained_ + needed_)
        f->clear();
    const std::pair<const char*, const char*> arch[] = {
        {"qd11", "2"}, {"qd51", "1"}, {"qd6", "3"}, {"qd7", "15"}, {"qd71", "5"},
    };
    for (const auto& [name, text] : arch)
        field(QLatin1String(name))->setText(QLatin1String(text));
    // The entries' own reaction has written totals; the example starts without them.
    for (EntryField* f : {totalGained_, totalNeeded_, netGained_, netNeeded_})
        f->clear();

    for (QLabel* l : std::as_const(values_))
        l->clear();
    calculate_->setEnabled(true);
    ok_->setEnabled(false);
}

}  // namespace vel
