#include "results/results_index.h"

#include "common/errors.h"
#include "common/file_lock.h"
#include "common/files.h"

#include <algorithm>
#include <cstdio>

namespace rw {

std::vector<ResultsRecord> DecodeResultsIndex(std::string_view bytes) {
    const std::size_t count = bytes.size() / kResultsRecordSize;
    std::vector<ResultsRecord> records;
    records.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        records.push_back(DecodeResultsRecord(bytes.data() + i * kResultsRecordSize));
    }
    return records;
}

std::string EncodeResultsIndex(const std::vector<ResultsRecord>& records) {
    std::string bytes(records.size() * kResultsRecordSize, '\0');
    for (std::size_t i = 0; i < records.size(); ++i) {
        EncodeResultsRecord(records[i], bytes.data() + i * kResultsRecordSize);
    }
    return bytes;
}

std::vector<ResultsRecord> ReadResultsIndex(const std::string& path) {
    return DecodeResultsIndex(ReadFileBytes(path));
}

void WriteResultsIndex(const std::string& path, const std::vector<ResultsRecord>& records) {
    WriteFileAtomic(path, EncodeResultsIndex(records));
}

std::size_t InsertOrReplaceByDate(std::vector<ResultsRecord>& records, const ResultsRecord& record) {
    // A walk from the front rather than a binary search: an index written by
    // an older version may not be in order, and the walk treats it the same
    // way every time.
    auto later = std::find_if(records.begin(), records.end(),
                              [&](const ResultsRecord& r) { return r.sampleDate > record.sampleDate; });
    if (later != records.begin() && std::prev(later)->sampleDate == record.sampleDate) {
        *std::prev(later) = record;
        return static_cast<std::size_t>(std::prev(later) - records.begin());
    }
    const auto inserted = records.insert(later, record);
    return static_cast<std::size_t>(inserted - records.begin());
}

void RecomputeAccumulatedCoke(std::vector<ResultsRecord>& records, std::size_t position) {
    for (std::size_t i = std::max<std::size_t>(position, 1); i < records.size(); ++i) {
        const ResultsRecord& previous = records[i - 1];
        ResultsRecord& current = records[i];
        const double processed = current.processedFeed - previous.processedFeed;
        if (processed > 0) {
            current.accumulatedCoke =
                current.coke / current.processedFeed * processed + previous.accumulatedCoke;
        } else {
            current.accumulatedCoke = current.coke;
        }
    }
}

namespace {

bool SameBytes(const ResultsRecord& a, const ResultsRecord& b) {
    return EncodeResultsIndex({a}) == EncodeResultsIndex({b});
}

}  // namespace

std::vector<ResultsRecord> MergeIndexEdits(const std::vector<ResultsRecord>& opened,
                                           const std::vector<ResultsRecord>& edited,
                                           std::vector<ResultsRecord> current) {
    auto hasDate = [](const std::vector<ResultsRecord>& list, double date) {
        return std::any_of(list.begin(), list.end(), [&](const ResultsRecord& r) { return r.sampleDate == date; });
    };
    for (const ResultsRecord& r : opened) {
        if (hasDate(edited, r.sampleDate)) continue;
        current.erase(std::remove_if(current.begin(), current.end(),
                                     [&](const ResultsRecord& c) { return c.sampleDate == r.sampleDate; }),
                      current.end());
    }
    for (const ResultsRecord& r : edited) {
        const bool untouched = std::any_of(opened.begin(), opened.end(), [&](const ResultsRecord& o) {
            return o.sampleDate == r.sampleDate && SameBytes(o, r);
        });
        if (!untouched) InsertOrReplaceByDate(current, r);
    }
    return current;
}

void AddToResultsIndex(const std::string& resultsPath, const std::string& indexPath) {
    const ResultsRecord record = ReadResultsFile(resultsPath);
    // Another instance may add its own date at the same time: the index is
    // read again inside the lock so that both records land.
    SharedFileLock lock(indexPath);
    std::vector<ResultsRecord> records;
    if (FileExists(indexPath)) records = ReadResultsIndex(indexPath);
    const std::size_t position = InsertOrReplaceByDate(records, record);
    RecomputeAccumulatedCoke(records, position);
    WriteResultsIndex(indexPath, records);
}

std::vector<std::string> IndexResultsFolder(const std::string& folder, const std::string& indexPath) {
    const std::vector<std::string> names = ListFiles(folder, "*.rez");
    std::vector<ResultsRecord> records;
    for (const std::string& name : names) {
        const std::string path = JoinPath(folder, name);
        ResultsRecord record;
        try {
            record = ReadResultsFile(path);
        } catch (const IncompleteResultsError&) {
            throw;  // names the file already
        } catch (const UserError& e) {
            // One file of many: the message says which.
            throw UserError(std::string(e.what()) + ": " + ToNative(path));
        }
        RecomputeAccumulatedCoke(records, InsertOrReplaceByDate(records, record));
    }
    SharedFileLock lock(indexPath);
    WriteResultsIndex(indexPath, records);
    return names;
}

namespace {

// A rename needs no room on the disk, so putting the earlier file back
// works when writing has just failed for want of it.
bool RenameFile(const std::string& from, const std::string& to) {
    return std::rename(ToNative(from).c_str(), ToNative(to).c_str()) == 0;
}

std::string KeptAside(const std::string& path) {
    const size_t cut = path.find_last_of("\\/");
    const size_t name = cut == std::string::npos ? 0 : cut + 1;
    return path.substr(0, name) + "." + path.substr(name) + ".old";
}

}  // namespace

void StoreResultsWithIndex(const std::string& resultsPath, std::string_view bytes, const std::string& indexPath) {
    const std::string aside = KeptAside(resultsPath);
    const bool had = FileExists(resultsPath);
    if (had && !RenameFile(resultsPath, aside)) throw UserError(FileAccessDeniedMessage(resultsPath));
    try {
        WriteFileAtomic(resultsPath, bytes);
        AddToResultsIndex(resultsPath, indexPath);
    } catch (...) {
        if (had) {
            RenameFile(aside, resultsPath);
        } else if (FileExists(resultsPath)) {
            std::remove(ToNative(resultsPath).c_str());
        }
        throw;
    }
    if (had) std::remove(ToNative(aside).c_str());
}

}  // namespace rw
