// reformer-cli: the headless companion of the program, on the same core.
#include <cstdio>
#include <iostream>
#include <map>
#include <string>

#include "command.h"
#include "common/configuration.h"
#include "common/errors.h"
#include "common/file_lock.h"
#include "common/files.h"
#include "common/regional.h"
#include "runs/model_programs.h"
#include "shell/base_folder.h"
#include "shell/plant_selection.h"
#include "shell/plant_table.h"

namespace rw::cli {
namespace {

constexpr int kDefaultWaitSeconds = 300;

double WaitSeconds(const std::string& text) {
    try {
        size_t used = 0;
        const double seconds = std::stod(text, &used);
        if (used == text.size() && seconds >= 0) return seconds;
    } catch (const std::exception&) {
    }
    throw UsageError{"--wait: нужно число секунд"};
}

struct Command {
    std::string usage;
    std::string summary;
    CommandFn fn;
};

std::map<std::string, Command>& Commands() {
    static std::map<std::string, Command> commands;
    return commands;
}

void PrintHelp(std::ostream& out) {
    out << "Вызов: reformer-cli [--base DIR] [--wait SECONDS] [--described-configuration] COMMAND [ARGS]\n\n"
           "Готовит и обрабатывает данные установок для модели риформинга без окон.\n"
           "--base DIR       базовая папка (по умолчанию: папка, выбранная в программе, иначе названная\n"
           "                 в " << rw::kSystemBaseFolderSetting << ", иначе <папка reformer-cli>/bin/sk)\n"
           "--wait SECONDS   сколько секунд ждать базовую папку или общий файл, занятые программой\n"
           "                 другого пользователя (по умолчанию " << kDefaultWaitSeconds << "); затем команда\n"
           "                 завершается с ошибкой и называет, кто их занял\n"
           "--described-configuration  поведение и английские сообщения о файлах\n"
           "                 демонстрационной конфигурации, как одноименный ключ программы\n\n"
           "Команды:\n";
    for (const auto& [name, c] : Commands()) out << "  " << c.usage << "\n      " << c.summary << "\n";
    out << "\nКод завершения: 0 выполнено, 1 работа не удалась (сообщение в stderr), 2 неверные аргументы.\n";
}

}  // namespace

CommandRegistrar::CommandRegistrar(const char* name, const char* usage, const char* summary, CommandFn fn) {
    Commands()[name] = Command{usage, summary, fn};
}

std::string TakeOption(std::vector<std::string>& args, const std::string& name, const std::string& fallback) {
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == name) {
            if (i + 1 >= args.size()) throw UsageError{"ключу " + name + " нужно значение"};
            std::string v = args[i + 1];
            args.erase(args.begin() + static_cast<long>(i), args.begin() + static_cast<long>(i) + 2);
            return v;
        }
    }
    return fallback;
}

bool TakeFlag(std::vector<std::string>& args, const std::string& name) {
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == name) {
            args.erase(args.begin() + static_cast<long>(i));
            return true;
        }
    }
    return false;
}

ProgramContext& SelectPlantOnBase(const std::string& base, int plantIndex) {
    ProgramContext& c = Context();
    c.baseFolder = base;
    c.modelBaseFolder = base;
    SelectPlant(c, plantIndex);
    FinishPlantSelection(c, plantIndex);
    return c;
}

int TakePlantIndex(std::vector<std::string>& args) {
    const std::string text = TakeOption(args, "--plant-index", "11");
    int index = -1;
    try {
        size_t used = 0;
        index = std::stoi(text, &used);
        if (used != text.size()) index = -1;
    } catch (const std::exception&) {}
    if (index < 0 || index >= kPlantCount) throw UsageError{"--plant-index: строка таблицы установок от 0 до 16"};
    return index;
}

}  // namespace rw::cli

int main(int argc, char** argv) {
    using namespace rw::cli;
    std::vector<std::string> args(argv + 1, argv + argc);
    try {
        if (TakeFlag(args, rw::kDescribedConfigurationSwitch)) rw::SetConfiguration(rw::Configuration::Described);
        if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
            PrintHelp(args.empty() ? std::cerr : std::cout);
            return args.empty() ? 2 : 0;
        }
        Invocation inv;
        // The settings of the program's menu belong to the working configuration.
        inv.base = rw::WorkingConfiguration() ? rw::DefaultBaseFolder(rw::ProgramFolder())
                                              : rw::BaseFolderOf(rw::ProgramFolder());
        rw::LockWaitPolicy& waiting = rw::LockWaiting();
        waiting.timeoutSeconds = kDefaultWaitSeconds;
        waiting.onNotice = [](const std::string& notice) { std::cerr << notice << "\n"; };
        rw::OwnPrograms().onNotice = [](const std::string& notice) { std::cerr << notice << "\n"; };
        while (!args.empty() && (args[0] == "--base" || args[0] == "--wait")) {
            if (args.size() < 2) throw UsageError{"ключу " + args[0] + " нужно значение"};
            if (args[0] == "--base") inv.base = args[1];
            else waiting.timeoutSeconds = WaitSeconds(args[1]);
            args.erase(args.begin(), args.begin() + 2);
        }
        while (!inv.base.empty() && inv.base.size() > 1 && (inv.base.back() == '/' || inv.base.back() == '\\')) {
            inv.base.pop_back();
        }
        if (args.empty()) throw UsageError{"не указана команда"};
        auto it = Commands().find(args[0]);
        if (it == Commands().end()) throw UsageError{"неизвестная команда «" + args[0] + "»"};
        inv.args.assign(args.begin() + 1, args.end());
        if (TakeFlag(inv.args, "--help")) {
            std::cout << "Вызов: reformer-cli [--base DIR] " << it->second.usage << "\n" << it->second.summary << "\n";
            return 0;
        }
        // Numbers in files are written with '.'; the command line shows them the same way.
        rw::Regional().decimalSeparator = '.';
        return it->second.fn(inv);
    } catch (const UsageError& e) {
        std::cerr << "reformer-cli: " << e.message << "\n\n";
        PrintHelp(std::cerr);
        return 2;
    } catch (const rw::UserError& e) {
        std::cerr << e.what() << "\n";
        return 1;
    } catch (const std::exception& e) {
        std::cerr << e.what() << "\n";
        return 1;
    }
}
