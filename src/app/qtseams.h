#pragma once
#include "common/desktop.h"
#include "common/messenger.h"

namespace vel {

// Message boxes on QMessageBox, parented to the active window.
class QtMessenger : public Messenger {
protected:
    Answer present(Icon icon, const QString& title, const QStringList& lines, bool question) override;
};

// The desktop as Qt sees it. Screen size is in physical pixels, so a HiDPI
// screen at scale 2 is not taken for a small one.
class QtDesktop : public Desktop {
public:
    DisplayMode displayMode() const override;
    void setDisplayMode(const DisplayMode& mode) override;
    void openUrl(const QString& url) override;
    QString chooseFile(const QString& folder, const QString& filter, const QString& defaultSuffix) override;
    QString chooseSaveFile(const QString& title, const QString& suggested, const QString& filter) override;
    bool hasSystemTray() const override;
};

}  // namespace vel
