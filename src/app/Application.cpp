#include "app/Application.h"

#include <QApplication>

int RunMarrowby(int argc, char** argv) {
    QApplication application(argc, argv);
    return 0;
}
