// Report import on damaged input that once took minutes.
#include <gtest/gtest.h>

#include <chrono>

#include "common/files.h"
#include "composition/report_import.h"
#include "test_support.h"

namespace rw {
namespace {

const std::string kTrans = "\x92\x90\x80\x8D\x91";  // "ТРАНС", cp866
const std::string kT = "\x92";

std::string TxtReport(const std::string& name) {
    return "header\r\n************\r\nheading\r\n" + std::string(21, ' ') + "12.345 " + name + "\r\n" +
           std::string(20, '-') + "\r\n";
}

std::string ConvertedName(const test::TempDir& dir, const std::string& name) {
    const std::string list = ConvertTxtReport(dir.Write("r.TXT", TxtReport(name)), 1);
    return ReadFileBytes(list).substr(0, 43);
}

// Every "ТРАНС" of a long name was shortened by searching the whole name
// again after each shortening: a damaged report with one line of 400,000
// such words took minutes. It must take a moment and give the same name.
TEST(HardeningImport, LongLineOfTransWordsConvertsInOnePass) {
    test::TempDir dir;
    std::string name;
    for (int i = 0; i < 400000; ++i) name += kTrans;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(ConvertedName(dir, name), std::string(43, kT[0]));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
}

// The one-pass shortening gives what shortening the first occurrence again
// and again gives, also where a shortening makes a new occurrence.
TEST(HardeningImport, TransShorteningMatchesRepeatedShortening) {
    test::TempDir dir;
    const std::string filler(40, 'A');
    // "Т" + "ТРАНС" + "РАНС": shortening the inner word leaves "ТТРАНС", whose
    // second word is shortened too.
    EXPECT_EQ(ConvertedName(dir, filler + kT + kTrans + "\x90\x80\x8D\x91" + "B"),
              (filler + kT + kT + "B" + std::string(43, ' ')).substr(0, 43));
    // Short names keep their words.
    EXPECT_EQ(ConvertedName(dir, kTrans + "X"), (kTrans + "X" + std::string(43, ' ')).substr(0, 43));
}

}  // namespace
}  // namespace rw
