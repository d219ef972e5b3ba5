#pragma once
#include "common/desktop.h"
#include "common/messenger.h"
#include "common/workingfolder.h"

#include <QLockFile>
#include <memory>

namespace vel {

// The checks before any window exists and the tidy-up after the event loop:
// the required files, the running flag, the small-screen adaptation, and the
// flag and display mode put back at the end.
class Session {
public:
    static constexpr DisplayMode kTargetMode{1024, 768, 32};

    Session(WorkingFolder folder, Messenger& messenger, Desktop& desktop);
    ~Session();

    // False when the program must end; the reason has been shown.
    bool start();
    // Restores the display mode and clears the running flag. False when the
    // flag could not be written; the reason has been shown.
    bool finish();

    const DisplayMode& capturedMode() const { return captured_; }
    static bool isSmall(const DisplayMode& mode) { return mode.width < 1024 || mode.height < 768; }

private:
    bool requiredFilesExist() const;
    void showFailure(const QString& context, const QString& message);

    WorkingFolder folder_;
    Messenger& messenger_;
    Desktop& desktop_;
    DisplayMode captured_;
    std::unique_ptr<QLockFile> lock_;
};

}  // namespace vel
