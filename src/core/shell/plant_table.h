#pragma once
#include <array>
#include <string>

namespace rw {

// One row of the plant table compiled into the program.
struct PlantRow {
    const char* listCaption;    // what the plant list shows
    const char* storedCaption;  // what goes into the program context (trailing blanks included)
    const char* subPath;        // below the base folder, '\' separated
    const char* fractionProgram;
};

constexpr int kPlantCount = 17;
const std::array<PlantRow, kPlantCount>& PlantTable();

}  // namespace rw
