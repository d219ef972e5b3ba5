#pragma once
#include "common/fileio.h"
#include "common/messenger.h"

#include <QString>
#include <exception>
#include <functional>

namespace vel {

// Wraps a user action so that a failing file operation ends that action with
// an error box naming the file and the reason, and the program keeps running.
// Every handler is connected through this one place.
template <typename Fn>
auto guarded(Messenger& messenger, std::function<QString()> title, Fn fn)
{
    return [&messenger, title = std::move(title), fn = std::move(fn)]() {
        try {
            fn();
        } catch (const FileError& e) {
            messenger.error(title(), {e.message()});
        } catch (const std::exception& e) {
            messenger.error(title(), {QString::fromLocal8Bit(e.what())});
        }
    };
}

}  // namespace vel
