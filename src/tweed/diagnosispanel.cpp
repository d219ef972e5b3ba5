#include "tweed/diagnosispanel.h"

#include <QFrame>
#include <QLabel>

#include "entry/controls.h"
#include "entry/crlabel.h"

namespace vel {

namespace {

// The cross of each line's tooth chart, horizontal then vertical; the last
// skeletal line has none.
constexpr const char* kChartLines[9][2] = {
    {"Shape3", "Shape4"},   {"Shape5", "Shape6"},   {"Shape11", "Shape12"},
    {"Shape7", "Shape8"},   {"Shape9", "Shape10"},  {"Shape13", "Shape14"},
    {"Shape15", "Shape16"}, {"Shape17", "Shape18"}, {nullptr, nullptr},
};

constexpr QSize kTextSize{290, 50};
constexpr QSize kChartSize{80, 60};
// Consecutive charts stand this far apart, so that each alternative keeps a
// cross of its own instead of one long vertical line down the block.
constexpr int kChartGap = 8;
constexpr int kPitch = kChartSize.height() + kChartGap;
// A text is centred on its chart; captions and "or"s sit between the texts.
constexpr int kTextInset = (kChartSize.height() - kTextSize.height()) / 2;
constexpr int kFirstChart = 30;
constexpr int kCaptionHeight = 16;
constexpr int kOrHeight = 14;
constexpr int kTextLeft = 3;
constexpr int kChartLeft = kTextLeft + kTextSize.width() + 3;

QString name(const char* s) { return QString::fromLatin1(s); }

}  // namespace

DiagnosisPanel::DiagnosisPanel(QWidget* parent) : QGroupBox(QStringLiteral("Suggested Diagnosis"), parent)
{
    setObjectName(QStringLiteral("ds"));
    QFont bold = font();
    bold.setBold(true);

    for (int index = 0; index < 9; ++index) {
        const PanelLineNames& line = diagnosisPanelLines()[index];
        const int chartTop = kFirstChart + index * kPitch;
        const int textTop = chartTop + kTextInset;
        Line parts;
        if (line.caption) {
            auto* caption = new QLabel(name(line.captionText), this);
            caption->setObjectName(name(line.caption));
            caption->setGeometry(6, textTop - kCaptionHeight - 1, 280, kCaptionHeight);
            captions_.append(caption);
        }
        auto* text = new QLabel(this);
        text->setObjectName(name(line.text));
        text->setFont(bold);
        text->setAlignment(Qt::AlignCenter);
        text->setWordWrap(true);
        text->setGeometry(QRect(QPoint(kTextLeft, textTop), kTextSize));
        parts.text = text;
        if (line.orLabel) {
            auto* orLabel = new QLabel(QStringLiteral("or"), this);
            orLabel->setObjectName(name(line.orLabel));
            orLabel->setGeometry(6, textTop - kOrHeight - 2, 24, kOrHeight);
            parts.orLabel = orLabel;
        }
        if (const char* horizontal = kChartLines[index][0]) {
            const QRect chart(QPoint(kChartLeft, chartTop), kChartSize);
            auto* h = new QFrame(this);
            h->setObjectName(name(horizontal));
            h->setFrameShape(QFrame::HLine);
            h->setGeometry(chart.left(), chart.center().y(), chart.width(), 1);
            auto* v = new QFrame(this);
            v->setObjectName(name(kChartLines[index][1]));
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
