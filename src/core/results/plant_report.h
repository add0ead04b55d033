#pragma once
#include <array>
#include <string>
#include <vector>

namespace rw {

// The plant report computes nothing: it sets side by side the texts that the
// result windows show at the moment it is built. These are those texts,
// named after the controls that hold them.

// The comparison window: the latest calculation (LabelN) beside the compared
// results file (CN), and the two dates.
struct ComparisonWindowTexts {
    std::string Label25, Label24;
    std::string Label15, C1;   // activity
    std::string Label16, C2;   // cracking number
    std::string Label17, C3;   // hydrogen in the gas
    std::string Label18, C4;   // feed rate
    std::string Label19, C5;   // isomerization
    std::string Label20, C6;   // dehydrocyclization
    std::string Label22, C7;   // n/i ratio of the feed
    std::string Label21, C8;   // n/i ratio of the catalyzate
    std::string Label23, C9;   // reformate yield
    std::string Label12, C10;  // methylcyclopentane
    std::string Label27, C11;  // processed feed
    std::string Label29, C12;  // octane number
};

// The feed information window: its title, the six row captions (Label2 to
// Label7), the current sample's values (F1..F6) and the compared ones (Ff1..Ff6).
struct FeedInfoWindowTexts {
    std::string Label1;
    std::array<std::string, 6> captions;
    std::array<std::string, 6> current;
    std::array<std::string, 6> compared;
};

// The recommendations window: the caption of the recommended feed and the doses.
struct AdviceWindowTexts {
    std::string Label2, Label5;
};

// The metal and acid activity window.
struct ActivityWindowTexts {
    std::string GroupBox1;                     // "Металлическая активность"
    std::array<std::string, 4> metalCaptions;  // Label1..Label4
    std::array<std::string, 4> metalResearch;  // Mb1..Mb4
    std::array<std::string, 4> metalCompared;  // M1..M4
    std::string GroupBox2;                     // "Кислотная активность"
    std::array<std::string, 2> acidCaptions;   // Label12, Label13
    std::array<std::string, 2> acidResearch;   // Kb1, Kb2
    std::array<std::string, 2> acidCompared;   // K1, K2
};

struct PlantReportTexts {
    std::string plantCaption;  // as the program context holds it
    ComparisonWindowTexts comparison;
    FeedInfoWindowTexts feedInfo;
    AdviceWindowTexts advice;
    ActivityWindowTexts activity;
};

constexpr int kPlantReportLines = 44;

// The 44 lines of the plant report (UTF-8). The captions of the value lines
// are 32 characters wide so that the values start in column 33; an empty
// line holds one blank.
std::vector<std::string> BuildPlantReport(const PlantReportTexts& texts);

}  // namespace rw
