#include <QApplication>
#include <cstdio>
#include <cstring>
#include <string>

#include "common/configuration.h"
#include "shell/app_start.h"

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], rw::kDescribedConfigurationSwitch) == 0) {
            rw::SetConfiguration(rw::Configuration::Described);
        } else if (std::strcmp(argv[i], "--base") == 0) {
            if (i + 1 >= argc) {
                std::fputs("reformer: --base needs a folder\n", stderr);
                return 2;
            }
            std::string folder = argv[++i];
            while (folder.size() > 1 && (folder.back() == '/' || folder.back() == '\\')) folder.pop_back();
            rw::SetBaseFolderOption(folder);
        }
    }
    QApplication app(argc, argv);
    return rw::RunProgram(app);
}
