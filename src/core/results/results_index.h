#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "results/results_file.h"

namespace rw {

// A results index (svod.<n>, svod.tmp): results records of 2432 bytes one
// after another, ascending by sampleDate, one record per date, no header.

// The records of index bytes. Bytes at the end that do not make up a whole
// record are ignored.
std::vector<ResultsRecord> DecodeResultsIndex(std::string_view bytes);
std::string EncodeResultsIndex(const std::vector<ResultsRecord>& records);

// Reads an index file. An empty file is an empty index. Throws
// UserError("File not found") when the file is missing.
std::vector<ResultsRecord> ReadResultsIndex(const std::string& path);

// Rewrites an index file whole (atomically) with the records in order.
void WriteResultsIndex(const std::string& path, const std::vector<ResultsRecord>& records);

// Puts `record` into a date-ordered list: it replaces the record of the same
// date, else it goes before the first later record, else at the end.
// Returns its position.
std::size_t InsertOrReplaceByDate(std::vector<ResultsRecord>& records, const ResultsRecord& record);

// Recomputes accumulatedCoke from the record at `position` to the end. The
// first record of the list keeps its own value; every other record adds its
// share of coke over the feed processed since its predecessor, or restarts
// at its own coke when no feed was processed in between.
void RecomputeAccumulatedCoke(std::vector<ResultsRecord>& records, std::size_t position);

// The index an editing window leaves when the file changed under it: the
// file as it is now (`current`), without the dates the window removed from
// what it opened, and with every record the window added or replaced. A
// record the window left as it was opened yields to the file's.
std::vector<ResultsRecord> MergeIndexEdits(const std::vector<ResultsRecord>& opened,
                                           const std::vector<ResultsRecord>& edited,
                                           std::vector<ResultsRecord> current);

// Reads a results file and inserts or replaces its record in the index file
// (created when missing), recomputing the accumulated coke from it on, all
// inside the index's lock, so concurrent additions all land. When
// the results file cannot be read the index is left as it was; the errors
// are those of ReadResultsFile, ReadResultsIndex and WriteResultsIndex.
void AddToResultsIndex(const std::string& resultsPath, const std::string& indexPath);

// The folder index (svod.tmp) rebuilt over a folder the user chose: every
// results file of `folder` (".rez" in any letter case, in name order) is read
// first, then `indexPath` is rewritten once, inside its lock, with their
// records as AddToResultsIndex would leave them one after another (a later
// file of the same date replaces an earlier one). A folder without results
// files leaves an empty index. When a file cannot be read its error is
// thrown, naming the file, and the index is left as it was: never half a
// folder. Returns the names of the files indexed.
std::vector<std::string> IndexResultsFolder(const std::string& folder, const std::string& indexPath);

// A calculation's results stored: the date's results file replaced by
// `bytes` and its record taken into the index (AddToResultsIndex), both or
// neither. Until both are done the earlier results file is kept under a
// hidden name beside it; when either step fails (a full disk, an index that
// cannot be read) it is put back, or the new file removed when there was
// none, and the step's error is thrown. The index is written whole and
// atomically, so it is either as it was or complete.
void StoreResultsWithIndex(const std::string& resultsPath, std::string_view bytes, const std::string& indexPath);

}  // namespace rw
