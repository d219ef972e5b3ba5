#include "tweed/tweedtab.h"

#include "common/usagestats.h"
#include "common/actionguard.h"
#include "common/desktop.h"
#include "common/fileio.h"
#include "common/messenger.h"
#include "common/patientfiles.h"
#include "entry/crlabel.h"
#include "report/reportengine.h"
#include "tweed/tweedreport.h"
#include "entry/controls.h"
#include "entry/entryfield.h"
#include "tweed/diagnosispanel.h"
#include "tweed/tweedanalysis.h"
#include "tweed/tweedworkflow.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace vel {

namespace {

// The measurements' keys and completion; their captions are the analysis's.
struct EntryRow {
    const char* name;
    KeyFilter filter;
    Completion completion;
};

constexpr EntryRow kMeasurements[] = {
    {"twfma", KeyFilter::PositiveReal, Completion::Decimal},
    {"twfmia", KeyFilter::PositiveReal, Completion::Decimal},
    {"twimpa", KeyFilter::PositiveReal, Completion::Decimal},
    {"twploc", KeyFilter::PositiveReal, Completion::Decimal},
    {"twsna", KeyFilter::PositiveReal, Completion::Decimal},
    {"twsnb", KeyFilter::PositiveReal, Completion::Decimal},
    {"twaobo", KeyFilter::SignedReal, Completion::SignedDecimal},
    {"twangz", KeyFilter::PositiveReal, Completion::Decimal},
    {"twls", KeyFilter::SignedReal, Completion::SignedDecimal},
    {"twqt", KeyFilter::SignedReal, Completion::SignedDecimal},
    {"twafa", KeyFilter::PositiveReal, Completion::Decimal},
    {"twafp", KeyFilter::PositiveReal, Completion::Decimal},
};

struct ResultRow {
    const char* name;
    bool bold;
};

constexpr ResultRow kDifficulty[] = {
    {"idfmares", false},
    {"idanbres", false},
    {"idangzres", false},
    {"idplocres", false},
    {"idsnbres", false},
    {"idifres", false},
    {"idsub1res", true},
    {"iddmares", false},
    {"iddcres", false},
    {"idmtmres", false},
    {"iddmmres", false},
    {"idspeeres", false},
    {"idcorrres", false},
    {"iddmpres", false},
    {"idsub2res", true},
    {"idtotres", true},
};

QColor toneColour(Tone tone)
{
    switch (tone) {
    case Tone::Green: return QColor(0, 128, 0);
    case Tone::Olive: return QColor(128, 128, 0);
    case Tone::Red: return QColor(255, 0, 0);
    case Tone::None: break;
    }
    return QColor(0, 0, 255);
}

QLabel* caption(QWidget* parent, const QString& text, int x, int y, int width = 0)
{
    auto* l = new QLabel(text, parent);
    l->move(x, y);
    if (width > 0)
        l->resize(width, 20);
    else
        l->adjustSize();
    return l;
}

const QString kCalculate = QStringLiteral("CALCULATE");
const QString kGuidance = QStringLiteral("SPACE TX GUIDANCE");
const QString kNew = QStringLiteral("NEW");
const QString kBack = QStringLiteral("BACK");

}  // namespace

TweedTab::TweedTab(const TabServices& services, QWidget* parent)
    : TabPage(services, parent)
{
    setObjectName(QStringLiteral("TabSheet1"));
    offerFileOperations(this, NewRuns::Twice);
    buildPatientRow();
    buildMeasurements();
    buildDifficulty();
    buildSpace();
    buildHeadfilm();
    buildButtons();

    diagnosis_ = new DiagnosisPanel(this);
    diagnosis_->setGeometry(604, 54, 380, 632);

    opened_ = new QCheckBox(this);
    opened_->setObjectName(QStringLiteral("abrir"));
    partial_ = new QCheckBox(this);
    partial_->setObjectName(QStringLiteral("parcial"));
    complete_ = new QCheckBox(this);
    complete_->setObjectName(QStringLiteral("completo"));
    for (QCheckBox* flag : {opened_, partial_, complete_})
        flag->hide();

    // The keyboard walks the form in reading order, the buttons last.
    QList<QWidget*> order{field("twPaciente"), field("Idade"), male_, female_};
    order += QList<QWidget*>(stages_.begin(), stages_.end());
    for (EntryField* f : std::as_const(measurements_))
        order << f;
    order << field("anaer") << field("anaep") << worksheetButton_ << field("anmer") << field("anmep")
          << field("anmspee") << classII_ << classIII_ << field("anmcorr") << field("anper") << field("anpep")
          << keep_ << replace_ << field("dcopcres");
    for (const char* name : {"tCalcular", "tLimpar", "tsalvar", "tabrir", "timprimir", "tSair"})
        order << findChild<QPushButton*>(QLatin1String(name));
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    reset(true);
}

