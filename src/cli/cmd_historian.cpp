// reformer-cli historian: the historian import of the conditions form
// ("Загрузить данные") without windows; the form's three questions come as
// options.
#include <algorithm>
#include <cstdio>
#include <iostream>
#include <string>

#include "command.h"
#include "common/dates.h"
#include "common/errors.h"
#include "common/number_format.h"
#include "conditions/historian_import.h"
#include "conditions/spreadsheet.h"

namespace rw::cli {
namespace {

constexpr int kEditSulphur = 25;
constexpr int kEditProcessedFeed = 26;
constexpr int kEditFeedFlow = 1;

double DateOption(const std::string& option, const std::string& text) {
    if (text.empty()) throw UsageError{"нужен " + option + " ДД.ММ.ГГГГ"};
    int d = 0, m = 0, y = 0, used = 0;
    if (std::sscanf(text.c_str(), "%2d.%2d.%4d%n", &d, &m, &y, &used) != 3 ||
        static_cast<size_t>(used) != text.size() || !IsValidDate(y, m, d)) {
        throw UsageError{option + ": «" + text + "» не дата (ДД.ММ.ГГГГ)"};
    }
    return EncodeDate(y, m, d);
}

void PrintField(int edit, const std::string& text) { std::cout << "Edit" << edit << ' ' << text << '\n'; }

int Historian(Invocation& inv) {
    const bool sheetGiven = std::find(inv.args.begin(), inv.args.end(), "--sheet") != inv.args.end();
    const std::string sheetName = TakeOption(inv.args, "--sheet");
    const double sampling = DateOption("--sampling", TakeOption(inv.args, "--sampling"));
    const double regeneration = DateOption("--regeneration", TakeOption(inv.args, "--regeneration"));
    const std::string sulphur = TakeOption(inv.args, "--sulphur");
    double sulphurValue = 0;
    // The form's sulphur field takes the strict notation only ("." for decimals).
    if (!ParseStrictNumber(sulphur, sulphurValue, '.')) {
        throw UsageError{"--sulphur: «" + sulphur + "» не число"};
    }
    if (inv.args.size() != 1 || inv.args[0].rfind("--", 0) == 0) throw UsageError{"historian: нужна одна книга WORKBOOK"};
    // The form asks again; here the answers are the arguments, so they are wrong.
    if (!DatesInOrder(sampling, regeneration)) throw UsageError{kWrongDateOrder};

    const std::string& path = inv.args[0];
    const auto book = OpenWorkbook(path, '.');
    const auto& names = book->SheetNames();
    size_t sheet = 0;
    if (sheetGiven) {
        const auto it = std::find(names.begin(), names.end(), sheetName);
        if (it == names.end()) {
            std::string list;
            for (const auto& n : names) list += (list.empty() ? "" : ", ") + n;
            throw UsageError{"в книге нет листа «" + sheetName + "»; ее листы: " + list};
        }
        sheet = static_cast<size_t>(it - names.begin());
    } else if (names.size() > 1) {
        std::cerr << "reformer-cli: в книге листов: " << names.size() << "; читается первый, «" << names[0]
                  << "» (другой выбирают ключом --sheet NAME)\n";
    }

    std::string feedFlow;
    for (const ImportedField& f : ReadHistorianFields(*book->OpenSheet(sheet))) {
        PrintField(f.editNumber, f.text);
        if (f.editNumber == kEditFeedFlow) feedFlow = f.text;
    }
    PrintField(kEditSulphur, sulphur);
    std::cout.flush();
    PrintField(kEditProcessedFeed, ProcessedFeedText(feedFlow, sampling, regeneration));
    return 0;
}

const CommandRegistrar reg(
    "historian", "historian WORKBOOK --sampling DD.MM.YYYY --regeneration DD.MM.YYYY --sulphur S [--sheet NAME]",
    "Загружает выгрузку историка (.xls, .xlsx или .csv), как \"Загрузить данные\" формы технологических "
    "условий, и выводит по строке на каждое заполняемое поле, \"EditN значение\" (дробная часть через "
    "\".\"): поля тегов, серу и объем переработанного сырья, вычисленный по расходу сырья и двум датам. Без "
    "--sheet книга из нескольких листов читается с первого (об этом сообщается в stderr). Ничего не "
    "записывается.",
    Historian);

}  // namespace
}  // namespace rw::cli
