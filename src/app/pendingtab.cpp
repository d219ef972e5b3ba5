#include "app/pendingtab.h"

#include <QPushButton>

namespace vel {

PendingTab::PendingTab(const QString& objectName, const QString& exitName, QSet<FileAction> offered,
                       QWidget* parent)
    : TabPage(parent), offered_(std::move(offered))
{
    setObjectName(objectName);
    auto* exit = new QPushButton(QStringLiteral("EXIT"), this);
    exit->setObjectName(exitName);
    exit->setGeometry(16, 16, 100, 30);
    connect(exit, &QPushButton::clicked, this, &TabPage::exitRequested);
}

}  // namespace vel