EntryField* TweedTab::field(const char* name) const
{
    return fields_.value(QLatin1String(name));
}

QLabel* TweedTab::label(const char* name) const
{
    return results_.value(QLatin1String(name));
}

QLabel* TweedTab::addResult(QWidget* box, const char* name, int y, bool bold, int valueWidth)
{
    caption(box, tweedCaption(QLatin1String(name)), 6, y, box->width() - valueWidth - 12);
    auto* value = new QLabel(box);
    value->setObjectName(QLatin1String(name));
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    value->setGeometry(box->width() - valueWidth - 6, y, valueWidth, 20);
    setTextColour(value, toneColour(Tone::None));
    if (bold) {
        QFont f = value->font();
        f.setBold(true);
        value->setFont(f);
    }
    results_.insert(QLatin1String(name), value);
    return value;
}

void TweedTab::buildPatientRow()
{
    auto make = [this](const char* name, FieldRule rule, QWidget* parent) {
        auto* f = new EntryField(QLatin1String(name), std::move(rule), messenger_, title_, parent);
        f->setEmptyMenu(emptyMenu_);
        fields_.insert(QLatin1String(name), f);
        return f;
    };
    caption(this, QStringLiteral("Patient"), 8, 22);
    make("twPaciente", {KeyFilter::Name, Completion::None, 0, warnings::nameStrict()}, this)
        ->setGeometry(58, 18, 250, 24);
    caption(this, QStringLiteral("Age"), 320, 22);
    make("Idade", {KeyFilter::WholeNumber, Completion::None, 0, warnings::wholeNumber()}, this)
        ->setGeometry(350, 18, 44, 24);

    auto* gender = new QGroupBox(QStringLiteral("Gender"), this);
    gender->setObjectName(QStringLiteral("Genero"));
    gender->setGeometry(404, 2, 160, 48);
    male_ = new QRadioButton(QStringLiteral("Male"), gender);
    male_->setObjectName(QStringLiteral("GenMasc"));
    male_->setGeometry(10, 20, 70, 22);
    female_ = new QRadioButton(QStringLiteral("Female"), gender);
    female_->setObjectName(QStringLiteral("GenFem"));
    female_->setGeometry(80, 20, 76, 22);

    auto* stage = new QGroupBox(QStringLiteral("Analysis"), this);
    stage->setObjectName(QStringLiteral("Analise"));
    stage->setGeometry(570, 2, 414, 48);
    const char* stageNames[] = {"inicial", "inter1", "inter2", "final"};
    const char* stageCaptions[] = {"Pre-TX", "Progress", "Final", "Post-TX"};
    for (int i = 0; i < 4; ++i) {
        auto* b = new QRadioButton(QLatin1String(stageCaptions[i]), stage);
        b->setObjectName(QLatin1String(stageNames[i]));
        b->setGeometry(12 + 100 * i, 20, 94, 22);
        stages_.append(b);
    }
}

void TweedTab::buildMeasurements()
{
    auto* group = new QGroupBox(QStringLiteral("Tweed Analysis"), this);
    group->setObjectName(QStringLiteral("tw"));
    group->setGeometry(4, 54, 238, 394);
    int y = 20;
    for (const EntryRow& row : kMeasurements) {
        caption(group, tweedCaption(QLatin1String(row.name)), 8, y + 2, 160);
        const QString warning =
            row.filter == KeyFilter::SignedReal ? warnings::signedReal() : warnings::positiveReal();
        auto* f = new EntryField(QLatin1String(row.name), {row.filter, row.completion, 5, warning}, messenger_,
                                 title_, group);
        f->setEmptyMenu(emptyMenu_);
        f->setGeometry(166, y, 62, 21);
        fields_.insert(QLatin1String(row.name), f);
        measurements_.append(f);
        y += 22;
    }
    y += 4;
    addResult(group, "twanbres", y);
    addResult(group, "twafpafares", y + 22);
    auto* hornCaption = caption(group, QStringLiteral("The Facial Height Index (Horn)"), 8, y + 46, 222);
    hornCaption->setAlignment(Qt::AlignCenter);
    auto* horn = new QLabel(group);
    horn->setObjectName(QStringLiteral("hornres"));
    horn->setAlignment(Qt::AlignCenter);
    horn->setWordWrap(true);
    QFont bold = horn->font();
    bold.setBold(true);
    horn->setFont(bold);
    horn->setGeometry(8, y + 64, 222, 36);
    results_.insert(QStringLiteral("hornres"), horn);
}

