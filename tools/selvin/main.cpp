// Demonstration stand-in for the chlorine-dosing program selvin.exe. The
// program starts it and reads nothing back, so this one writes no file: it
// reports, from the last model run left in its working folder, the
// dichloroethane feed that would hold the chlorine on catalyst at 1.0 %.
#include <filesystem>
#include <iostream>
#include <string>

#include "../vortan/demo_model.h"
#include "common/files.h"
#include "common/number_format.h"
#include "conditions/conditions_file.h"
#include "results/results_file.h"
#include "shell/plant_selection.h"

int main(int argc, char** argv) {
    const std::string name = std::filesystem::path(argv[0]).filename().string();
    // The first line is what the program's window shows beside the answer: Russian only.
    std::cout << name << ": демонстрационная замена программы расчета подачи хлорорганики "
                         "(не настоящая программа); файлы не записываются.\n";
    if (argc > 1 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h")) {
        std::cout << "(demonstration stand-in, not the real program)\nUsage: " << name << "\nReads dan.bak and rez of the last model run in the current folder, if any,\n"
                  << "and prints the dichloroethane feed the demonstration model needs for 1.0 % chlorine.\n";
        return 0;
    }
    try {
        if (!rw::FileExists("dan.bak")) {
            std::cout << "Нет файла dan.bak: расчет модели еще не проводился, считать нечего.\n";
            return 0;
        }
        int reactors = 3;
        if (rw::FileExists("l90")) {
            auto lines = rw::SplitLines(rw::ReadFileBytes("l90"));
            if (!lines.empty()) reactors = rw::ReactorCountFromLine(lines[0]);
        }
        rw::RunConditions run{};
        rw::ReadRunConditions("dan.bak", reactors, run);
        const demo::Conditions c = demo::FromRunConditions(run, reactors);
        std::cout << "Влажность ВСГ: " << rw::FormatGeneral(c.moisture) << " %; температура на входе в Р-202: "
                  << rw::FormatGeneral(c.inlet[0]) << " град. С; подача дихлорэтана: " << rw::FormatGeneral(c.dosing[0])
                  << " ppm.\n";
        if (rw::FileExists("rez")) {
            const rw::ResultsRecord r = rw::ParseResultsText(rw::ReadFileBytes("rez"));
            std::cout << "Хлор на катализаторе (Р-202, Р-203, Р-204): " << rw::FormatGeneral(r.chlorineR202) << ", "
                      << rw::FormatGeneral(r.chlorineR203) << ", " << rw::FormatGeneral(r.chlorineR204) << " %.\n";
        }
        std::cout << "Подача дихлорэтана для 1.0 % хлора на катализаторе: "
                  << rw::FormatFixed(demo::DosingForChlorine(1.0, c.moisture, c.inlet[0]), 1, 2) << " ppm.\n";
    } catch (const std::exception& e) {
        std::cerr << name << ": " << e.what() << "\n";
        return 1;
    }
    return 0;
}
