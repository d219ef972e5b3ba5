#pragma once
#include "widgets/secondarywindow.h"

#include <QList>

class QPushButton;

namespace vel {

class BoltonTransfer;
class EntryField;
class Messenger;
class GuidanceTarget;

// The Total Space Analysis worksheet: the widths of the sixteen lower teeth
// and the space available per area, summed into the Tweed tab's required and
// available space. The entries live only here, between openings, until NEW.
class WorksheetWindow : public SecondaryWindow {
    Q_OBJECT
public:
    explicit WorksheetWindow(Messenger& messenger, QWidget* parent = nullptr);

    void setSources(GuidanceTarget* target, const BoltonTransfer* bolton);
    EntryField* field(const QString& name) const;

    // NEW: empties every field and offers IMPORT again.
    void newClicked();
    void saveClicked();
    void importClicked();

private:
    Messenger& messenger_;
    GuidanceTarget* target_ = nullptr;
    const BoltonTransfer* bolton_ = nullptr;
    QList<EntryField*> required_;   // s01 ... s16
    QList<EntryField*> available_;  // i01, i03, i06, i12, i15
    QPushButton* import_;
};

}  // namespace vel
