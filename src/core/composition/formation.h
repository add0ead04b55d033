#pragma once
#include <array>
#include <string>
#include <vector>

#include "composition/component_database.h"
#include "composition/component_resolver.h"
#include "composition/composition_file.h"

namespace rw {

// Formation of the composition file from the component lists of one sampling
// date: every list line looked up in the component database, counted into
// the 69 model components and the group-by-carbon-number tables, the five
// lumps computed, the side cut mixed into the catalyzate by mass flow.

using ModelVector = std::array<double, kModelComponentCount>;  // index 0 = model component 1

// Streams as numbered in a data entry; a stream's list file is
// <samplingFolder>\<sampleName> + ".SIR", ".KAT" or ".BOK".
enum StreamNumber { kFeedStream = 1, kCatalyzateStream = 2, kSideCutStream = 3 };

// Everything a formation reads besides the files: the windows, the command
// line and the tests fill the same record.
struct FormationInputs {
    std::string samplingFolder;  // holds <sampleName>.SIR/.KAT/.BOK and receives <sampleName>.sk
    std::string sampleName;      // entry's sample name, dd-mm-yy
    std::string baseFolder;      // the database is <baseFolder>\Basa
    // Per stream (index 0 feed, 1 catalyzate, 2 side cut): density in g/cm3
    // and volume flow in m3/h, as the editor stored them.
    std::array<double, 3> density{0.73, 0.73, 0.73};
    std::array<double, 3> flow{1500, 1500, 0};
    // Texts of the editor fields F1..F5 (initial boiling point, 10 %, 50 %,
    // 90 %, end point), read with TextToNumber when the file is written.
    std::array<std::string, 5> fractionTexts{" 86", " 96", "113", "152", "175"};
};

// ProcessStream: one stream's 69 model components. The list file is copied
// into <database folder>\basa.dat, counted line by line (names the database
// cannot place go to `resolver`, once per line, in list order), the
// non-n-paraffin groups normalised, the lumps 47, 64, 66, 68 and 69 computed
// (the catalyzate from the normalised tables). basa.dat is erased afterwards,
// also when the stream fails. For the feed, "trafaret" must exist.
// Throws UserError: the file-system message of a missing file, "Invalid
// numeric input" for a line whose value is not a number, "Floating point
// division by zero" when nothing outside the n-paraffins was counted.
ModelVector ProcessStream(int stream, const FormationInputs& inputs, ComponentDatabase& database,
                          ComponentResolver& resolver);

// The catalyzate with the side cut mixed in by mass flow. Throws
// UserError("Floating point division by zero") when both mass flows add up
// to 0.
ModelVector MixStreams(const ModelVector& catalyzate, double catalyzateFlow, double catalyzateDensity,
                       const ModelVector& sideCut, double sideCutFlow, double sideCutDensity);

// FormComposition: feed, catalyzate and (with a side-cut flow) side cut
// processed, mixed, and written to <samplingFolder>\<sampleName>.sk in the
// formation style. The file is written whole at the end through a temporary
// file: any failure (UserError, see ProcessStream; also F1..F5 that are not
// numbers) leaves no new .sk and an existing one unchanged. Returns the
// record written.
CompositionRecord FormComposition(const FormationInputs& inputs, ComponentResolver& resolver);

// A name of the lists that the database can place nowhere (neither a target
// nor on the ignore list), with the list file it stands in (name only).
struct UnresolvedListName {
    std::string listFile;  // "01-09-09.SIR"
    std::string name;      // the 42 name bytes of the line, as the resolver would get them
};

// The unresolved names of the lists FormComposition would read with these
// inputs (the side cut only with a side-cut flow), each once, in list order;
// nothing is asked, appended or written. Lets a caller without a user refuse
// a formation before it starts. Throws UserError like the formation for a
// missing list file or a database file that cannot be read.
std::vector<UnresolvedListName> FindUnresolvedNames(const FormationInputs& inputs);

}  // namespace rw
