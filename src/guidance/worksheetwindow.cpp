#include "guidance/worksheetwindow.h"

#include "bolton/boltontransfer.h"
#include "common/actionguard.h"
#include "common/messenger.h"
#include "common/textconv.h"
#include "entry/entryfield.h"
#include "guidance/guidancetarget.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace vel {

namespace {

const QString kTitle = QStringLiteral("Total Space Analysis");

enum class Area { Posterior, Midarch, Anterior };

// The sixteen lower teeth, third molar to third molar, and where IMPORT
// takes each width from on the Bolton tab.
struct Tooth {
    Area area;
    const char* boltonSource;
};

constexpr Tooth kTeeth[16] = {
    {Area::Posterior, "termole"}, {Area::Posterior, "segmole"}, {Area::Midarch, "i01"},  {Area::Midarch, "i02"},
    {Area::Midarch, "i03"},       {Area::Anterior, "i04"},      {Area::Anterior, "i05"}, {Area::Anterior, "i06"},
    {Area::Anterior, "i07"},      {Area::Anterior, "i08"},      {Area::Anterior, "i09"}, {Area::Midarch, "i10"},
    {Area::Midarch, "i11"},       {Area::Midarch, "i12"},       {Area::Posterior, "segmold"}, {Area::Posterior, "termold"},
};

// The area groups left to right: first tooth, last tooth, available field.
struct Group {
    int first;
    int last;
    const char* available;
    const char* heading;
};

constexpr Group kGroups[5] = {
    {0, 1, "i01", "Posterior Area"}, {2, 4, "i03", "Midarch Area"},  {5, 10, "i06", "Anterior Area"},
    {11, 13, "i12", "Midarch Area"}, {14, 15, "i15", "Posterior Area"},
};

constexpr int kLeft = 112;
constexpr int kPitch = 42;
constexpr int kGap = 8;  // between neighbouring areas, where the dotted line runs
constexpr int kFieldWidth = 38;

QColor areaColour(Area area)
{
    switch (area) {
    case Area::Posterior: return QColor(255, 0, 0);
    case Area::Anterior: return QColor(0, 0, 255);
    case Area::Midarch: break;
    }
    return QColor(0, 0, 0);
}

int toothX(int i)
{
    int groupIndex = 0;
    while (i > kGroups[groupIndex].last)
        ++groupIndex;
    return kLeft + i * kPitch + groupIndex * kGap;
}

// Dotted vertical lines between the areas.
class Separators : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setPen(QPen(Qt::black, 1, Qt::DotLine));
        for (int g = 1; g < 5; ++g) {
            const int x = toothX(kGroups[g].first) - (kPitch - kFieldWidth + kGap) / 2;
            p.drawLine(x, 4, x, height() - 4);
        }
    }
};

}  // namespace

