#include "platform/control.h"
#include "shell/module1.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    qm::initialiseApplication();
    // The program lives on in its forms; it ends when the last one is unloaded.
    QApplication::setQuitOnLastWindowClosed(false);
    qm::runEvent(nullptr, qm::Main);
    return QApplication::exec();
}
