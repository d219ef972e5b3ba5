#include "tweed/tweedreport.h"

#include "tweed/tweedanalysis.h"

#include <QStringList>

namespace vel {

namespace {

const QString kSeparator = QStringLiteral(":  ");
const QString kOr = QStringLiteral("\r\r\r\ror\r\r");

}  // namespace

QList<std::pair<QString, QString>> tweedReportParameters(const ControlTexts& c, int& lastPage)
{
    QList<std::pair<QString, QString>> p;
    auto set = [&p](const QString& name, const QString& value) { p.append({name, value}); };

    const struct {
        const char* mark;
        const char* prefix;
        int first;
    } crosses[] = {{"a01", "a", 1}, {"m01", "m", 1}, {"m05", "m", 5}, {"p01", "p", 1},
                   {"d01", "d", 1}, {"d05", "d", 5}, {"d09", "d", 9}, {"d13", "d", 13}};
    for (int g = 0; g < 8; ++g) {
        const auto& cross = crosses[g];
        const bool on = !c.value(QLatin1String(cross.mark)).isEmpty();
        set(QStringLiteral("cruzh%1").arg(g + 1), on ? QStringLiteral("____") : QString());
        set(QStringLiteral("cruzv%1").arg(g + 1), on ? QStringLiteral("||") : QString());
        for (int i = 0; i < 4; ++i) {
            const int n = cross.first + i;
            const QString mark = QStringLiteral("%1%2").arg(QLatin1String(cross.prefix)).arg(n, 2, 10, QLatin1Char('0'));
            set(QStringLiteral("%1%2").arg(QLatin1String(cross.prefix)).arg(n), on ? c.value(mark) : QString());
        }
    }

    set(QStringLiteral("nome"), tweedCaption(QStringLiteral("twPaciente")) + kSeparator + c.value(QStringLiteral("twPaciente"))
                                    + QStringLiteral("  -  ") + c.value(QStringLiteral("stage")));
    set(QStringLiteral("idade"),
        tweedCaption(QStringLiteral("Idade")) + kSeparator + c.value(QStringLiteral("Idade")) + QStringLiteral(" years old"));
    set(QStringLiteral("genero"), QStringLiteral("Gender:  ") + (c.value(QStringLiteral("gender")) == QLatin1String("Male")
                                                                     ? QStringLiteral("Male")
                                                                     : QStringLiteral("Female")));

    // A line per entry and result: caption, separator, value as shown, unit.
    const auto line = [&](const char* param, const char* control, const char* caption, const char* unit) {
        if (!param)
            return;
        const QString name = QLatin1String(control);
        QString value = c.value(name);
        // With "No" the IMPA printed is the one typed in its place.
        if (name == QLatin1String("dcimpares") && c.value(QStringLiteral("impaOption")) == QLatin1String("No"))
            value = c.value(QStringLiteral("dcopcres"));
        // A result without a caption (the facial height index, the grade)
        // stands alone, without separator or unit.
        set(QLatin1String(param),
            caption ? QString::fromUtf8(caption) + kSeparator + value + QString::fromUtf8(unit) : value);
    };
    for (const TweedEntry& e : kTweedEntries)
        line(e.reportParam, e.control, e.caption, e.unit);
    for (const TweedResult& r : kTweedResults)
        line(r.reportParam, r.control, r.caption, r.unit);

    const bool guided = !c.value(QStringLiteral("dsantinfo")).isEmpty();
    lastPage = guided ? 2 : 1;
    auto pair = [&](const char* caption, const char* captionParam, const char* textParam, const QString& value) {
        const QString shownCaption = c.value(QLatin1String(caption));
        set(QLatin1String(captionParam), shownCaption);
        set(QLatin1String(textParam), shownCaption.isEmpty() ? QString() : value);
    };
    pair("dsantinfo", "discantinfo", "discant", c.value(QStringLiteral("dsant")));
    pair("dsmedinfo", "discmedinfo", "discmed",
         c.value(QStringLiteral("ou")).isEmpty() ? c.value(QStringLiteral("dsmed"))
                                                 : c.value(QStringLiteral("dsmed")) + kOr + c.value(QStringLiteral("dsmed2")));
    pair("dsposinfo", "discposinfo", "discpos", c.value(QStringLiteral("dspos")));
    QStringList alternatives{c.value(QStringLiteral("dsdesc"))};
    int last = 1;
    for (int i = 5; i >= 2; --i) {
        if (!c.value(QStringLiteral("dsdesc%1").arg(i)).isEmpty()) {
            last = i;
            break;
        }
    }
    for (int i = 2; i <= last; ++i)
        alternatives << c.value(QStringLiteral("dsdesc%1").arg(i));
    pair("dsdescinfo", "desarminfo", "desarm", alternatives.join(kOr));
    return p;
}

}  // namespace vel
