// reformer-cli install-model: the administrator's step that puts a model
// program where only root can change it and records its checksum, who and
// when; every calculation checks the program against that record.
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <iostream>

#include "command.h"
#include "common/errors.h"
#include "runs/model_programs.h"

namespace rw::cli {
namespace {

// The administrator behind sudo, else the account itself.
std::string Installer() {
    if (const char* sudoUser = std::getenv("SUDO_USER"); sudoUser && *sudoUser) return sudoUser;
    if (const char* user = std::getenv("USER"); user && *user) return user;
    return "root";
}

int InstallModelCommand(Invocation& inv) {
    const std::string name = TakeOption(inv.args, "--as");
    const std::string by = TakeOption(inv.args, "--by", Installer());
    if (inv.args.empty()) throw UsageError{"не указан файл программы"};
    if (inv.args.size() > 1) throw UsageError{"лишний аргумент «" + inv.args[1] + "»"};
    if (name.empty()) throw UsageError{"нужно имя, под которым программу запускают: --as ИМЯ (например --as vortan.exe)"};
    if (::geteuid() != 0) {
        throw UserError("Программы модели ставит только администратор: выполните команду через sudo "
                        "(sudo reformer-cli install-model " + inv.args[0] + " --as " + name + ").");
    }
    const InstalledModel entry = InstallModel(inv.args[0], name, by, std::time(nullptr));
    std::cout << "Программа " << inv.args[0] << " установлена как " << InstalledModelsFolder() << "/" << entry.name
              << " (SHA-256 " << entry.sha256 << ", " << entry.installedBy << ", " << entry.installedAt << ").\n";
    return 0;
}

const CommandRegistrar reg("install-model", "install-model ФАЙЛ --as ИМЯ [--by КТО]",
                           "Только для администратора (sudo): ставит программу модели ФАЙЛ под именем ИМЯ в папку "
                           "моделей установки, куда писать может только root, и записывает её контрольную сумму, "
                           "кто (--by, по умолчанию пользователь, вызвавший sudo) и когда её поставил. Перед каждым "
                           "запуском программа сверяется с этой записью.",
                           InstallModelCommand);

}  // namespace
}  // namespace rw::cli
