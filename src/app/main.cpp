#include <QApplication>
#include <cstring>

#include "common/configuration.h"
#include "shell/app_start.h"

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], rw::kDescribedConfigurationSwitch) == 0)
            rw::SetConfiguration(rw::Configuration::Described);
    QApplication app(argc, argv);
    return rw::RunProgram(app);
}