void TweedTab::buildDifficulty()
{
    auto* group = new QGroupBox(QStringLiteral("Difficulty Index"), this);
    group->setObjectName(QStringLiteral("id"));
    group->setGeometry(246, 54, 206, 394);
    int y = 20;
    for (const ResultRow& row : kDifficulty) {
        QLabel* value = addResult(group, row.name, y, row.bold);
        if (row.bold) {
            QFont f = value->font();
            f.setPointSizeF(f.pointSizeF() + 1);
            value->setFont(f);
        }
        y += row.bold ? 26 : 22;
    }
}

void TweedTab::buildButtons()
{
    const struct {
        const char* name;
        const char* caption;
    } buttons[] = {{"tCalcular", "CALCULATE"}, {"tLimpar", "NEW"}, {"tsalvar", "SAVE"},
                   {"tabrir", "OPEN"},        {"timprimir", "PRINT"}, {"tSair", "EXIT"}};
    int y = 60;
    for (const auto& spec : buttons) {
        auto* b = new QPushButton(QLatin1String(spec.caption), this);
        b->setObjectName(QLatin1String(spec.name));
        b->setGeometry(458, y, 140, 28);
        y += 32;
    }
    calculate_ = findChild<QPushButton*>(QStringLiteral("tCalcular"));
    newButton_ = findChild<QPushButton*>(QStringLiteral("tLimpar"));
    auto title = title_;
    connect(calculate_, &QPushButton::clicked, this, vel::guarded(messenger_, title, [this] { calculateClicked(); }));
    connect(newButton_, &QPushButton::clicked, this, vel::guarded(messenger_, title, [this] { newClicked(); }));
    connect(findChild<QPushButton*>(QStringLiteral("tsalvar")), &QPushButton::clicked, this,
            vel::guarded(messenger_, title, [this] { saveClicked(); }));
    connect(findChild<QPushButton*>(QStringLiteral("tabrir")), &QPushButton::clicked, this,
            vel::guarded(messenger_, title, [this] { openClicked(); }));
    connect(findChild<QPushButton*>(QStringLiteral("timprimir")), &QPushButton::clicked, this,
            vel::guarded(messenger_, title, [this] { printClicked(); }));
    connect(findChild<QPushButton*>(QStringLiteral("tSair")), &QPushButton::clicked, this, &TabPage::exitRequested);

    grade_ = new QLabel(this);
    grade_->setObjectName(QStringLiteral("idlabel"));
    grade_->setAlignment(Qt::AlignCenter);
    grade_->setWordWrap(true);
    QFont bold = grade_->font();
    bold.setBold(true);
    grade_->setFont(bold);
    grade_->setGeometry(456, y, 144, 42);
    setTextColour(grade_, toneColour(Tone::Red));
}

void TweedTab::buildHeadfilm()
{
    auto* group = new QGroupBox(QStringLiteral("Headfilm Discrepancy"), this);
    group->setObjectName(QStringLiteral("dc"));
    group->setGeometry(456, 298, 144, 150);
    addResult(group, "dcfmares", 18, false, 40);
    addResult(group, "dcfmiares", 38, false, 40);
    addResult(group, "dcimpares", 58, false, 40);
    addResult(group, "dcdcres", 78, false, 40);

    keepQuestion_ = new QLabel(QStringLiteral("Do you want to keep IMPA value?"), group);
    keepQuestion_->setObjectName(QStringLiteral("dcopc"));
    keepQuestion_->setWordWrap(true);
    keepQuestion_->setGeometry(6, 98, 134, 28);
    keep_ = new QRadioButton(QStringLiteral("Yes"), group);
    keep_->setObjectName(QStringLiteral("dcsim"));
    keep_->setGeometry(6, 126, 46, 20);
    replace_ = new QRadioButton(QStringLiteral("No"), group);
    replace_->setObjectName(QStringLiteral("dcnao"));
    replace_->setGeometry(52, 126, 40, 20);
    auto* replacement = new EntryField(QStringLiteral("dcopcres"),
                                       {KeyFilter::PositiveReal, Completion::Decimal, 5, warnings::positiveReal()},
                                       messenger_, title_, group);
    replacement->setEmptyMenu(emptyMenu_);
    replacement->setGeometry(92, 124, 46, 22);
    fields_.insert(QStringLiteral("dcopcres"), replacement);

    connect(replace_, &QRadioButton::toggled, this, [replacement](bool on) {
        if (on)
            replacement->show();
    });
    connect(keep_, &QRadioButton::toggled, this, [replacement](bool on) {
        if (on) {
            replacement->hide();
            replacement->clear();
        }
    });
}

