#pragma once
#include <array>
#include <string>
#include <string_view>

#include "common/file_lock.h"
#include "shell/program_context.h"

namespace rw {

// Plant selection of row r (0..16), inside the base folder's lock: copies
// l90.N to l90 and kfr1.N to kfr1 in the base folder, creates the fraction and research folders and reads the
// reactor count; fills the plant fields of the context. A missing l90.N
// throws UserError("File not found") after l90 has been emptied and the
// caption changed, as the user then sees it. A missing kfr1.N is ignored.
void SelectPlant(ProgramContext& context, int row);

// Puts the settings copies l90 and kfr1 of the plant of context.plantIndex
// back into the base folder: another instance on the same base folder may
// have selected another plant since. A missing l90.N leaves both as they
// are. Takes the base folder's lock; a calculation calls it inside its own.
void EstablishPlantSettings(const ProgramContext& context);

// What a calculation holds while it prepares and uses the model, dosing or
// fraction programs' working files: the base folder's lock, with the
// plant's settings copies put back inside it.
class CalculationLock {
public:
    explicit CalculationLock(const ProgramContext& context) : lock_(context.baseFolder) { EstablishPlantSettings(context); }

private:
    BaseFolderLock lock_;
};

// End of plant selection: records the plant index.
void FinishPlantSelection(ProgramContext& context, int row);

// A plant other than the one in force was chosen: nothing of the previous
// plant's sampling dates may reach the next one. The data file, folder and
// sample name, the last sample name, the entry's sample and folder, the
// conditions record, the run record and its fitting brackets, the
// calculation caption and the wizard flag return to what a freshly started
// program holds; the base folders and the plant fields stay.
void ForgetSamplingDate(ProgramContext& context);

// " Установка: " + caption + 28 blanks + "Дата отбора: " + sample name. The
// working configuration leaves the date part out while no date is current.
std::string MainWindowCaption(const ProgramContext& context);

// Plant number text of a row: "1".."17".
std::string GetNumU(int row);

// Reactor count from the first line of l90: the first decimal digit from
// character position 43 on; below 3 gives 3, no digit gives 3, above 6 is
// limited to 6 (a run conditions record holds at most 6 reactors).
int ReactorCountFromLine(std::string_view firstLine);

// Plant settings file l90: the three reactor weights of line 2 and the plant
// constant of line 7 (first number). Throw UserError when the line or number
// is missing ("Invalid numeric input").
std::array<double, 3> ReadReactorWeights(const std::string& l90Path);
double ReadPlantConstant(const std::string& l90Path);

// Exit confirmation "Да": deletes every *.bak file of the base folder. Stops
// with the file-system message at the first file that cannot be deleted.
void DeleteBakFiles(const std::string& baseFolder);

// Base folder of a program in `programFolder`: programFolder + "\bin\sk".
std::string BaseFolderOf(const std::string& programFolder);

}  // namespace rw
