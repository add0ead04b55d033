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
#include "shell/base_folder.h"
#include "shell/plant_selection.h"

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
    throw UsageError{"--wait takes a number of seconds"};
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
    out << "Usage: reformer-cli [--base DIR] [--wait SECONDS] [--described-configuration] COMMAND [ARGS]\n\n"
           "Prepares and processes the plant data of the reforming model without windows.\n"
           "--base DIR       the base folder (default: the folder chosen in the program, else the one\n"
           "                 named in " << rw::kSystemBaseFolderSetting << ", else\n"
           "                 <folder of reformer-cli>/bin/sk)\n"
           "--wait SECONDS   how long to wait for the base folder or a shared file that another\n"
           "                 user's program holds (default " << kDefaultWaitSeconds << "); then the command fails\n"
           "                 naming the holder\n"
           "--described-configuration  the behaviour and English file messages of the\n"
           "                 demonstration configuration, as the program's option of the same name\n\n"
           "Commands:\n";
    for (const auto& [name, c] : Commands()) out << "  " << c.usage << "\n      " << c.summary << "\n";
    out << "\nExit status: 0 done, 1 the work failed (message on stderr), 2 wrong arguments.\n";
}

}  // namespace

CommandRegistrar::CommandRegistrar(const char* name, const char* usage, const char* summary, CommandFn fn) {
    Commands()[name] = Command{usage, summary, fn};
}

std::string TakeOption(std::vector<std::string>& args, const std::string& name, const std::string& fallback) {
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == name) {
            if (i + 1 >= args.size()) throw UsageError{"option " + name + " needs a value"};
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
        while (!args.empty() && (args[0] == "--base" || args[0] == "--wait")) {
            if (args.size() < 2) throw UsageError{"option " + args[0] + " needs a value"};
            if (args[0] == "--base") inv.base = args[1];
            else waiting.timeoutSeconds = WaitSeconds(args[1]);
            args.erase(args.begin(), args.begin() + 2);
        }
        while (!inv.base.empty() && inv.base.size() > 1 && (inv.base.back() == '/' || inv.base.back() == '\\')) {
            inv.base.pop_back();
        }
        if (args.empty()) throw UsageError{"no command given"};
        auto it = Commands().find(args[0]);
        if (it == Commands().end()) throw UsageError{"unknown command '" + args[0] + "'"};
        inv.args.assign(args.begin() + 1, args.end());
        if (TakeFlag(inv.args, "--help")) {
            std::cout << "Usage: reformer-cli [--base DIR] " << it->second.usage << "\n" << it->second.summary << "\n";
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