void TweedTab::buildSpace()
{
    auto* group = new QGroupBox(QStringLiteral("Total Space Analysis"), this);
    group->setObjectName(QStringLiteral("esp"));
    group->setGeometry(4, 452, 596, 232);

    auto entry = [this](QWidget* box, const char* name, int y, Completion completion) {
        caption(box, tweedCaption(QLatin1String(name)), 6, y + 2, box->width() - 70);
        auto* f = new EntryField(QLatin1String(name), {KeyFilter::SignedReal, completion, 5, warnings::signedReal()},
                                 messenger_, title_, box);
        f->setEmptyMenu(emptyMenu_);
        f->setGeometry(box->width() - 64, y, 58, 21);
        fields_.insert(QLatin1String(name), f);
        spaceEntries_.append(f);
        return f;
    };

    auto* anterior = new QGroupBox(QStringLiteral("Anterior Area"), group);
    anterior->setObjectName(QStringLiteral("espant"));
    anterior->setGeometry(6, 16, 180, 170);
    entry(anterior, "anaer", 20, Completion::SignedDecimal);
    entry(anterior, "anaep", 44, Completion::SignedDecimal);
    addResult(anterior, "anadmres", 70);
    addResult(anterior, "anadcres", 92);
    addResult(anterior, "anamtmres", 114);
    addResult(anterior, "anantres", 142, true);

    auto* midarch = new QGroupBox(QStringLiteral("Midarch Area"), group);
    midarch->setObjectName(QStringLiteral("espmed"));
    midarch->setGeometry(190, 16, 200, 212);
    entry(midarch, "anmer", 20, Completion::SignedDecimal);
    entry(midarch, "anmep", 44, Completion::SignedDecimal);
    entry(midarch, "anmspee", 68, Completion::NegativeDecimal);
    classII_ = new QRadioButton(QStringLiteral("Class II"), midarch);
    classII_->setObjectName(QStringLiteral("anmcl2"));
    classII_->setGeometry(8, 92, 90, 22);
    classIII_ = new QRadioButton(QStringLiteral("Class III"), midarch);
    classIII_->setObjectName(QStringLiteral("anmcl3"));
    classIII_->setGeometry(100, 92, 94, 22);
    EntryField* correction = entry(midarch, "anmcorr", 116, Completion::SignedDecimal);
    correction->setLeaveCheck([this, correction] {
        const QString warning =
            molarCorrectionWarning(correction->text(), classII_->isChecked(), classIII_->isChecked());
        if (!warning.isEmpty())
            messenger_.warning(title_(), {warning});
    });
    addResult(midarch, "anmdmres", 142);
    addResult(midarch, "anmedres", 170, true);

    auto* posterior = new QGroupBox(QStringLiteral("Posterior Area"), group);
    posterior->setObjectName(QStringLiteral("esppos"));
    posterior->setGeometry(394, 16, 198, 170);
    entry(posterior, "anper", 20, Completion::SignedDecimal);
    entry(posterior, "anpep", 44, Completion::SignedDecimal);
    addResult(posterior, "anpdmres", 70);
    addResult(posterior, "anpcresres", 92);
    addResult(posterior, "anposres", 142, true);

    worksheetButton_ = new QPushButton(QStringLiteral("Total Space Analysis"), group);
    worksheetButton_->setObjectName(QStringLiteral("total"));
    worksheetButton_->setGeometry(6, 194, 180, 28);
    connect(worksheetButton_, &QPushButton::clicked, this, [this] {
        if (companions_)
            companions_->openWorksheet();
    });

    auto* totalBox = new QWidget(group);
    totalBox->setGeometry(394, 192, 198, 32);
    addResult(totalBox, "andiscres", 6, true, 52);
}

