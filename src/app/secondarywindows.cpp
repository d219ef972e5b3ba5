#include "app/secondarywindows.h"

namespace vel {

GuideWindow::GuideWindow(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("TForm3"));
    setWindowTitle(QStringLiteral("Diagnostic Guide"));
    setFixedSize(436, 558);
}

WorksheetWindow::WorksheetWindow(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("TForm4"));
    setWindowTitle(QStringLiteral("Total Space Analysis"));
    setFixedSize(836, 189);
}

}  // namespace vel
