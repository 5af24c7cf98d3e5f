#include "core/module1.h"
#include "platform/program.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Module1::Main();
    return platform::exitStatus();
}