TweedInputs TweedTab::inputs() const
{
    TweedInputs in;
    in.patient = field("twPaciente")->text();
    in.age = field("Idade")->text();
    in.male = male_->isChecked();
    in.female = female_->isChecked();
    for (const TweedEntry& e : kTweedEntries)
        in.*e.input = field(e.control)->text();
    in.keepImpa = !replace_->isChecked();
    in.replacementImpa = field("dcopcres")->text();
    return in;
}

void TweedTab::showResults(const TweedResults& r)
{
    shown_ = r;
    for (const auto& [name, text] : tweedResultTexts(r)) {
        if (QLabel* l = results_.value(name))
            l->setText(text);
    }
    setTextColour(label("hornres"), toneColour(r.hornTone));
    setTextColour(label("idtotres"), toneColour(r.gradeTone));
    grade_->setText(r.idlabel);
    setTextColour(grade_, toneColour(r.gradeTone));
}

void TweedTab::clearResults()
{
    shown_ = TweedResults{};
    for (QLabel* l : std::as_const(results_))
        l->clear();
    grade_->clear();
}

void TweedTab::calculateClicked()
{
    if (calculate_->text() != kCalculate) {
        // SPACE TX GUIDANCE: the guide takes over the main window until it is left.
        window()->setEnabled(false);
        showCaution();
        if (companions_)
            companions_->openGuide();
        else
            window()->setEnabled(true);
        return;
    }

    const TweedInputs in = inputs();
    TweedOutcome out = runTweedCalculation(in);
    if (!out.calculated()) {
        refuse(out.check);
        return;
    }
    // Counted before anything is shown: a count that cannot be written stops the calculation.
    countUsage(folder_.stats(), UsageKind::Tweed);
    // A file's analysis was accepted when it was saved: it goes straight on.
    // The clinician's own shows the IMPA it will keep and asks about it.
    if (!opened_->isChecked())
        showReplacementImpa(out.results, in);
    showResults(out.results);
    diagnosis_->clear();
    if (opened_->isChecked()) {
        accept();
        return;
    }
    const Messenger::Answer answer =
        messenger_.ask(QStringLiteral("Confirm"), {QStringLiteral("               IMPA = ") + label("dcimpares")->text(),
                                                   QStringLiteral("Do you want to keep IMPA value?")});
    if (answer == Messenger::Answer::Yes) {
        newButton_->setText(kBack);
        accept();
    } else if (answer == Messenger::Answer::No) {
        keepQuestion_->show();
        keep_->show();
        replace_->show();
        replace_->setChecked(true);
        field("dcopcres")->clear();
    }
}

void TweedTab::refuse(const TweedCheck& check)
{
    messenger_.warning(title_(), {check.warning});
    if (check.failure == TweedCheck::Failure::ZeroAfh)
        field("twafa")->setFocus();
}

void TweedTab::showCaution()
{
    messenger_.information(
        title_(), {QStringLiteral("The generated diagnosis is nothing more than a suggestion. The professional"),
                   QStringLiteral("  must consider other factors before arriving at the final treatment plan!")});
}

void TweedTab::applyGuidance(const GuideAnswers& answers)
{
    diagnosis_->present(suggestDiagnosis(guidanceInputs(shown_), answers));
    guidanceAnswers_ = answers;
    calculate_->setEnabled(false);
}

QString TweedTab::patient() const
{
    return field("twPaciente")->text();
}

void TweedTab::setSpaceEntry(const QString& control, const QString& text)
{
    if (EntryField* f = fields_.value(control); f && spaceEntries_.contains(f))
        f->setText(text);
}

void TweedTab::accept()
{
    calculate_->setText(kGuidance);
    worksheetButton_->setEnabled(false);
    if (companions_)
        companions_->clearWorksheet();

    field("twPaciente")->setReadOnly(true);
    field("Idade")->setReadOnly(true);
    for (QRadioButton* b : {male_, female_})
        b->setEnabled(b->isChecked());
    for (QRadioButton* b : std::as_const(stages_))
        b->setEnabled(b->isChecked());

    for (EntryField* f : std::as_const(measurements_))
        f->setReadOnly(true);
    if (keep_->isChecked())
        replace_->setEnabled(false);
    else
        keep_->setEnabled(false);
    field("dcopcres")->setReadOnly(true);
    for (EntryField* f : std::as_const(spaceEntries_))
        f->setReadOnly(true);
    partial_->setChecked(true);
}

