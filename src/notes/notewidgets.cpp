#include "notes/notewidgets.h"

#include "common/messenger.h"
#include "entry/entryfield.h"
#include "notes/notefiles.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace vel::notes {

EntryField* addPatientField(QWidget* page, const char* name, Messenger& messenger, std::function<QString()> title,
                            QMenu* emptyMenu)
{
    auto* caption = new QLabel(QStringLiteral("Patient"), page);
    caption->setGeometry(kLeft, 12, 52, 24);
    auto* field = new EntryField(QLatin1String(name), {KeyFilter::Name, Completion::None, 0, warnings::nameMild()},
                                 messenger, std::move(title), page);
    field->setEmptyMenu(emptyMenu);
    field->setGeometry(kLeft + 56, 12, 433, 24);
    caption->setBuddy(field);
    return field;
}

QLabel* addHeading(QWidget* page, const char* name, const QString& text, int y)
{
    auto* heading = new QLabel(text, page);
    heading->setObjectName(QLatin1String(name));
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    heading->setGeometry(kLeft, y, kMemoWidth, 20);
    return heading;
}

QPlainTextEdit* addMemo(QWidget* page, const char* name, int y, int height)
{
    auto* memo = new QPlainTextEdit(page);
    memo->setObjectName(QLatin1String(name));
    memo->setGeometry(kLeft, y, kMemoWidth, height);
    // Tab moves on to the next control, as in every other field of the program.
    memo->setTabChangesFocus(true);
    return memo;
}

QList<QPushButton*> addButtons(QWidget* page, const std::array<const char*, 5>& names, int y)
{
    static const char* const captions[] = {"NEW", "SAVE", "OPEN", "PRINT", "EXIT"};
    constexpr int width = 148;
    constexpr int gap = (kMemoWidth - 5 * width) / 4;
    QList<QPushButton*> buttons;
    for (int i = 0; i < 5; ++i) {
        auto* b = new QPushButton(QLatin1String(captions[i]), page);
        b->setObjectName(QLatin1String(names[i]));
        b->setGeometry(kLeft + i * (width + gap), y, width, 32);
        buttons.append(b);
    }
    return buttons;
}

QString nameMissing() { return QStringLiteral("Patient`s name must be filled in!"); }
QString savedText() { return QStringLiteral("Treatment Plan successfully saved!"); }
QString updatedText() { return QStringLiteral("Treatment Plan successfully updated!"); }

bool refuseUnstorable(Messenger& messenger, const QString& title, const QString& text)
{
    const QString unstorable = unstorableCharacters(text);
    if (unstorable.isEmpty())
        return false;
    QStringList shown;
    for (const char32_t c : unstorable.toUcs4())
        shown << QString::fromUcs4(&c, 1);
    messenger.warning(title, {QStringLiteral("These characters cannot be stored in the patient's file: %1")
                                  .arg(shown.join(QLatin1Char(' '))),
                              QStringLiteral("Please replace or remove them, then save again.")});
    return true;
}

}  // namespace vel::notes
