#include "bolton/boltontab.h"

#include "common/usagestats.h"
#include "bolton/boltonanalysis.h"
#include "bolton/boltonfile.h"
#include "common/actionguard.h"
#include "common/desktop.h"
#include "common/fileio.h"
#include "common/messenger.h"
#include "common/patientfiles.h"
#include "common/textconv.h"
#include "entry/controls.h"
#include "entry/crlabel.h"
#include "entry/entryfield.h"
#include "report/reportengine.h"
#include "bolton/boltonreport.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include <tuple>

namespace vel {

namespace {

const QString kNew = QStringLiteral("NEW");
const QString kBack = QStringLiteral("BACK");
const QString kSuffix = QStringLiteral(".bol");

constexpr int kFieldWidth = 40;
// Columns 43 apart leave the four sums room for three digits right of the rows.
constexpr int kPitch = 43;
constexpr int kFirstTooth = 160;
constexpr int kMaxillaRow = 40;
constexpr int kMandibleRow = 68;

QString widthName(char arch, int i) { return QStringLiteral("%1%2").arg(QLatin1Char(arch)).arg(i + 1, 2, 10, QLatin1Char('0')); }

QLabel* plain(QWidget* parent, const QString& text, const QRect& geometry, Qt::Alignment align = Qt::AlignLeft)
{
    auto* l = new QLabel(text, parent);
    l->setGeometry(geometry);
    l->setAlignment(align | Qt::AlignVCenter);
    return l;
}

QFrame* rule(QWidget* parent, const char* name, const QRect& geometry)
{
    auto* line = new QFrame(parent);
    if (name)
        line->setObjectName(QLatin1String(name));
    line->setGeometry(geometry);
    makeSolid(line);
    return line;
}

}  // namespace

BoltonTab::BoltonTab(const TabServices& services, QWidget* parent)
    : TabPage(services, parent)
{
    setObjectName(QStringLiteral("TabSheet2"));
    offerFileOperations(this, NewRuns::Twice);

    plain(this, QStringLiteral("Patient"), {8, 10, 48, 24});
    auto* patient = new EntryField(QStringLiteral("bpaciente"),
                                   {KeyFilter::Name, Completion::None, 0, warnings::nameMild()}, messenger_, title_, this);
    patient->setEmptyMenu(emptyMenu_);
    patient->setGeometry(58, 10, 300, 24);
    fields_.insert(patient->objectName(), patient);
    widths_.append(patient);

    auto* frame = new QGroupBox(QStringLiteral("Tooth Size Discrepancy"), this);
    frame->setGeometry(4, 42, 972, 248);
    buildRows(frame);
    buildRatioBlock(frame, 8, QStringLiteral("12"), "cinf12res", "csup12res", "x10012res", "busca12", "busca12res",
                    "infobusca12res", "tab12res", "res12", "res12info");
    buildRatioBlock(frame, 490, QStringLiteral("06"), "cinf6res", "csup6res", "x1006res", "busca6", "busca6res",
                    "infobusca6res", "tab6res", "res6", "res6info");
    buildDiagnosis();
    buildButtons();

    opened_ = new QCheckBox(this);
    opened_->setObjectName(QStringLiteral("abrirb"));
    opened_->hide();

    QList<QWidget*> order{patient};
    for (EntryField* f : std::as_const(widths_).mid(1))
        order << f;
    for (EntryField* f : std::as_const(transfer_))
        order << f;
    for (const char* name : {"bCalcular", "blimpar", "bsalvar", "babrir", "bimprimir", "bsair"})
        order << findChild<QPushButton*>(QLatin1String(name));
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    clearResults();
}

QLabel* BoltonTab::resultLabel(QWidget* parent, const char* name, const QRect& geometry, bool centred)
{
    auto* l = new QLabel(parent);
    l->setObjectName(QLatin1String(name));
    l->setGeometry(geometry);
    l->setAlignment((centred ? Qt::AlignHCenter : Qt::AlignRight) | Qt::AlignVCenter);
    setTextColour(l, QColor(0, 0, 255));
    results_.insert(QLatin1String(name), l);
    return l;
}

void BoltonTab::buildRows(QWidget* frame)
{
    // Tooth numbers over the columns, molars outside the twelve.
    const QStringList teeth{QStringLiteral("8"), QStringLiteral("7"), QStringLiteral("6"), QStringLiteral("5"),
                            QStringLiteral("4"), QStringLiteral("3"), QStringLiteral("2"), QStringLiteral("1"),
                            QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"),
                            QStringLiteral("5"), QStringLiteral("6"), QStringLiteral("7"), QStringLiteral("8")};
    for (int c = 0; c < teeth.size(); ++c) {
        auto* l = plain(frame, teeth[c], {kFirstTooth - 2 * kPitch + c * kPitch, 20, kFieldWidth, 16}, Qt::AlignHCenter);
        setTextColour(l, QColor(96, 96, 96));
    }
    plain(frame, QStringLiteral("Maxilla"), {8, kMaxillaRow, 64, 22});
    plain(frame, QStringLiteral("Mandible"), {8, kMandibleRow, 64, 22});

    const FieldRule widthRule{KeyFilter::PositiveReal, Completion::Decimal, 4, warnings::positiveReal()};
    for (const char arch : {'s', 'i'}) {
        for (int i = 0; i < 12; ++i) {
            auto* f = new EntryField(widthName(arch, i), widthRule, messenger_, title_, frame);
            f->setEmptyMenu(emptyMenu_);
            f->setGeometry(kFirstTooth + i * kPitch, arch == 's' ? kMaxillaRow : kMandibleRow, kFieldWidth, 22);
            fields_.insert(f->objectName(), f);
            widths_.append(f);
        }
    }

    // The transfer area keeps the platform's edit menu and has no typing limit.
    const FieldRule transferRule{KeyFilter::PositiveReal, Completion::Decimal, 0, warnings::positiveReal(), false};
    const std::pair<const char*, int> transfer[] = {
        {"termole", kFirstTooth - 2 * kPitch}, {"segmole", kFirstTooth - kPitch},
        {"segmold", kFirstTooth + 12 * kPitch}, {"termold", kFirstTooth + 13 * kPitch}};
    for (const auto& [name, x] : transfer) {
        auto* f = new EntryField(QLatin1String(name), transferRule, messenger_, title_, frame);
        f->setGeometry(x, kMandibleRow, kFieldWidth, 22);
        f->setToolTip(QStringLiteral("Transfer Area to Total Space Analysis"));
        QPalette pal = f->palette();
        pal.setColor(QPalette::Base, QColor(192, 192, 192));
        f->setPalette(pal);
        fields_.insert(f->objectName(), f);
        transfer_.append(f);
    }

    // Each sum is wide enough for three digits ("114.0") and keeps clear of
    // its caption; the second pair starts clear of the first sum.
    const int x = kFirstTooth + 14 * kPitch + 6;
    const std::tuple<const char*, const char*, int, int> sums[] = {
        {"Max 12 :", "sup12res", 0, kMaxillaRow},   {"Max 06 :", "sup6res", 106, kMaxillaRow},
        {"Mnd 12 :", "inf12res", 0, kMandibleRow},  {"Mnd 06 :", "inf6res", 106, kMandibleRow},
    };
    for (const auto& [caption, name, offset, y] : sums) {
        plain(frame, QLatin1String(caption), {x + offset, y, 52, 22});
        resultLabel(frame, name, {x + offset + 58, y, 36, 22});
    }
}

void BoltonTab::buildRatioBlock(QWidget* frame, int x, const QString& digits, const char* cinf, const char* csup,
                                const char* ratio, const char* busca, const char* buscaRes, const char* infoBusca,
                                const char* tab, const char* res, const char* resInfo)
{
    QFont bold = font();
    bold.setBold(true);
    // The fraction: mandible over maxilla, with a rule between.
    plain(frame, QStringLiteral("Mnd ") + digits + QStringLiteral(" :"), {x, 108, 60, 20});
    resultLabel(frame, cinf, {x + 62, 108, 56, 20}, true);
    QFrame* line = rule(frame, nullptr, {x + 62, 130, 56, 1});
    (digits == QLatin1String("12") ? rule12_ : rule6_) = line;
    plain(frame, QStringLiteral("Max ") + digits + QStringLiteral(" :"), {x, 132, 60, 20});
    resultLabel(frame, csup, {x + 62, 132, 56, 20}, true);
    plain(frame, QStringLiteral("x 100 ="), {x + 126, 120, 56, 20});
    resultLabel(frame, ratio, {x + 180, 120, 80, 20})->setFont(bold);

    // The search line: sum of the arch in excess - ideal from the table = excess.
    resultLabel(frame, busca, {x, 176, 64, 20})->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setTextColour(results_.value(QLatin1String(busca)), Qt::black);
    resultLabel(frame, buscaRes, {x + 66, 176, 50, 20}, true);
    auto* info = resultLabel(frame, infoBusca, {x + 66, 196, 50, 18}, true);
    setTextColour(info, Qt::black);
    plain(frame, QStringLiteral("-"), {x + 120, 176, 12, 20}, Qt::AlignHCenter);
    resultLabel(frame, tab, {x + 134, 176, 50, 20}, true);
    plain(frame, QStringLiteral("Tab"), {x + 134, 196, 50, 18}, Qt::AlignHCenter);
    plain(frame, QStringLiteral("="), {x + 188, 176, 12, 20}, Qt::AlignHCenter);
    QLabel* excess = resultLabel(frame, res, {x + 202, 176, 50, 20}, true);
    excess->setFont(bold);
    setTextColour(excess, QColor(255, 0, 0));
    setTextColour(resultLabel(frame, resInfo, {x + 196, 196, 62, 18}, true), Qt::black);
    plain(frame, QStringLiteral("mm"), {x + 256, 176, 30, 20});
}

void BoltonTab::buildDiagnosis()
{
    auto* group = new QGroupBox(QStringLiteral("Diagnosis"), this);
    group->setGeometry(4, 296, 484, 200);
    QFont bold = font();
    bold.setBold(true);
    const struct {
        const char* info;
        const char* diag;
        const char* shape;
        int x;
    } columns[] = {{"diag12info", "diag12", "Shape19", 8}, {"diag6info", "diag6", "Shape20", 246}};
    for (const auto& c : columns) {
        QLabel* info = resultLabel(group, c.info, {c.x, 24, 230, 58}, true);
        info->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        setTextColour(info, Qt::black);
        // The rule under the tooth notation, the third line of the caption.
        QFrame* line = rule(group, c.shape, {c.x + 55, 24 + 3 * info->fontMetrics().height() + 1, 120, 1});
        line->hide();
        QLabel* diag = resultLabel(group, c.diag, {c.x, 100, 230, 56}, true);
        diag->setFont(bold);
        diag->setWordWrap(true);
    }

    const QFont memoFont = [this] {
        QFont f = font();
        f.setPointSizeF(f.pointSizeF() - 1);
        return f;
    }();
    const std::pair<const char*, QString> memos[] = {{"Memo12", overallTableText()}, {"Memo6", anteriorTableText()}};
    int x = 492;
    for (const auto& [name, text] : memos) {
        auto* memo = new QPlainTextEdit(text, this);
        memo->setObjectName(QLatin1String(name));
        memo->setReadOnly(true);
        memo->setFocusPolicy(Qt::NoFocus);
        memo->setFrameShape(QFrame::NoFrame);
        memo->setFont(memoFont);
        // One tab stop per column, as wide as the widest entry ("100,4", "40,0--").
        memo->setTabStopDistance(QFontMetricsF(memoFont).horizontalAdvance(QStringLiteral("0000,0")));
        memo->setLineWrapMode(QPlainTextEdit::NoWrap);
        memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        memo->setContextMenuPolicy(Qt::PreventContextMenu);
        memo->setGeometry(x, 296, 240, 388);
        x += 244;
    }
}

void BoltonTab::buildButtons()
{
    const struct {
        const char* name;
        const char* caption;
    } buttons[] = {{"bCalcular", "CALCULATE"}, {"blimpar", "NEW"},    {"bsalvar", "SAVE"},
                   {"babrir", "OPEN"},         {"bimprimir", "PRINT"}, {"bsair", "EXIT"}};
    for (int i = 0; i < 6; ++i) {
        auto* b = new QPushButton(QLatin1String(buttons[i].caption), this);
        b->setObjectName(QLatin1String(buttons[i].name));
        b->setGeometry(14 + (i % 3) * 158, 512 + (i / 3) * 40, 148, 32);
    }
    calculate_ = findChild<QPushButton*>(QStringLiteral("bCalcular"));
    newButton_ = findChild<QPushButton*>(QStringLiteral("blimpar"));
    const auto title = title_;
    connect(calculate_, &QPushButton::clicked, this, guarded(messenger_, title, [this] { calculateClicked(); }));
    connect(newButton_, &QPushButton::clicked, this, guarded(messenger_, title, [this] { newClicked(); }));
    connect(findChild<QPushButton*>(QStringLiteral("bsalvar")), &QPushButton::clicked, this,
            guarded(messenger_, title, [this] { saveClicked(); }));
    connect(findChild<QPushButton*>(QStringLiteral("babrir")), &QPushButton::clicked, this,
            guarded(messenger_, title, [this] { openClicked(); }));
    connect(findChild<QPushButton*>(QStringLiteral("bimprimir")), &QPushButton::clicked, this,
            guarded(messenger_, title, [this] { printClicked(); }));
    connect(findChild<QPushButton*>(QStringLiteral("bsair")), &QPushButton::clicked, this, &TabPage::exitRequested);
}

BoltonInputs BoltonTab::inputs() const
{
    BoltonInputs in;
    in.patient = field(QStringLiteral("bpaciente"))->text();
    for (int i = 0; i < 12; ++i) {
        in.maxilla[i] = field(widthName('s', i))->text();
        in.mandible[i] = field(widthName('i', i))->text();
    }
    return in;
}

void BoltonTab::showResults(const BoltonResults& r)
{
    for (const auto& [name, text] : boltonResultTexts(r))
        setCrText(results_.value(name), text);
    findChild<QFrame*>(QStringLiteral("Shape19"))->show();
    findChild<QFrame*>(QStringLiteral("Shape20"))->show();
    rule12_->show();
    rule6_->show();
}

void BoltonTab::clearResults()
{
    for (QLabel* l : std::as_const(results_))
        setCrText(l, QString());
    findChild<QFrame*>(QStringLiteral("Shape19"))->hide();
    findChild<QFrame*>(QStringLiteral("Shape20"))->hide();
    rule12_->hide();
    rule6_->hide();
}

void BoltonTab::setLocked(bool widths, bool transfer)
{
    for (EntryField* f : std::as_const(widths_))
        f->setReadOnly(widths);
    for (EntryField* f : std::as_const(transfer_))
        f->setReadOnly(transfer);
}

void BoltonTab::calculateClicked()
{
    const BoltonInputs in = inputs();
    const QString warning = checkBoltonInputs(in);
    if (!warning.isEmpty()) {
        messenger_.warning(title_(), {warning});
        return;
    }

    bool lockTransfer = false;
    double transferSum = 0;
    bool transferFilled = true;
    for (EntryField* f : std::as_const(transfer_)) {
        transferFilled = transferFilled && !f->text().isEmpty();
        transferSum += textToReal(f->text());
    }
    if (!(transferFilled && transferSum != 0) && !opened_->isChecked()) {
        const auto answer = messenger_.ask(
            QStringLiteral("Confirm"),
            {QStringLiteral("Second and third mandibular molars' dimensions are not necessary for Bolton Analysis, "
                            "but must be filled in if you intend to import it to Tweed Analysis. Would you like to "
                            "proceed?")});
        if (answer != Messenger::Answer::Yes)
            return;
        lockTransfer = true;
    }

    // The tables first: if they cannot be read, nothing is counted or shown.
    const BoltonTables tables = loadBoltonTables(folder_.boltonTables());
    countUsage(folder_.stats(), UsageKind::Bolton);
    showResults(calculateBolton(in, tables));

    setLocked(true, lockTransfer);
    calculate_->setEnabled(false);
    if (!opened_->isChecked())
        newButton_->setText(kBack);
}

void BoltonTab::newClicked()
{
    clearResults();
    if (newButton_->text() == kNew) {
        for (EntryField* f : std::as_const(widths_))
            f->clear();
        for (EntryField* f : std::as_const(transfer_))
            f->clear();
        opened_->setChecked(false);
    } else {
        newButton_->setText(kNew);
    }
    setLocked(false, false);
    calculate_->setEnabled(true);
}

BoltonRecord BoltonTab::record() const
{
    BoltonRecord r;
    const BoltonInputs in = inputs();
    r.patient = in.patient;
    r.maxilla = in.maxilla;
    r.mandible = in.mandible;
    r.thirdMolarLeft = field(QStringLiteral("termole"))->text();
    r.thirdMolarRight = field(QStringLiteral("termold"))->text();
    r.secondMolarLeft = field(QStringLiteral("segmole"))->text();
    r.secondMolarRight = field(QStringLiteral("segmold"))->text();
    return r;
}

void BoltonTab::load(const BoltonRecord& r)
{
    field(QStringLiteral("bpaciente"))->setText(r.patient);
    for (int i = 0; i < 12; ++i) {
        field(widthName('s', i))->setText(r.maxilla[i]);
        field(widthName('i', i))->setText(r.mandible[i]);
    }
    field(QStringLiteral("termole"))->setText(r.thirdMolarLeft);
    field(QStringLiteral("termold"))->setText(r.thirdMolarRight);
    field(QStringLiteral("segmole"))->setText(r.secondMolarLeft);
    field(QStringLiteral("segmold"))->setText(r.secondMolarRight);
}

void BoltonTab::saveClicked()
{
    if (crText(results_.value(QStringLiteral("diag12"))).isEmpty()) {
        messenger_.warning(title_(), {QStringLiteral("The analysis is not complete!")});
        return;
    }
    const QByteArray bytes = record().toBytes();
    const QString patient = field(QStringLiteral("bpaciente"))->text();
    if (patient.isEmpty()) {
        messenger_.warning(title_(), {QStringLiteral("Patient`s name must be filled in!")});
        return;
    }
    const QString path = patientFilePath(folder_, patient, kSuffix);
    if (QFileInfo::exists(path)) {
        messenger_.error(title_(), {QStringLiteral("This patient already has an Analysis saved!")});
        return;
    }
    createNewFile(path, bytes);
    messenger_.information(title_(), {QStringLiteral("Analysis successfully saved!")});
}

void BoltonTab::openClicked()
{
    const QString path = messenger_.whileModal([this] {
        return desktop_.chooseFile(folder_.analyses(), QStringLiteral("Bolton Analysis file (*.bol)"),
                                   QStringLiteral("*.bol"));
    });
    if (!path.contains(kSuffix))
        return;
    // Refused only for the file of the patient on screen, not for every path
    // that happens to contain the name.
    const QString patient = field(QStringLiteral("bpaciente"))->text();
    if (!patient.isEmpty() && QFileInfo(path).fileName() == patient + kSuffix) {
        messenger_.error(title_(), {QStringLiteral("The file is already open!")});
        return;
    }
    // Read and check the file before the tab is touched: a bad file leaves
    // what is on screen as it was. So does a table or count file that the
    // calculation that follows could not read, or a count it could not write.
    const BoltonRecord r = readBoltonFile(path);
    loadBoltonTables(folder_.boltonTables());
    checkUsageCanBeCounted(folder_.stats());
    newClicked();
    load(r);
    opened_->setChecked(true);
    calculateClicked();
}

QMap<QString, QString> BoltonTab::controlTexts() const
{
    QMap<QString, QString> c;
    for (auto it = fields_.cbegin(); it != fields_.cend(); ++it)
        c.insert(it.key(), it.value()->text());
    for (auto it = results_.cbegin(); it != results_.cend(); ++it)
        c.insert(it.key(), crText(it.value()));
    return c;
}

void BoltonTab::printClicked()
{
    if (crText(results_.value(QStringLiteral("diag12info"))).isEmpty()) {
        messenger_.warning(title_(), {QStringLiteral("The analysis is not complete!")});
        return;
    }
    if (!reports_)
        return;
    for (const auto& [name, value] : boltonReportParameters(controlTexts()))
        reports_->setParameter(name, value);
    reports_->setLastPage(1);
    reports_->print(QStringLiteral("report2"), title_(), field(QStringLiteral("bpaciente"))->text());
}

QString BoltonTab::transferPatient() const
{
    return field(QStringLiteral("bpaciente"))->text();
}

QString BoltonTab::transferWidth(const QString& name) const
{
    const EntryField* f = field(name);
    return f ? f->text() : QString();
}

bool BoltonTab::showsCalculation() const
{
    // Asked of the tab itself: the main window is disabled meanwhile.
    return !calculate_->isEnabledTo(this);
}

}  // namespace vel
