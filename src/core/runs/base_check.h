#pragma once
#include <string>
#include <vector>

namespace rw {

// A base folder read whole before the first calculation on it, typically one
// brought from another machine: per plant its sampling dates, the files of
// each date and the results history, then the model programs. Each finding
// says whether it would stop a calculation (an error) or only deserves a look
// (a warning).
struct BaseCheckFinding {
    bool stopsCalculation = false;
    std::string text;  // Russian, naming the file or folder
};

struct BaseCheckReport {
    std::string baseFolder;           // as the user gave it
    std::vector<std::string> lines;   // the report's body, findings in place
    std::vector<BaseCheckFinding> findings;

    int Errors() const;
    int Warnings() const;
    // The report as text, ended by a summary line; '\n' line ends.
    std::string Text() const;
};

// Reads every plant folder, date folder, conditions, composition and results
// file and history of `baseFolder`. Never throws for what it finds in the
// folder: a file that cannot be read becomes a finding with the reader's
// message.
BaseCheckReport CheckBaseFolder(const std::string& baseFolder);

}  // namespace rw
