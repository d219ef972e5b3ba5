#include "app/qtseams.h"
#include "common/session.h"
#include "app/shell.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velmora"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/velmora.svg")));
    // The program ends only by one of its own ways out, never because the
    // last visible window was hidden to the tray.
    QApplication::setQuitOnLastWindowClosed(false);

    vel::ModalGate gate;
    vel::QtMessenger messenger;
    messenger.setGate(&gate);
    vel::QtDesktop desktop;
    const vel::WorkingFolder folder;

    vel::Session session(folder, messenger, desktop);
    if (!session.start())
        return 1;

    int status = 0;
    {
        vel::Shell shell(folder, messenger, desktop, gate);
        QObject::connect(&shell, &vel::Shell::quitRequested, &app, &QApplication::quit);
        shell.show();
        status = QApplication::exec();
    }
    gate.setListener({});
    return session.finish() ? status : 1;
}
