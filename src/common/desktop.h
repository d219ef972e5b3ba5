#pragma once
#include <QString>

namespace vel {

struct DisplayMode {
    int width = 0;   // physical pixels
    int height = 0;
    int depth = 0;   // bits per pixel
    friend bool operator==(const DisplayMode&, const DisplayMode&) = default;
};

// What the program asks of the desktop it runs on. The real one talks to Qt;
// tests use a fake that records the calls.
class Desktop {
public:
    virtual ~Desktop() = default;
    virtual DisplayMode displayMode() const = 0;
    // This platform has no display-mode switch: the real one does nothing.
    virtual void setDisplayMode(const DisplayMode& mode) = 0;
    // A document, web page or mail link, handed to the default application.
    virtual void openUrl(const QString& url) = 0;
    // The one open-file dialog; returns the chosen file, or empty if cancelled.
    virtual QString chooseFile(const QString& folder, const QString& filter, const QString& defaultSuffix) = 0;
    // A file to write, `suggested` (a path) offered first; empty if cancelled.
    virtual QString chooseSaveFile(const QString& title, const QString& suggested, const QString& filter) = 0;
    virtual bool hasSystemTray() const = 0;
};

}  // namespace vel
