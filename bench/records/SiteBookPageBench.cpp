// `mirelund --site-book` on a book of a million lines: the time to make the page and the peak
// memory it takes. Goal: a few tens of MiB however long the book, with positions or without: the
// memory grows with the detectors that have a position (each kept to the end, as a later
// connection may join it) and with the ports, never with the lines or the connections, as a
// connection without a position is let go to a scratch file beside the page once it is closed;
// the time grows with the book's lines (some seconds for a million). The book without positions,
// each of its connections a section of its own, is the worst case for the page (300 MB). Run by
// hand:
//   build/bench/records/site_book_bench
// The book is written once, to a temporary folder removed at the end. Counters: peak_MiB, the
// process's peak resident memory while the page is made (VmHWM, reset before each run, so it
// holds the book's generator's few MiB too); book_MiB and page_MiB, the files' sizes;
// sections, the detectors' sections on the page.
#include "records/SiteBook.h"
#include "records/SiteBookPage.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr int kLines = 1'000'000;
constexpr int kDetectors = 200;

// The detectors, each on one of four ports, connected again and again: identified, three
// changes confirmed, a calibration, a walk test. `positioned`: each has a position of its own;
// otherwise none has one ("---"), so that no two connections join and every connection is a
// section of its own.
void WriteBook(const fs::path& book, bool positioned) {
    std::ofstream out(book, std::ios::binary);
    out << records::CsvRecord(records::SiteBookColumns(), ',');
    const char* const events[] = {
        records::kEventIdentified,        records::kEventSettingsConfirmed,
        records::kEventSettingsConfirmed, records::kEventSettingsConfirmed,
        records::kEventCalibrationEnded,  records::kEventWalkTest};
    std::mt19937 random(7);
    records::SiteBookEntry e;
    e.sModel = "Halvexa-PC 10";
    e.sVersion = "1.3";
    e.sOutputType = "Relay";
    e.sSetupMethod = "Auto";
    e.sSensitivity = "80";
    e.sVmin = "0.1";
    e.sVmax = "10";
    e.sSupply = "12.1";
    for (int line = 0; line < kLines; ++line) {
        const int connection = line / 6;
        const int detector = static_cast<int>(random() % kDetectors);
        if (line % 6 == 0) {
            e.sPort = "COM" + std::to_string(detector % 4 + 1);
            e.sUnitId = std::to_string(detector % 16);
            e.sPosition =
                positioned ? "Fence " + std::to_string(detector) : records::kNoPositionText;
        }
        const int second = line % 86400;
        char stamp[32];
        std::snprintf(stamp, sizeof stamp, "2026-%02d-%02d %02d:%02d:%02d", 1 + connection / 15000,
                      1 + connection / 500 % 28, second / 3600, second / 60 % 60, second % 60);
        e.sDateTime = stamp;
        e.sEvent = events[line % 6];
        e.sZoneLength = std::to_string(50 + line % 100);
        e.sPL = std::to_string(100 + line % 50);
        e.sLL = std::to_string(200 + line % 50);
        e.sHL = std::to_string(300 + line % 50);
        const bool walkTest = line % 6 == 5;
        e.sWalkTestFolder = walkTest ? std::string(stamp) : "";
        e.walkTestCounts = walkTest
                               ? std::vector<std::string>{"3", "1", "0", "2", "1", "0", "0", "0"}
                               : std::vector<std::string>{};
        out << records::SiteBookLine(e, ',');
    }
}

// Resident memory from /proc/self/status, in MiB: "VmHWM" the peak, "VmRSS" now.
double StatusMiB(const std::string& field) {
    std::ifstream status("/proc/self/status");
    std::string name;
    double kib = 0;
    while (status >> name) {
        if (name == field + ":" && status >> kib) {
            return kib / 1024;
        }
        status.ignore(1 << 10, '\n');
    }
    return 0;
}

// The peak starts again from what is resident now.
void ResetPeak() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

void BM_SiteBookPage(benchmark::State& state) {
    const bool positioned = state.range(0) != 0;
    const fs::path folder =
        fs::temp_directory_path() / ("site-book-bench-" + std::to_string(::getpid()) +
                                     (positioned ? "-positioned" : "-unpositioned"));
    fs::create_directories(folder);
    WriteBook(folder / records::kSiteBookFileName, positioned);
    double peak = 0;
    for (auto _ : state) {
        ResetPeak();
        const records::ReportOutcome outcome = records::WriteSiteBookPage(folder.string());
        peak = std::max(peak, StatusMiB("VmHWM"));
        if (outcome.kind != records::ReportOutcome::Kind::Complete) {
            state.SkipWithError(outcome.sMessage.c_str());
            break;
        }
    }
    std::ifstream page(folder / "Site book.html");
    std::string text((std::istreambuf_iterator<char>(page)), std::istreambuf_iterator<char>());
    std::size_t sections = 0;
    for (std::size_t at = text.find("<section"); at != std::string::npos;
         at = text.find("<section", at + 1)) {
        ++sections;
    }
    state.counters["peak_MiB"] = peak;
    state.counters["book_MiB"] =
        static_cast<double>(fs::file_size(folder / records::kSiteBookFileName)) / (1 << 20);
    state.counters["page_MiB"] = static_cast<double>(text.size()) / (1 << 20);
    state.counters["sections"] = static_cast<double>(sections);
    fs::remove_all(folder);
}
BENCHMARK(BM_SiteBookPage)
    ->ArgName("positioned")
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kSecond)
    ->Iterations(3);

} // namespace

BENCHMARK_MAIN();
