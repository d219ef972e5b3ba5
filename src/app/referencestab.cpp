#include "app/referencestab.h"

#include "common/desktop.h"
#include "common/messenger.h"
#include "common/texts.h"
#include "entry/controls.h"
#include "entry/entryfield.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTextEdit>

namespace vel {

namespace {

const QString kArticleSite = QStringLiteral("https://tweed.org");
const QString kJournalSite = QStringLiteral("https://www.angle.org");

// A read-only memo drawn on the window's colour. The abstract refuses every
// typed key with a box, so nobody wonders why typing does nothing.
class Memo : public QTextEdit {
public:
    Memo(Messenger* refuseWith, QMenu* emptyMenu, QWidget* parent)
        : QTextEdit(parent), refuseWith_(refuseWith), emptyMenu_(emptyMenu)
    {
        setReadOnly(true);
        setFrameShape(QFrame::NoFrame);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        viewport()->setAutoFillBackground(false);
        QPalette pal = palette();
        pal.setColor(QPalette::Base, pal.color(QPalette::Window));
        setPalette(pal);
        QFont f = font();
        f.setBold(true);
        f.setPointSize(12);
        setFont(f);
    }

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (refuseWith_ && !typedCharacter(event).isNull()) {
            QString title;
            if (auto* tabs = findTabs())
                title = tabs->tabText(tabs->currentIndex());
            refuseWith_->error(title, {actionNotAvailable()});
            return;
        }
        QTextEdit::keyPressEvent(event);
    }

    void contextMenuEvent(QContextMenuEvent* event) override
    {
        if (emptyMenu_ && !emptyMenu_->isEmpty())
            emptyMenu_->exec(event->globalPos());
        event->accept();
    }

private:
    QTabWidget* findTabs() const
    {
        for (QWidget* w = parentWidget(); w; w = w->parentWidget()) {
            if (auto* tabs = qobject_cast<QTabWidget*>(w))
                return tabs;
        }
        return nullptr;
    }

    Messenger* refuseWith_;
    QMenu* emptyMenu_;
};

// A link: blue, bold, a hand cursor, and a click opens its document.
class LinkLabel : public QLabel {
public:
    LinkLabel(const QString& caption, QString url, Desktop& desktop, QWidget* parent)
        : QLabel(caption, parent), url_(std::move(url)), desktop_(desktop)
    {
        QFont f = font();
        f.setBold(true);
        f.setPointSize(12);
        setFont(f);
        setTextColour(this, QColor(0, 0, 255));
        setCursor(Qt::PointingHandCursor);
    }

protected:
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
            desktop_.openUrl(url_);
        QLabel::mouseReleaseEvent(event);
    }

private:
    QString url_;
    Desktop& desktop_;
};

QString abstractHtml()
{
    const QStringList paragraphs = {
        QStringLiteral(
            "The goal of orthodontic treatment is a stable, functional and balanced occlusion in "
            "harmony with the face. It can only be reached from a precise diagnosis, in which every "
            "measurement of the head film and of the dental casts is weighed correctly."),
        QStringLiteral(
            "Velmora follows the Tweed-Merrifield differential diagnostic analysis system: the "
            "clinical evaluation, the cephalometric analysis, the total space analysis of the "
            "anterior, midarch and posterior areas, the probability (difficulty) index, and the "
            "guidelines on extraction and non-extraction treatment that follow from them."),
        QStringLiteral(
            "It also computes the Bolton analysis, which compares the mesiodistal widths of the "
            "maxillary and mandibular teeth and shows where the proportion between the arches is "
            "lost, overall and in the anterior segment."),
        QStringLiteral(
            "Done by hand, these analyses take many sums, ratios and look-ups in tables, and each "
            "step is a chance of miscalculation that carries straight into the treatment plan."),
        QStringLiteral(
            "The aim of this program is a reliable calculation: the clinician enters the "
            "measurements once and every result is computed, rounded and presented the same way "
            "every time."),
        QStringLiteral(
            "The diagnosis offered is merely suggestive. The professional must consider the other "
            "aspects of the case (clinical findings, growth, the patient's wishes and cooperation) "
            "before deciding on any treatment plan."),
    };
    QString html = QStringLiteral("<p align=\"center\">ABSTRACT</p>");
    for (const QString& p : paragraphs)
        html += QStringLiteral("<p align=\"justify\">%1</p>").arg(p.toHtmlEscaped());
    return html;
}

}  // namespace

