#pragma once
#include <QWidget>

namespace vel {

// The two windows that open over the main window and disable it while shown.
// They come up hidden and live until the program ends.
class GuideWindow : public QWidget {
    Q_OBJECT
public:
    explicit GuideWindow(QWidget* parent = nullptr);
};

class WorksheetWindow : public QWidget {
    Q_OBJECT
public:
    explicit WorksheetWindow(QWidget* parent = nullptr);
};

}  // namespace vel
