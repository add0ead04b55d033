#pragma once
#include <string>

#include "shell/conditions_record.h"

namespace rw {

// The one process-wide record: where the program works and what it works on.
// Texts are UTF-8; paths use '\' (see common/files.h). The decimal separator
// lives in Regional() (common/regional.h).
struct ProgramContext {
    std::string baseFolder;        // <program folder>\bin\sk, no trailing separator
    std::string modelBaseFolder;   // the same, recorded when the welcome pipeline starts
    int plantIndex = 0;            // row of the plant table, 0..16
    std::string plantCaption;      // stored caption, trailing blanks included
    std::string plantFolder;
    std::string fractionFolder;
    std::string researchFolder;
    std::string fractionProgram;
    int reactorCount = 0;
    std::string entrySampleName;   // dd-mm-yy of the data being entered
    std::string samplingFolder;
    int currentStream = 1;         // 1 feed, 2 catalyzate, 3 side cut
    std::string dataFile;
    std::string dataFolder;        // always ends with '\'
    std::string sampleName;
    std::string lastSampleName;
    ConditionsRecord conditions;

    // Kept for the model runs and the results windows.
    RunConditions runConditions{};
    double activityLow = 0, activityHigh = 0;   // fitting brackets, carried between runs
    double dosingLow = 0.1, dosingHigh = 20.0;
    std::string calculationCaption;
    bool wizard = false;

    // Plant number: plant index + 1 as a decimal text ("1".."17").
    std::string PlantNumber() const { return std::to_string(plantIndex + 1); }
};

// The program's context (one per process).
ProgramContext& Context();

}  // namespace rw
