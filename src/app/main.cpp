#include <QApplication>

#include "shell/app_start.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    return rw::RunProgram(app);
}