QList<ReferencesTab::Link> ReferencesTab::links()
{
    return {
        {"Label1", "The Profile Line as an Aid in Critically Evaluating Facial Esthetics",
         kArticleSite + QStringLiteral("/course/Reading_files/Tweed_Reading4.pdf")},
        {"Label2", "Differential Diagnosis with Total Space Analysis",
         kArticleSite + QStringLiteral("/course/Reading_files/Tweed_Reading5.pdf")},
        {"Label3", "The Probability Index", kArticleSite + QStringLiteral("/course/Reading_files/Tweed_Reading8.pdf")},
        {"Label7", "Differential Diagnostic Analysis System",
         kArticleSite + QStringLiteral("/course/Reading_files/Tweed_Reading9.pdf")},
        {"Label8", "The Tweed Merrifield Edgewise Appliance",
         kArticleSite + QStringLiteral("/course/Reading_files/Tweed_Reading11.pdf")},
        {"Label9", "Disharmony In Tooth Size And Its Relation To The Analysis And Treatment Of Malocclusion",
         kJournalSite + QStringLiteral("/pdfserv/i0003-3219-028-03-0113.pdf")},
    };
}

ReferencesTab::ReferencesTab(const TabServices& services, QWidget* parent)
    : TabPage(services, parent)
{
    setObjectName(QStringLiteral("TabSheet3"));

    heading_ = new Memo(nullptr, emptyMenu_, this);
    heading_->setObjectName(QStringLiteral("Fteor"));
    heading_->setGeometry(16, 8, 950, 40);
    heading_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    heading_->setHtml(QStringLiteral("<p style=\"margin:0\"></p><p align=\"center\" style=\"margin:0\">REFERENCES</p>"));
    heading_->document()->setDocumentMargin(0);
    heading_->hide();

    int top = 120;
    for (const Link& link : links()) {
        auto* label = new LinkLabel(QString::fromLatin1(link.caption), link.url, desktop_, this);
        label->setObjectName(QString::fromLatin1(link.name));
        label->move(60, top);
        label->adjustSize();
        label->hide();
        links_.append(label);
        top += 60;
    }

    abstract_ = new Memo(&messenger_, emptyMenu_, this);
    abstract_->setObjectName(QStringLiteral("obj"));
    abstract_->setGeometry(16, 8, 950, 650);
    abstract_->setHtml(abstractHtml());
    abstract_->hide();

    menuButton_ = new QPushButton(QStringLiteral("MENU"), this);
    menuButton_->setObjectName(QStringLiteral("Button3"));
    menuButton_->setFixedSize(60, 60);
    connect(menuButton_, &QPushButton::clicked, this, &ReferencesTab::menuRequested);
}

void ReferencesTab::resizeEvent(QResizeEvent* event)
{
    TabPage::resizeEvent(event);
    menuButton_->move(width() - menuButton_->width() - 8, height() - menuButton_->height() - 8);
    menuButton_->raise();
}

void ReferencesTab::showReferences()
{
    heading_->show();
    for (QLabel* l : std::as_const(links_))
        l->show();
}

void ReferencesTab::showAbstract()
{
    abstract_->show();
}

void ReferencesTab::hideViews()
{
    abstract_->hide();
    heading_->hide();
    for (QLabel* l : std::as_const(links_))
        l->hide();
}

}  // namespace vel
