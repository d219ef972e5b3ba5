#pragma once
#include "app/pages.h"

#include <QSet>

namespace vel {

// A tab whose analysis is still to come: its caption, its EXIT button, and the
// File-menu actions it will offer, which do nothing yet.
class PendingTab : public TabPage {
    Q_OBJECT
public:
    PendingTab(const QString& objectName, const QString& exitName, QSet<FileAction> offered,
               QWidget* parent = nullptr);
    bool offers(FileAction action) const override { return offered_.contains(action); }
    void run(FileAction) override {}

private:
    QSet<FileAction> offered_;
};

}  // namespace vel