void TweedTab::newClicked()
{
    const bool full = newButton_->text() == kNew;
    reset(full);
    if (!full)
        newButton_->setText(kNew);
}

void TweedTab::reset(bool full)
{
    if (full) {
        field("twPaciente")->clear();
        field("Idade")->clear();
        deselect(male_);
        deselect(female_);
        for (EntryField* f : std::as_const(measurements_))
            f->clear();
        for (EntryField* f : std::as_const(spaceEntries_))
            f->clear();
        deselect(classII_);
        deselect(classIII_);
    }
    clearResults();
    keep_->setChecked(true);
    keepQuestion_->hide();
    keep_->hide();
    replace_->hide();
    field("dcopcres")->hide();
    calculate_->setText(kCalculate);
    calculate_->setEnabled(true);
    worksheetButton_->setEnabled(true);
    diagnosis_->clear();

    for (EntryField* f : std::as_const(fields_))
        f->setReadOnly(false);
    for (QRadioButton* b : {male_, female_, keep_, replace_})
        b->setEnabled(true);
    for (QRadioButton* b : std::as_const(stages_))
        b->setEnabled(true);

    partial_->setChecked(false);
    complete_->setChecked(false);
    opened_->setChecked(false);
    stages_.constFirst()->setChecked(true);
    if (full && companions_) {
        companions_->clearWorksheet();
        companions_->resetGuide();
    }
}

ControlTexts TweedTab::controlTexts() const
{
    ControlTexts c;
    for (auto it = fields_.cbegin(); it != fields_.cend(); ++it)
        c.insert(it.key(), it.value()->text());
    for (auto it = results_.cbegin(); it != results_.cend(); ++it)
        c.insert(it.key(), it.value()->text());
    c.insert(QStringLiteral("idlabel"), grade_->text());
    c.insert(QStringLiteral("gender"), male_->isChecked() ? QStringLiteral("Male")
                                                          : female_->isChecked() ? QStringLiteral("Female") : QString());
    c.insert(QStringLiteral("stage"), stageWord(stage()));
    c.insert(QStringLiteral("impaOption"), replace_->isChecked() ? QStringLiteral("No") : QStringLiteral("Yes"));
    // The panel: a caption or "or" that is hidden reads as empty.
    for (QLabel* l : diagnosis_->findChildren<QLabel*>()) {
        if (!l->objectName().isEmpty())
            c.insert(l->objectName(), l->isHidden() ? QString() : crText(l));
    }
    return c;
}

void TweedTab::printClicked()
{
    if (grade_->text().isEmpty()) {
        messenger_.warning(title_(), {QStringLiteral("The analysis is not complete!")});
        return;
    }
    if (!reports_)
        return;
    int lastPage = 1;
    for (const auto& [name, value] : tweedReportParameters(controlTexts(), lastPage))
        reports_->setParameter(name, value);
    reports_->setLastPage(lastPage);
    reports_->print(QStringLiteral("report1"), title_(), field("twPaciente")->text());
}

Stage TweedTab::stage() const
{
    const Stage stages[] = {Stage::PreTx, Stage::Progress, Stage::Final, Stage::PostTx};
    for (int i = 0; i < 4; ++i) {
        if (stages_[i]->isChecked())
            return stages[i];
    }
    return Stage::PreTx;
}

TweedRecord TweedTab::record() const
{
    TweedRecord r;
    r.guidance = diagnosis_->isFilled();
    r.patient = field("twPaciente")->text();
    r.age = field("Idade")->text();
    r.male = male_->isChecked();
    for (int i = 0; i < 20; ++i)
        r.entries[i] = field(kTweedEntries[i].control)->text();
    r.replaceImpa = replace_->isChecked();
    r.replacementImpa = field("dcopcres")->text();
    // With the guidance done, the file keeps the answers behind the diagnosis
    // shown, not whatever the guide holds by now.
    if (r.guidance)
        r.answers = guidanceAnswers_;
    else if (companions_)
        r.answers = companions_->guideAnswers();
    return r;
}

