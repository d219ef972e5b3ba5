#pragma once
#include <QList>
#include <QString>
#include <array>
#include <functional>

class QLabel;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace vel {

class EntryField;
class Messenger;

// What the outline and history tabs have in common: the patient row, the
// headings and memos on one left edge, the row of five buttons, and the
// texts of the boxes they both show.
namespace notes {

inline constexpr int kLeft = 34;
inline constexpr int kMemoWidth = 922;

EntryField* addPatientField(QWidget* page, const char* name, Messenger& messenger, std::function<QString()> title,
                            QMenu* emptyMenu);
QLabel* addHeading(QWidget* page, const char* name, const QString& text, int y);
QPlainTextEdit* addMemo(QWidget* page, const char* name, int y, int height);
// NEW, SAVE, OPEN, PRINT and EXIT, left to right, under the given names.
QList<QPushButton*> addButtons(QWidget* page, const std::array<const char*, 5>& names, int y);

QString nameMissing();
QString savedText();
QString updatedText();

// Windows-1252 cannot hold every character a memo accepts; rather than let
// them turn into '?' on disk, SAVE stops and names them. Returns true when it
// refused.
bool refuseUnstorable(Messenger& messenger, const QString& title, const QString& text);

}  // namespace notes
}  // namespace vel
