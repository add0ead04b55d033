// The "Открыть" action on a Detailed Hydrocarbon Analysis report: conversion
// to a component list, tidying and the running sum.
#include "common/errors.h"
#include "common/files.h"
#include "composition/report_import.h"
#include "fuzz_support.h"

using namespace rw;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string report = fuzz::WriteScratch("report.DHA", fuzz::AsBytes(data, size));
    try {
        OpenedList list = OpenComponentList(report, 2);
        // Every converted line is a whole list line: 35 name bytes, the gap,
        // the 6 value bytes.
        for (const auto& line : SplitLines(ReadFileBytes(list.file))) fuzz::Check(line.size() == kListLineLength);
        for (const auto& line : list.lines) fuzz::Check(line.size() >= kListLineLength - 1);
    } catch (const UserError&) {
    }
    return 0;
}
