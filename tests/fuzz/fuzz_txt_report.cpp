// The "Открыть" action on the cp866 table report: conversion (with the
// shortening of "ТРАНС" in long names), tidying and the running sum.
#include "common/errors.h"
#include "common/files.h"
#include "composition/report_import.h"
#include "fuzz_support.h"

using namespace rw;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string report = fuzz::WriteScratch("report.TXT", fuzz::AsBytes(data, size));
    try {
        OpenedList list = OpenComponentList(report, 1);
        fuzz::Check(list.dosNames);
        for (const auto& line : SplitLines(ReadFileBytes(list.file))) fuzz::Check(line.size() == kListLineLength);
    } catch (const UserError&) {
    }
    return 0;
}
