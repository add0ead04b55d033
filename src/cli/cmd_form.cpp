// reformer-cli form: the formation of a composition file from the component
// lists of one sampling date, without the editor.
#include <algorithm>
#include <array>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>

#include "command.h"
#include "common/errors.h"
#include "common/files.h"
#include "composition/component_resolution.h"
#include "composition/component_resolver.h"
#include "composition/component_list.h"
#include "composition/formation.h"
#include "common/text_helpers.h"

namespace rw::cli {
namespace {

constexpr int kPlantCount = 17;

// Thrown by the failing policy at the first name the database cannot place.
struct UnresolvedName {
    std::string name;
};

// "--unknown fail": stop at the first unresolved name, before anything is
// appended or written (the collecting policy of the resolvers would let the
// formation run on and write the file).
class FailOnUnknown : public ComponentResolver {
public:
    std::optional<ComponentTarget> Resolve(const std::string& name, ComponentDatabase&) override {
        throw UnresolvedName{name};
    }
};

std::vector<std::string> Words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string w; in >> w;) words.push_back(w);
    return words;
}

std::array<double, 3> ThreeNumbers(const std::string& option, const std::string& text) {
    const auto words = Words(text);
    if (words.size() != 3) throw UsageError{option + " takes three numbers"};
    std::array<double, 3> values{};
    for (size_t i = 0; i < 3; ++i) {
        try {
            values[i] = TextToNumber(words[i]);
        } catch (const UserError& e) {
            throw UsageError{option + ": " + e.what()};
        }
    }
    return values;
}

std::string TrimmedName(std::string name) {
    while (!name.empty() && name.back() == ' ') name.pop_back();
    return name;
}

std::string UnresolvedReport(const FormationInputs& inputs) {
    std::string report =
        "Unknown components (add them to the database, or run with --unknown ignore); nothing was written:";
    for (const auto& u : FindUnresolvedNames(inputs)) report += "\n  " + u.listFile + ": " + TrimmedName(u.name);
    return report;
}

int Form(Invocation& inv) {
    FormationInputs inputs;
    inputs.baseFolder = inv.base;

    const std::string plantText = TakeOption(inv.args, "--plant-index", "11");
    int plantIndex = -1;
    try {
        size_t used = 0;
        plantIndex = std::stoi(plantText, &used);
        if (used != plantText.size()) plantIndex = -1;
    } catch (const std::exception&) {
    }
    if (plantIndex < 0 || plantIndex >= kPlantCount) throw UsageError{"--plant-index: строка таблицы установок от 0 до 16"};

    const auto fraction = Words(TakeOption(inv.args, "--fraction", " 86 96 113 152 175"));
    if (fraction.size() != inputs.fractionTexts.size()) throw UsageError{"--fraction: нужно пять температур"};
    std::copy(fraction.begin(), fraction.end(), inputs.fractionTexts.begin());

    inputs.density = ThreeNumbers("--density", TakeOption(inv.args, "--density", "0.73 0.73 0.73"));
    inputs.flow = ThreeNumbers("--flow", TakeOption(inv.args, "--flow", "1500 1500 0"));
    if (inputs.flow[2] != 0 && SkipsSideCut(plantIndex)) {
        throw UsageError{"у установки в строке " + std::to_string(plantIndex) + " нет бокового погона: его расход должен быть 0"};
    }

    const std::string unknown = TakeOption(inv.args, "--unknown", "fail");
    if (unknown != "fail" && unknown != "ignore") throw UsageError{"--unknown: fail или ignore"};

    if (inv.args.size() < 2) throw UsageError{"form: нужны FOLDER и SAMPLE"};
    if (inv.args.size() > 2) throw UsageError{"лишний аргумент «" + inv.args[2] + "»"};
    inputs.samplingFolder = inv.args[0];
    while (inputs.samplingFolder.size() > 1 &&
           (inputs.samplingFolder.back() == '/' || inputs.samplingFolder.back() == '\\')) {
        inputs.samplingFolder.pop_back();
    }
    inputs.sampleName = inv.args[1];

    if (unknown == "ignore") {
        // The user's "No" for every name: appended to nlo.
        AutomaticResolver resolver(AutomaticResolver::Policy::Ignore);
        FormComposition(inputs, resolver);
    } else {
        FailOnUnknown resolver;
        try {
            FormComposition(inputs, resolver);
        } catch (const UnresolvedName&) {
            throw UserError(UnresolvedReport(inputs));
        }
    }
    std::cout << ToNative(CompositionFilePath(inputs.samplingFolder, inputs.sampleName)) << "\n";
    return 0;
}

const CommandRegistrar reg(
    "form",
    "form FOLDER SAMPLE [--plant-index N] [--fraction \"NK T10 T50 T90 KK\"] [--density \"D1 D2 D3\"] "
    "[--flow \"Q1 Q2 Q3\"] [--unknown fail|ignore]",
    "Формирует FOLDER/SAMPLE.sk из списков компонентов SAMPLE.SIR, .KAT и (расход Q3 не 0) .BOK по базе "
    "BASE/Basa. По умолчанию: строка установки 11, фракционный состав \" 86 96 113 152 175\", плотности "
    "0.73, расходы 1500 1500 0. --unknown fail (по умолчанию) перечисляет компоненты, которых нет в базе, и "
    "ничего не пишет; --unknown ignore добавляет каждый из них в список пропускаемых nlo.",
    Form);

}  // namespace
}  // namespace rw::cli
