#include "guidance/guidewindow.h"

#include "common/usagestats.h"
#include "common/actionguard.h"
#include "common/messenger.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

namespace vel {

namespace {

const QString kTitle = QStringLiteral("Diagnostic Guide");
const QString kModerate = QStringLiteral("Moderate");

// A box that is hidden is never checked.
void offer(QCheckBox* box, bool shown)
{
    if (!shown)
        box->setChecked(false);
    box->setVisible(shown);
}

}  // namespace

GuideWindow::GuideWindow(WorkingFolder folder, Messenger& messenger, QWidget* parent)
    : SecondaryWindow(QStringLiteral("TForm3"), kTitle, QSize(436, 558), parent),
      folder_(std::move(folder)),
      messenger_(messenger)
{
    auto* group = new QGroupBox(QStringLiteral("Answer the questions below to complement the Diagnostic:"), this);
    group->setGeometry(8, 8, 420, 490);
    group_ = group;
    QFont bold = font();
    bold.setBold(true);
    auto heading = [group, &bold](const char* text, int y) {
        auto* l = new QLabel(QLatin1String(text), group);
        l->setFont(bold);
        l->setGeometry(10, y, 400, 18);
    };

    heading("A - Anterior Discrepancy:", 26);
    addBox("daapinh", "Crowding", 20, 46, true);
    addBox("menor", "Less than 3mm", 150, 46, false);
    addBox("maior", "More than 3mm", 280, 46, false);

    heading("B - Midarch Discrepancy:", 76);
    addBox("dmapinh", "Crowding", 20, 96, true);
    addBox("dmrel", "Molars Class II Relation", 20, 116, true);
    addBox("dmpro", "Maxillary Incisors Protrusion", 20, 136, true);

    heading("C - Posterior Discrepancy:", 166);
    addBox("dpadq", "Third Molars in APPROPRIATE position", 20, 186, true);
    addBox("dpinadeq", "Third Molars in INAPPROPRIATE position", 20, 206, true);

    heading("D - Skeletal Disharmony:", 236);
    auto* question = new QLabel(QStringLiteral("Is Skeletal Disharmony present?"), group);
    question->setGeometry(20, 256, 200, 20);
    yes_ = new QRadioButton(QStringLiteral("Yes"), group);
    yes_->setObjectName(QStringLiteral("clsim"));
    yes_->setGeometry(230, 256, 56, 20);
    no_ = new QRadioButton(QStringLiteral("No"), group);
    no_->setObjectName(QStringLiteral("clnao"));
    no_->setGeometry(290, 256, 56, 20);

    addBox("horcl2", "Horizontal - Class II", 20, 286, false);
    addBox("direita", "Right Subdivision", 220, 286, false);
    addBox("esquerda", "Left Subdivision", 220, 306, false);
    addBox("sem", "No Subdivision", 220, 326, false);
    addBox("horcl3", "Horizontal - Class III", 20, 346, false);
    separator1_ = new QLabel(QString(60, QLatin1Char('_')), group);
    separator1_->setGeometry(20, 362, 380, 14);
    const QCheckBox* openBite = addBox("aberta", "Vertical - Open Bite", 20, 386, false);
    const QCheckBox* deepBite = addBox("profunda", "Vertical - Deep Overbite", 20, 406, false);
    // The three severities share one row beside both bites, each box as wide
    // as its caption ("Moderate" being the wider one `media` reads): the row
    // is only just narrower than the group, so it is laid out by the font.
    int x = std::max(openBite->geometry().right(), deepBite->geometry().right()) + 11;
    QList<int> severityColumns;
    for (const auto& [name, caption] : {std::pair{"suave", "Mild"}, {"media", "Moderate"}, {"severa", "Severe"}}) {
        severityColumns << x;
        x += addBox(name, caption, x, 396, false)->width() + 6;
    }
    separator2_ = new QLabel(QString(60, QLatin1Char('_')), group);
    separator2_->setGeometry(20, 422, 380, 14);
    addBox("desarm", "Facial Disharmony", 20, 446, false);
    addBox("dessuave", "Mild", severityColumns[0], 446, false);
    addBox("dessevera", "Severe", severityColumns[1], 446, false);
    separator1_->hide();
    separator2_->hide();
    no_->setChecked(true);

    const struct {
        const char* name;
        const char* caption;
    } buttons[] = {{"gcancelar", "CANCEL"}, {"glimpar", "NEW"}, {"gdiag", "GUIDANCE"}};
    for (int i = 0; i < 3; ++i) {
        auto* b = new QPushButton(QLatin1String(buttons[i].caption), this);
        b->setObjectName(QLatin1String(buttons[i].name));
        b->setFont(bold);
        b->setGeometry(18 + i * 138, 510, 124, 34);
    }
    const auto title = [] { return kTitle; };
    connect(findChild<QPushButton*>(QStringLiteral("gcancelar")), &QPushButton::clicked, this,
            guarded(messenger_, title, [this] { cancelClicked(); }));
    connect(findChild<QPushButton*>(QStringLiteral("glimpar")), &QPushButton::clicked, this,
            guarded(messenger_, title, [this] { newClicked(); }));
    connect(findChild<QPushButton*>(QStringLiteral("gdiag")), &QPushButton::clicked, this,
            guarded(messenger_, title, [this] { guidanceClicked(); }));

    wireReactions();
}

QCheckBox* GuideWindow::addBox(const char* name, const char* caption, int x, int y, bool shown)
{
    auto* b = new QCheckBox(QLatin1String(caption), group_);
    b->setObjectName(QLatin1String(name));
    b->move(x, y);
    b->adjustSize();
    b->setVisible(shown);
    boxes_.insert(b->objectName(), b);
    return b;
}

void GuideWindow::wireReactions()
{
    auto b = [this](const char* name) { return boxes_.value(QLatin1String(name)); };

    // Boxes offered only while another is checked.
    const std::pair<const char*, std::vector<const char*>> dependants[] = {
        {"daapinh", {"menor", "maior"}},
        {"horcl2", {"direita", "esquerda", "sem"}},
        {"aberta", {"suave", "media", "severa"}},
        {"desarm", {"dessuave", "dessevera"}},
    };
    for (const auto& [owner, list] : dependants) {
        QList<QCheckBox*> boxes;
        for (const char* name : list)
            boxes << b(name);
        connect(b(owner), &QCheckBox::toggled, this, [boxes](bool on) {
            for (QCheckBox* d : boxes)
                offer(d, on);
        });
    }

    // Exclusion disables, never unchecks: at most one box of a group is checked.
    const std::pair<const char*, std::vector<const char*>> excludes[] = {
        {"menor", {"maior"}},     {"maior", {"menor"}},
        {"dpadq", {"dpinadeq"}},  {"dpinadeq", {"dpadq"}},
        {"horcl2", {"horcl3"}},   {"horcl3", {"horcl2"}},
        {"direita", {"esquerda", "sem"}}, {"esquerda", {"direita", "sem"}}, {"sem", {"direita", "esquerda"}},
        {"aberta", {"profunda"}}, {"suave", {"media", "severa"}},
        {"dessuave", {"dessevera"}}, {"dessevera", {"dessuave"}},
    };
    for (const auto& [owner, list] : excludes) {
        QList<QCheckBox*> boxes;
        for (const char* name : list)
            boxes << b(name);
        connect(b(owner), &QCheckBox::toggled, this, [boxes](bool on) {
            for (QCheckBox* x : boxes)
                x->setEnabled(!on);
        });
    }
    // The shared severity boxes: `media` is "Moderate" of three for an open
    // bite and "Mild" of two for a deep overbite; its caption tells which.
    QCheckBox* media = b("media");
    QCheckBox* severa = b("severa");
    QCheckBox* suave = b("suave");
    connect(media, &QCheckBox::toggled, this, [media, severa, suave](bool on) {
        severa->setEnabled(!on);
        if (media->text() == kModerate)
            suave->setEnabled(!on);
    });
    connect(severa, &QCheckBox::toggled, this, [media, suave](bool on) {
        media->setEnabled(!on);
        if (media->text() == kModerate)
            suave->setEnabled(!on);
    });
    QCheckBox* aberta = b("aberta");
    connect(b("profunda"), &QCheckBox::toggled, this, [media, severa, aberta](bool on) {
        if (on) {
            media->setText(QStringLiteral("Mild"));
            offer(media, true);
            offer(severa, true);
            aberta->setEnabled(false);
        } else {
            media->setText(kModerate);
            offer(media, false);
            offer(severa, false);
            aberta->setEnabled(true);
        }
    });

    const QList<QCheckBox*> skeletal{b("horcl2"), b("horcl3"), b("aberta"), b("profunda"), b("desarm")};
    connect(yes_, &QRadioButton::toggled, this, [this, skeletal](bool on) {
        if (!on)
            return;
        for (QCheckBox* x : skeletal)
            offer(x, true);
        separator1_->show();
        separator2_->show();
    });
    connect(no_, &QRadioButton::toggled, this, [this, skeletal](bool on) {
        if (!on)
            return;
        for (QCheckBox* x : skeletal)
            offer(x, false);
        separator1_->hide();
        separator2_->hide();
    });
}

GuideAnswers GuideWindow::answers() const
{
    auto on = [this](const char* name) { return boxes_.value(QLatin1String(name))->isChecked(); };
    GuideAnswers a;
    a.daapinh = on("daapinh");
    a.menor = on("menor");
    a.maior = on("maior");
    a.dmapinh = on("dmapinh");
    a.dmrel = on("dmrel");
    a.dmpro = on("dmpro");
    a.dpadq = on("dpadq");
    a.dpinadeq = on("dpinadeq");
    a.clsim = yes_->isChecked();
    a.horcl2 = on("horcl2");
    a.direita = on("direita");
    a.esquerda = on("esquerda");
    a.sem = on("sem");
    a.horcl3 = on("horcl3");
    a.aberta = on("aberta");
    a.profunda = on("profunda");
    a.suave = on("suave");
    a.media = on("media");
    a.severa = on("severa");
    a.desarm = on("desarm");
    a.dessuave = on("dessuave");
    a.dessevera = on("dessevera");
    return a;
}

void GuideWindow::setAnswers(const GuideAnswers& a)
{
    // Owners before their dependants, so each box is offered before it is set.
    (a.clsim ? yes_ : no_)->setChecked(true);
    const std::pair<const char*, bool> order[] = {
        {"daapinh", a.daapinh},   {"menor", a.menor},       {"maior", a.maior},       {"dmapinh", a.dmapinh},
        {"dmrel", a.dmrel},       {"dmpro", a.dmpro},       {"dpadq", a.dpadq},       {"dpinadeq", a.dpinadeq},
        {"horcl2", a.horcl2},     {"direita", a.direita},   {"esquerda", a.esquerda}, {"sem", a.sem},
        {"horcl3", a.horcl3},     {"aberta", a.aberta},     {"profunda", a.profunda}, {"suave", a.suave},
        {"media", a.media},       {"severa", a.severa},     {"desarm", a.desarm},     {"dessuave", a.dessuave},
        {"dessevera", a.dessevera},
    };
    for (const auto& [name, checked] : order) {
        QCheckBox* box = boxes_.value(QLatin1String(name));
        // A box that is not offered, or excluded by another, stays as it is.
        if (checked && (box->isHidden() || !box->isEnabled()))
            continue;
        box->setChecked(checked);
    }
}

void GuideWindow::newClicked()
{
    for (const char* name : {"daapinh", "dmapinh", "dmrel", "dmpro", "dpadq", "dpinadeq"})
        boxes_.value(QLatin1String(name))->setChecked(false);
    no_->setChecked(true);
}

void GuideWindow::cancelClicked()
{
    newClicked();
    leave();
}

void GuideWindow::guidanceClicked()
{
    const GuideAnswers a = answers();
    const QString warning = validateAnswers(a);
    if (!warning.isEmpty()) {
        messenger_.warning(kTitle, {warning});
        return;
    }
    countUsage(folder_.stats(), UsageKind::Guidance);
    if (target_)
        target_->applyGuidance(a);
    leave();
}

void GuideWindow::guidanceOnRestoredAnswers()
{
    // Only answers that fail the checks have something to ask.
    if (!validateAnswers(answers()).isEmpty())
        open();
    guidanceClicked();
}

}  // namespace vel
