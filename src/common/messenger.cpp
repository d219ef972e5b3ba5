#include "common/messenger.h"

namespace vel {

void Messenger::show(Icon icon, const QString& title, const QStringList& lines)
{
    if (gate_) {
        ModalScope scope(*gate_);
        present(icon, title, lines, false);
    } else {
        present(icon, title, lines, false);
    }
}

Messenger::Answer Messenger::ask(const QString& title, const QStringList& lines)
{
    if (gate_) {
        ModalScope scope(*gate_);
        return present(Icon::Question, title, lines, true);
    }
    return present(Icon::Question, title, lines, true);
}

}  // namespace vel
