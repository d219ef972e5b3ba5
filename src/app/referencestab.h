#pragma once
#include "widgets/tabpage.h"

#include <QList>

class QLabel;
class QMenu;
class QPushButton;
class QTextEdit;

namespace vel {

class Desktop;
class Messenger;

// The References tab: the list of the articles the analyses come from, and
// the abstract of what the program does. Neither view is shown until the
// launcher or a menu asks for it.
class ReferencesTab : public TabPage {
    Q_OBJECT
public:
    explicit ReferencesTab(const TabServices& services, QWidget* parent = nullptr);

    void showReferences();
    void showAbstract();
    void hideViews();

    struct Link {
        const char* name;
        const char* caption;
        QString url;
    };
    static QList<Link> links();

Q_SIGNALS:
    void menuRequested();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QPushButton* menuButton_;
    QTextEdit* heading_;
    QTextEdit* abstract_;
    QList<QLabel*> links_;
};

}  // namespace vel
