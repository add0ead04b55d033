#pragma once
#include <string>
#include <vector>

namespace rw {
struct ProgramContext;
}  // namespace rw

namespace rw::cli {

// What every command gets: the base folder and its own arguments.
struct Invocation {
    std::string base;               // base folder, in the program's notation
    std::vector<std::string> args;  // arguments after the command name
};

// Thrown for wrong arguments: printed with the usage, exit status 2.
struct UsageError {
    std::string message;
};

using CommandFn = int (*)(Invocation&);

// Commands register themselves from their own source files.
struct CommandRegistrar {
    CommandRegistrar(const char* name, const char* usage, const char* summary, CommandFn fn);
};

// Takes "--name VALUE" out of args; empty when absent. Throws UsageError
// when the option has no value.
std::string TakeOption(std::vector<std::string>& args, const std::string& name, const std::string& fallback = {});
bool TakeFlag(std::vector<std::string>& args, const std::string& name);
// Takes "--plant-index N" out of args (11 when absent): a row of the plant
// table. Throws UsageError for anything else.
int TakePlantIndex(std::vector<std::string>& args);

// The program's context on `base` with the plant of row `plantIndex` chosen,
// as the plant window leaves it. Taken under the caller's base-folder lock.
ProgramContext& SelectPlantOnBase(const std::string& base, int plantIndex);

}  // namespace rw::cli
