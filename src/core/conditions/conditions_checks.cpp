#include "conditions/conditions_checks.h"

#include <cmath>

#include "common/dates.h"
#include "common/errors.h"
#include "common/number_format.h"
#include "common/text_helpers.h"

namespace rw {

namespace {

std::string Number(double v) { return FormatGeneral(v, 15, '.'); }

bool IsBlankText(const std::string& text) { return text.find_first_not_of(' ') == std::string::npos; }

}  // namespace

const std::vector<FieldRange>& ConditionsFieldRanges() {
    // Wide enough for every plant the program serves; a value outside is a
    // slip of the hand or a value in the wrong unit.
    static const std::vector<FieldRange> ranges = {
        {26, "Объем переработанного сырья, т", 0, 10000000},
        {2, "Расход ВСГ, м3/час", 0, 1000000},
        {24, "Влажность ВСГ, %", 0, 100},
        {25, "Серы в гидрогенизате, ppm", 0, 10000},
        {1, "Расход сырья, м3/час", 0, 5000},
        {3, "Давление, атм. (Р - 2)", 0, 100},
        {4, "Давление, атм. (Р - 3)", 0, 100},
        {5, "Давление, атм. (Р - 4)", 0, 100},
        {27, "Давление, атм. (Р - 5)", 0, 100},
        {7, "Температура, °С (Р - 2)", 0, 650},
        {8, "Температура, °С (Р - 3)", 0, 650},
        {9, "Температура, °С (Р - 4)", 0, 650},
        {28, "Температура, °С (Р - 5)", 0, 650},
        {11, "Перепад темп., °С (Р - 2)", -50, 200},
        {12, "Перепад темп., °С (Р - 3)", -50, 200},
        {13, "Перепад темп., °С (Р - 4)", -50, 200},
        {29, "Перепад темп., °С (Р - 5)", -50, 200},
        {15, "Состав ВСГ, Н2", 0, 100},
        {16, "Состав ВСГ, С1", 0, 100},
        {17, "Состав ВСГ, С2", 0, 100},
        {18, "Состав ВСГ, С3", 0, 100},
        {19, "Состав ВСГ, н-С4", 0, 100},
        {20, "Состав ВСГ, изо-С4", 0, 100},
        {21, "Состав ВСГ, н-С5", 0, 100},
        {22, "Состав ВСГ, изо-С5", 0, 100},
        {23, "Состав ВСГ, С6", 0, 100},
    };
    return ranges;
}

const FieldRange* ConditionsFieldRange(int edit) {
    for (const FieldRange& r : ConditionsFieldRanges()) {
        if (r.edit == edit) return &r;
    }
    return nullptr;
}

std::string NotANumberMessage(const std::string& caption, const std::string& text) {
    return "Поле «" + caption + "»: «" + text + "» не число (дробную часть отделяют точкой или запятой).";
}

ConditionsCheck CheckConditionsEdits(const ConditionsEditTexts& edits, bool withFifthReactor, double samplingDate,
                                     double regenerationDate) {
    ConditionsCheck check;
    double gasSum = 0;
    auto refuse = [&check](int edit, std::string text) {
        if (check.firstRefusedEdit == 0) check.firstRefusedEdit = edit;
        check.refusals.push_back(std::move(text));
    };
    for (const FieldRange& r : ConditionsFieldRanges()) {
        if (r.edit >= kEditExtension && !withFifthReactor) continue;
        const std::string& text = edits[static_cast<size_t>(r.edit)];
        if (IsBlankText(text)) {
            refuse(r.edit, "Поле «" + std::string(r.caption) + "» не заполнено.");
            continue;
        }
        double v = 0;
        try {
            v = TextToNumber(text, '.');
        } catch (const UserError&) {
            refuse(r.edit, NotANumberMessage(r.caption, text));
            continue;
        }
        if (!(v >= r.min && v <= r.max)) {
            refuse(r.edit, "Поле «" + std::string(r.caption) + "»: " + Number(v) + " вне физических пределов, от " +
                               Number(r.min) + " до " + Number(r.max) + ".");
            continue;
        }
        if (r.edit >= kEditGasComposition && r.edit < kEditGasComposition + 9) gasSum += v;
    }
    if (regenerationDate > samplingDate) {
        check.refusals.push_back("Дата регенерации катализатора " + FormatDateShort(regenerationDate) +
                                 " позже даты отбора " + FormatDateShort(samplingDate) + ".");
    }
    if (check.refusals.empty() && std::fabs(gasSum - 100.0) > kGasSumTolerance) {
        check.question = "Сумма состава ВСГ " + FormatFixed(gasSum, 0, 3) + " % далека от 100 %. Сохранить всё же?";
    }
    return check;
}

ConditionsEditTexts WithPointDecimals(const ConditionsEditTexts& edits) {
    ConditionsEditTexts out = edits;
    for (std::string& text : out) {
        text = RemoveBlanks(text);
        for (char& c : text) {
            if (c == ',') c = '.';
        }
    }
    return out;
}

}  // namespace rw
