#pragma once
#include <array>
#include <string>
#include <string_view>

#include "conditions/conditions_edits.h"
#include "shell/program_context.h"

namespace rw {

// Recommendations after a reforming run: the state of the catalyst judged by
// its activity and cracking number, and the chlorine-organic feed that holds
// the chlorine on the catalyst, worked out from the plant's coefficient file
// clor-dan.<n>, the reactor weights of l90 and the conditions on the form.

// The coefficient file clor-dan.<n> of the base folder: thirteen numbers in
// the model's free format. The first nine are read as number tokens across
// line ends; the rest of the line that holds the ninth is skipped (room for a
// note there); the last four follow. The end of the file reads as 0.
struct ChlorineCoefficients {
    std::array<double, 13> values{};  // values[0] is the first number of the file
    std::string fileName = "clor-dan";  // named in the messages about zero coefficients

    double a3() const { return values[2]; }  // multiplies the feed flow (feed density, t/m3)
    double a6() const { return values[5]; }  // multiplies the gas flow
    double a9() const { return values[8]; }  // coefficient of the gas term
    double b1() const { return values[9]; }  // b1..b4: the chlorine balance of the catalyst
    double b2() const { return values[10]; }
    double b3() const { return values[11]; }
    double b4() const { return values[12]; }
};

// Throws UserError("Invalid numeric input") for a token that is not a number.
ChlorineCoefficients ParseChlorineCoefficients(std::string_view bytes);
// Also throws UserError("File not found") when the file is missing.
ChlorineCoefficients ReadChlorineCoefficients(const std::string& path);

// base folder + "\clor-dan." + plant number.
std::string ChlorineCoefficientsPath(const ProgramContext& context);

// The conditions the dosing uses, as they stand on the conditions form.
struct DosingConditions {
    double moisture = 0;                     // gas moisture, % (Edit24)
    std::array<double, 3> inletTemperature{};  // Edit7..Edit9
    std::array<double, 3> temperatureDrop{};   // Edit11..Edit13
    double gasFlow = 0;                      // m3/h (Edit2)
    double feedFlow = 0;                     // m3/h (Edit1)
};

// Reads the form texts with TextToNumber; a text that is not a number throws
// its conversion error ("'%s' is not a valid floating point value").
DosingConditions DosingConditionsFromEdits(const ConditionsEditTexts& edits);

// Every intermediate of the dosing, so that a check can follow the working.
struct ChlorineDosing {
    double meanTemperature = 0;  // S: inlet temperature less half the drop, weighted by l90
    double g = 0;                // G / 10
    double A1 = 0, A2 = 0, A5 = 0;
    double Rq = 0;               // water to chlorine ratio of the balance at S
    double chlorine = 0;         // Cl, ppm by weight of feed
    double E = 0;                // chlorine, kg per day
    double dichloroethane = 0;   // l/day
    double carbonTetrachloride = 0;  // l/day
};

// Works the dosing out. A zero feed flow, a zero a3, b1 or b4, a zero Rq,
// reactor weights that add up to zero, or a result that is not a finite
// number throw UserError with a Russian message saying which value is at
// fault, so the window never shows inf or nan.
ChlorineDosing ComputeChlorineDosing(const ChlorineCoefficients& k, const std::array<double, 3>& weights,
                                     const DosingConditions& conditions);

// The dosing advice of the plant of `context`: its coefficient file, the
// reactor weights of l90 read inside the base folder's lock with this
// plant's settings put back (another instance may have selected another
// plant since), the conditions as the form holds them, then
// ComputeChlorineDosing. Throws, in that order, the errors of
// ReadChlorineCoefficients, ReadReactorWeights, DosingConditionsFromEdits
// and ComputeChlorineDosing.
ChlorineDosing WorkOutPlantDosing(const ProgramContext& context, const ConditionsEditTexts& formTexts);

// "Подачи хлорорганики": the chlorine-dosing program selvin.exe of the base
// folder, started in a normal window and waited for without limit, inside
// the base folder's lock with this plant's settings put back. With
// `capturePrinted` what it prints is caught in a temporary file and
// returned as bytes (a console program prints to a terminal the user does
// not have). A program that could not be started is told by `started`;
// one that crashed throws UserError(FailedRunMessage).
struct DosingProgramEnd {
    bool started = true;
    std::string printed;
};
DosingProgramEnd RunDosingProgram(const ProgramContext& context, bool capturePrinted);
inline constexpr const char* kDosingProgram = "selvin.exe";

// The text of Label5: chlorine, dichloroethane and carbon tetrachloride, each
// in fixed notation with precision 5 and 2 decimals, lines separated by a
// carriage return (character 13).
std::string DosingText(const ChlorineDosing& dosing, char decimalSeparator);

// Activity and cracking number in general format with precision 5 (AKt, Nm).
std::string AdviceValueText(double value, char decimalSeparator);

// The reason and advice by the results of the last run: activity below 0.8
// asks to watch the activity; otherwise a cracking number of 2.5 or more
// calls for chlorine-organics, a lower one for water. Lines are separated by
// a carriage return (character 13).
struct AdviceTexts {
    std::string reason;  // reas
    std::string advice;  // ad
};
AdviceTexts AdviceFor(double activity, double crackingNumber);

constexpr double kActivityThreshold = 0.8;
constexpr double kCrackingThreshold = 2.5;

}  // namespace rw