WorksheetWindow::WorksheetWindow(Messenger& messenger, QWidget* parent)
    : SecondaryWindow(QStringLiteral("TForm4"), kTitle, QSize(836, 189), parent), messenger_(messenger)
{
    auto* separators = new Separators(this);
    separators->setGeometry(0, 0, width(), 130);
    separators->lower();

    QFont bold = font();
    bold.setBold(true);
    for (const Group& g : kGroups) {
        const int x0 = toothX(g.first);
        const int x1 = toothX(g.last) + kFieldWidth;
        auto* heading = new QLabel(QLatin1String(g.heading), this);
        heading->setAlignment(Qt::AlignCenter);
        heading->setGeometry(x0 - 20, 10, x1 - x0 + 40, 18);
        QPalette pal = heading->palette();
        pal.setColor(QPalette::WindowText, areaColour(kTeeth[g.first].area));
        heading->setPalette(pal);
    }
    auto rowCaption = [this](const QString& text, int y) {
        auto* l = new QLabel(text, this);
        l->setGeometry(8, y, 102, 22);
    };
    rowCaption(QStringLiteral("Required Space"), 40);
    rowCaption(QStringLiteral("Available Space"), 86);

    const FieldRule rule{KeyFilter::PositiveReal, Completion::Decimal, 4, warnings::positiveRealWorksheet(), false};
    auto make = [&](const QString& name, Area area, int x, int y) {
        auto* f = new EntryField(name, rule, messenger_, [] { return kTitle; }, this);
        f->setGeometry(x, y, kFieldWidth, 22);
        QPalette pal = f->palette();
        pal.setColor(QPalette::Text, areaColour(area));
        f->setPalette(pal);
        return f;
    };
    for (int i = 0; i < 16; ++i)
        required_.append(make(QStringLiteral("s%1").arg(i + 1, 2, 10, QLatin1Char('0')), kTeeth[i].area, toothX(i), 40));
    for (const Group& g : kGroups) {
        const int centre = (toothX(g.first) + toothX(g.last) + kFieldWidth) / 2;
        available_.append(make(QLatin1String(g.available), kTeeth[g.first].area, centre - kFieldWidth / 2, 86));
    }

    const struct {
        const char* name;
        const char* caption;
    } buttons[] = {{"Button4", "IMPORT"}, {"Button1", "CANCEL"}, {"Button3", "NEW"}, {"Button2", "SAVE"}};
    for (int i = 0; i < 4; ++i) {
        auto* b = new QPushButton(QLatin1String(buttons[i].caption), this);
        b->setObjectName(QLatin1String(buttons[i].name));
        b->setFont(bold);
        b->setGeometry(200 + i * 112, 140, 100, 32);
    }
    import_ = findChild<QPushButton*>(QStringLiteral("Button4"));
    const auto title = [] { return kTitle; };
    connect(import_, &QPushButton::clicked, this, guarded(messenger_, title, [this] { importClicked(); }));
    connect(findChild<QPushButton*>(QStringLiteral("Button1")), &QPushButton::clicked, this, [this] { leave(); });
    connect(findChild<QPushButton*>(QStringLiteral("Button3")), &QPushButton::clicked, this, [this] { newClicked(); });
    connect(findChild<QPushButton*>(QStringLiteral("Button2")), &QPushButton::clicked, this,
            guarded(messenger_, title, [this] { saveClicked(); }));

    QList<QWidget*> order;
    for (EntryField* f : std::as_const(required_))
        order << f;
    for (EntryField* f : std::as_const(available_))
        order << f;
    for (const char* name : {"Button2", "Button3", "Button1", "Button4"})
        order << findChild<QPushButton*>(QLatin1String(name));
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void WorksheetWindow::setSources(GuidanceTarget* target, const BoltonTransfer* bolton)
{
    target_ = target;
    bolton_ = bolton;
}

EntryField* WorksheetWindow::field(const QString& name) const
{
    return findChild<EntryField*>(name);
}

void WorksheetWindow::newClicked()
{
    for (EntryField* f : std::as_const(required_))
        f->clear();
    for (EntryField* f : std::as_const(available_))
        f->clear();
    import_->setEnabled(true);
}

void WorksheetWindow::saveClicked()
{
    auto v = [this](const char* name) { return textToReal(field(QLatin1String(name))->text()); };
    auto sum = [&](std::initializer_list<const char*> names) {
        double total = 0;
        for (const char* n : names)
            total += v(n);
        return realToText(total, 0, 1);
    };
    if (target_) {
        const std::pair<const char*, QString> sums[] = {
            {"anaer", sum({"s06", "s07", "s08", "s09", "s10", "s11"})},
            {"anaep", sum({"i06"})},
            {"anmer", sum({"s03", "s04", "s05", "s12", "s13", "s14"})},
            {"anmep", sum({"i03", "i12"})},
            {"anper", sum({"s01", "s02", "s15", "s16"})},
            {"anpep", sum({"i01", "i15"})},
        };
        for (const auto& [name, text] : sums)
            target_->setSpaceEntry(QLatin1String(name), text);
    }
    leave();
}

void WorksheetWindow::importClicked()
{
    if (!bolton_ || !target_)
        return;
    for (const char* name : {"termole", "segmole", "segmold", "termold"}) {
        if (bolton_->transferWidth(QLatin1String(name)).isEmpty()) {
            messenger_.warning(QStringLiteral("Import"), {QStringLiteral("Bolton Analysis must be complete before import!")});
            // A Bolton analysis already calculated without them cannot supply them.
            if (bolton_->showsCalculation())
                import_->setEnabled(false);
            return;
        }
    }
    if (target_->patient() != bolton_->transferPatient()) {
        const auto answer = messenger_.ask(
            QStringLiteral("Confirm"),
            {QStringLiteral("Patient`s name in Bolton Analysis is different than in Tweed Analysis. Do you still want to proceed?")});
        if (answer != Messenger::Answer::Yes)
            return;
    }
    for (int i = 0; i < 16; ++i)
        required_[i]->setText(bolton_->transferWidth(QLatin1String(kTeeth[i].boltonSource)));
}

}  // namespace vel