void TweedTab::saveClicked()
{
    TweedSaveState state;
    state.graded = !grade_->text().isEmpty();
    TweedRecord r;
    QString path;
    if (state.graded) {
        r = record();
        path = patientFilePath(folder_, r.patient, stageSuffix(stage()));
        state.fileExists = QFileInfo::exists(path);
        state.savedComplete = complete_->isChecked();
        state.savedPartial = partial_->isChecked();
        state.withGuidance = r.guidance;
    }
    const TweedSave plan = decideTweedSave(state);
    switch (plan.action) {
    case TweedSave::Action::Nothing:
        return;
    case TweedSave::Action::Refuse:
        if (plan.warning)
            messenger_.warning(title_(), {plan.message});
        else
            messenger_.error(title_(), {plan.message});
        return;
    case TweedSave::Action::Create:
        createNewFile(path, r.toBytes());
        break;
    case TweedSave::Action::Replace:
        // Written aside and renamed over the old file: a failure keeps the old one.
        replaceFile(path, r.toBytes());
        break;
    }
    // The flags claim a saved analysis only once the file is really there.
    partial_->setChecked(true);
    if (plan.complete)
        complete_->setChecked(true);
    messenger_.information(title_(), {plan.message});
}

void TweedTab::restore(const TweedRecord& r)
{
    field("twPaciente")->setText(r.patient);
    field("Idade")->setText(r.age);
    (r.male ? male_ : female_)->setChecked(true);
    for (int i = 0; i < 20; ++i)
        field(kTweedEntries[i].control)->setText(r.entries[i]);
    EntryField* replacement = field("dcopcres");
    if (r.replaceImpa) {
        replace_->setChecked(true);
        replacement->hide();
        replacement->setText(r.replacementImpa);
    } else {
        keep_->setChecked(true);
    }
    if (r.guidance && companions_)
        companions_->setGuideAnswers(r.answers);
}

void TweedTab::openClicked()
{
    // Whatever happens, the guide starts empty afterwards.
    struct GuideReset {
        TweedCompanions* companions;
        ~GuideReset()
        {
            if (companions)
                companions->resetGuide();
        }
    } guideReset{companions_};

    const QString path = messenger_.whileModal([this] {
        return desktop_.chooseFile(folder_.analyses(), QStringLiteral("Tweed Analysis file (*.twe)"),
                                   QStringLiteral("*.twe"));
    });
    if (!path.contains(QLatin1String(".twe")))
        return;
    const QString fileName = QFileInfo(path).fileName();
    // Refused only for this very analysis: its own file, while it is accepted.
    const QString patient = field("twPaciente")->text();
    if (!patient.isEmpty() && calculate_->text() != kCalculate && fileName == patient + stageSuffix(stage())) {
        messenger_.error(title_(), {QStringLiteral("The file is already open!")});
        return;
    }
    // Read and check the file before anything on the tab changes, and the
    // count file too, read and written back: the calculation that follows
    // counts, and a count that failed there (a full disk) would leave the
    // tab half replaced.
    const TweedRecord r = readTweedFile(path);
    checkUsageCanBeCounted(folder_.stats());

    newClicked();
    opened_->setChecked(true);
    if (companions_)
        companions_->resetGuide();
    const Stage stages[] = {Stage::PreTx, Stage::Progress, Stage::Final, Stage::PostTx};
    const Stage fromName = stageFromFileName(fileName);
    for (int i = 0; i < 4; ++i) {
        if (stages[i] == fromName)
            stages_[i]->setChecked(true);
    }
    partial_->setChecked(true);
    restore(r);
    const OpenedTweed o = openTweedRecord(r);
    if (!o.outcome.calculated()) {
        refuse(o.outcome.check);
        label("dcimpares")->setText(o.outcome.results.dcimpares);
        return;
    }
    countUsage(folder_.stats(), UsageKind::Tweed);
    showResults(o.outcome.results);
    diagnosis_->clear();
    accept();

    if (o.runsGuidance) {
        complete_->setChecked(true);
        // SPACE TX GUIDANCE on the restored answers: the caution as ever, but
        // the guide has nothing to ask, so it does not come up for a moment.
        window()->setEnabled(false);
        showCaution();
        if (companions_)
            companions_->runGuidance();
        else
            window()->setEnabled(true);
    }
}

}  // namespace vel
