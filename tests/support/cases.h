#pragma once
#include <QByteArray>
#include <QMap>
#include <QString>

namespace vel {
class GuideWindow;
class MainWindow;
}  // namespace vel

namespace vel::test {

// A complete Tweed case on the Tweed tab (a girl of 12), ready for CALCULATE.
void typeTweedCase(MainWindow* main, const QString& patient = QStringLiteral("MARIA SILVA"));
// Every width of a Bolton case; the transfer area too unless `molars` is false.
void typeBoltonCase(MainWindow* main, const QString& patient, bool molars = true);
// Answers that pass GUIDANCE: Class II without subdivision, open bite, three
// skeletal lines.
void answerGuide(GuideWindow* guide);
// Every file, folder and link under `root` with its bytes (a link as its
// target, a pipe or device as "<special>"), hidden ones included.
QMap<QString, QByteArray> diskContents(const QString& root);

}  // namespace vel::test
