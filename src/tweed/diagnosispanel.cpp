#include "tweed/diagnosispanel.h"

#include <QFrame>
#include <QLabel>

#include "entry/controls.h"
#include "entry/crlabel.h"

namespace vel {

namespace {

struct LineSpec {
    const char* caption;      // the block's caption, on its first line
    const char* captionText;
    const char* orLabel;      // the "or" before this line
    const char* text;
    const char* horizontal;   // the chart's two lines
    const char* vertical;
    const char* marks[4];     // upper left, upper right, lower left, lower right
};

constexpr LineSpec kLines[] = {
    {"dsantinfo", "Anterior Surplus/Deficit", nullptr, "dsant", "Shape3", "Shape4", {"a01", "a02", "a03", "a04"}},
    {"dsmedinfo", "Midarch Surplus/Deficit", nullptr, "dsmed", "Shape5", "Shape6", {"m01", "m02", "m03", "m04"}},
    {nullptr, nullptr, "ou", "dsmed2", "Shape11", "Shape12", {"m05", "m06", "m07", "m08"}},
    {"dsposinfo", "Posterior Surplus/Deficit", nullptr, "dspos", "Shape7", "Shape8", {"p01", "p02", "p03", "p04"}},
    {"dsdescinfo", "Skeletal Disharmony", nullptr, "dsdesc", "Shape9", "Shape10", {"d01", "d02", "d03", "d04"}},
    {nullptr, nullptr, "ou2", "dsdesc2", "Shape13", "Shape14", {"d05", "d06", "d07", "d08"}},
    {nullptr, nullptr, "ou3", "dsdesc3", "Shape15", "Shape16", {"d09", "d10", "d11", "d12"}},
    {nullptr, nullptr, "ou4", "dsdesc4", "Shape17", "Shape18", {"d13", "d14", "d15", "d16"}},
    {nullptr, nullptr, "ou5", "dsdesc5", nullptr, nullptr, {nullptr, nullptr, nullptr, nullptr}},
};

constexpr int kRowHeight = 60;
constexpr int kCaptionHeight = 16;
constexpr QSize kTextSize{280, 50};
constexpr QSize kChartSize{80, 60};

QString name(const char* s) { return QString::fromLatin1(s); }

}  // namespace

DiagnosisPanel::DiagnosisPanel(QWidget* parent) : QGroupBox(QStringLiteral("Suggested Diagnosis"), parent)
{
    setObjectName(QStringLiteral("ds"));
    QFont bold = font();
    bold.setBold(true);

    int y = 18;
    for (const LineSpec& line : kLines) {
        Line parts;
        if (line.caption) {
            auto* caption = new QLabel(name(line.captionText), this);
            caption->setObjectName(name(line.caption));
            caption->setGeometry(6, y, 280, kCaptionHeight);
            captions_.append(caption);
            y += kCaptionHeight;
        }
        auto* text = new QLabel(this);
        text->setObjectName(name(line.text));
        text->setFont(bold);
        text->setAlignment(Qt::AlignCenter);
        text->setWordWrap(true);
        text->setGeometry(4, y + (kRowHeight - kTextSize.height()) / 2, kTextSize.width(), kTextSize.height());
        parts.text = text;
        if (line.orLabel) {
            auto* orLabel = new QLabel(QStringLiteral("or"), this);
            orLabel->setObjectName(name(line.orLabel));
            orLabel->setGeometry(6, y - 2, 24, 14);
            parts.orLabel = orLabel;
        }
        if (line.horizontal) {
            const QRect chart(QPoint(8 + kTextSize.width(), y), kChartSize);
            auto* h = new QFrame(this);
            h->setObjectName(name(line.horizontal));
            h->setFrameShape(QFrame::HLine);
            h->setGeometry(chart.left(), chart.center().y(), chart.width(), 1);
            auto* v = new QFrame(this);
            v->setObjectName(name(line.vertical));
            v->setFrameShape(QFrame::VLine);
            v->setGeometry(chart.center().x(), chart.top(), 1, chart.height());
            for (QFrame* f : {h, v}) {
                makeSolid(f);
                parts.cross.append(f);
            }
            const QRect quadrants[4] = {
                {chart.left(), chart.top(), chart.width() / 2, chart.height() / 2},
                {chart.center().x() + 1, chart.top(), chart.width() / 2, chart.height() / 2},
                {chart.left(), chart.center().y() + 1, chart.width() / 2, chart.height() / 2},
                {chart.center().x() + 1, chart.center().y() + 1, chart.width() / 2, chart.height() / 2},
            };
            for (int i = 0; i < 4; ++i) {
                auto* mark = new QLabel(this);
                mark->setObjectName(name(line.marks[i]));
                mark->setFont(bold);
                setTextColour(mark, QColor(255, 0, 0));
                mark->setAlignment(Qt::AlignCenter);
                mark->setGeometry(quadrants[i]);
                parts.marks.append(mark);
            }
        }
        lines_.append(parts);
        y += kRowHeight;
    }
    clear();
}

void DiagnosisPanel::clear()
{
    for (QLabel* l : std::as_const(captions_))
        l->hide();
    for (int i = 0; i < lines_.size(); ++i)
        showLine(i, DiagnosisLine{});
}

void DiagnosisPanel::showLine(int index, const DiagnosisLine& line)
{
    const Line& parts = lines_.at(index);
    setCrText(parts.text, line.text);
    if (parts.orLabel)
        parts.orLabel->setVisible(line.orBefore);
    for (int i = 0; i < parts.marks.size(); ++i)
        parts.marks[i]->setText(line.marks[i]);
    for (QFrame* f : parts.cross)
        f->setVisible(line.chart);
}

void DiagnosisPanel::present(const Diagnosis& d)
{
    const bool captions[] = {d.anteriorCaption, d.midarchCaption, d.posteriorCaption, d.skeletalCaption};
    for (int i = 0; i < 4; ++i)
        captions_[i]->setVisible(captions[i]);
    const DiagnosisLine* lines[] = {&d.anterior,    &d.midarch[0],  &d.midarch[1],  &d.posterior, &d.skeletal[0],
                                    &d.skeletal[1], &d.skeletal[2], &d.skeletal[3], &d.skeletal[4]};
    for (int i = 0; i < lines_.size(); ++i)
        showLine(i, *lines[i]);
}

}  // namespace vel

namespace vel {

bool DiagnosisPanel::isFilled() const
{
    return !captions_.constFirst()->isHidden();
}

}  // namespace vel
