// The site book's lines: what the window knows of the connected detector when it is
// identified, when a change of its settings is confirmed, when its calibration ends and
// when a walk test that included it stops.
#include "console/Main.h"

#include "catalogue/CorrespondenceTables.h"
#include "catalogue/DateTime.h"
#include "catalogue/DetectorCatalogue.h"
#include "catalogue/NumberFormat.h"
#include "catalogue/ValueScales.h"

#include <cstdio>
#include <utility>

namespace console {

namespace {

std::string LocalDateTime(double now) {
    const catalogue::DateTimeParts t = catalogue::DecodeDateTime(now);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day,
                  t.hour, t.minute, t.second);
    return text;
}

std::string EntryAt(const std::vector<std::string>& entries, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < entries.size()
               ? entries[static_cast<std::size_t>(index)]
               : std::string("---");
}

} // namespace

void TfmMain::WriteSiteBook(const char* event, const std::string& walkTestFolder,
                            const std::vector<std::string>& walkTestCounts) {
    if (!siteBook)
        return;
    records::SiteBookEntry e = DetectorEntry(event);
    e.sWalkTestFolder = walkTestFolder;
    e.walkTestCounts = walkTestCounts;
    if (recording.bRecording())
        recordedDetector = e;
    AppendToSiteBook(e);
}

records::SiteBookEntry TfmMain::DetectorEntry(const char* event) const {
    const auto& s = Status();
    records::SiteBookEntry e;
    e.sDateTime = LocalDateTime(clock.Now());
    e.sEvent = event;
    e.sPort = "COM" + std::to_string(iComPort());
    e.sModel = catalogue::ModelName(s.w7.freq, s.w6.dev);
    e.sVersion = catalogue::VersionText(s.w6.cs, s.w6.prog);
    e.sUnitId = catalogue::UnitIdText(s.w6.letter);
    e.sPosition = s.w0.number == catalogue::kNoPosition
                      ? std::string("---")
                      : catalogue::PositionText(s.w0.symbol, s.w0.number);
    if (catalogue::IsAddressed(s.w6.dev, s.w7.out))
        e.sAddress = std::to_string(s.w6.adr);
    e.sOutputType = catalogue::OutputKindName(s.w6.dev, s.w7.out);
    e.sZoneLength = std::to_string(catalogue::ZoneLengthOfIndex(s.w4.dist));
    e.sSetupMethod = catalogue::RegulationName(s.w4.reg, s.w3.ctrl_pp_mp);
    const int sensitivityIndex = SensitivityIndexShown();
    e.sSensitivity = sensitivityIndex < 0
                         ? std::string("---")
                         : std::to_string(catalogue::SensOfIndex(sensitivityIndex));
    e.sPL = EntryAt(catalogue::PLListEntries(sensTable), s.w3.senspp);
    e.sLL = EntryAt(catalogue::LLListEntries(sensTable), s.w3.sensmp);
    e.sHL = EntryAt(catalogue::HLListEntries(sensTable), s.w4.sensbp);
    e.sVmin = catalogue::FormatFixed(catalogue::MinSpeedOfCode(s.w5.vel_min), 1, cDecimal);
    e.sVmax = std::to_string(catalogue::MaxSpeedOfCode(s.w5.vel_max));
    e.sSupply = catalogue::FormatFixed(catalogue::SupplyVolts(s.w7.pwr), 1, cDecimal);
    return e;
}

void TfmMain::AppendToSiteBook(const records::SiteBookEntry& entry) {
    lastSiteBookEntry = entry;
    const std::string error = siteBook->Append(entry);
    if (!error.empty())
        ShowNotice(QString::fromLocal8Bit(error.c_str()));
    ShowWaitingRecords();
}

// The detector left (or the window closed) before it answered a change: the book says so with
// the detector as it was last booked.
void TfmMain::BookUnconfirmedSettings() {
    if (!std::exchange(bSettingsAwaitConfirmation, false) || !siteBook || !lastSiteBookEntry)
        return;
    records::SiteBookEntry entry = *lastSiteBookEntry;
    entry.sDateTime = LocalDateTime(clock.Now());
    entry.sEvent = records::kEventSettingsNotConfirmed;
    entry.sWalkTestFolder.clear();
    entry.walkTestCounts.clear();
    AppendToSiteBook(entry);
}

// A change is confirmed when the detector's words have answered every command it armed.
void TfmMain::BookConfirmedSettings() {
    if (!bSettingsAwaitConfirmation)
        return;
    for (int k = 0; k < 4; ++k)
        if (linkCycle.Cmd.Cmd[static_cast<std::size_t>(k)].bAwait ||
            linkCycle.Cmd.Cmd[static_cast<std::size_t>(k)].bSend)
            return;
    bSettingsAwaitConfirmation = false;
    WriteSiteBook(records::kEventSettingsConfirmed);
}

void TfmMain::EndRecording() {
    const bool recorded = recording.bRecording();
    const bool summaryWritten = recording.StopRecording();
    const std::optional<records::SiteBookEntry> detector = std::exchange(recordedDetector, {});
    if (!recorded || !siteBook) {
        ShowWaitingRecords();
        return;
    }
    std::optional<records::SiteBookEntry> entry =
        Connected() ? std::optional(DetectorEntry(records::kEventWalkTest)) : detector;
    if (!entry) {
        ShowWaitingRecords();
        return;
    }
    entry->sDateTime = LocalDateTime(clock.Now());
    entry->sEvent = records::kEventWalkTest;
    entry->sWalkTestFolder = recording.sRecordFolder;
    for (const std::string& line : recording.Events.SummaryLines())
        entry->walkTestCounts.push_back(line.substr(line.rfind(' ') + 1));
    if (summaryWritten) {
        AppendToSiteBook(*entry);
        return;
    }
    walkTestsAwaitingSummary.push_back(*entry);
    ShowWaitingRecords();
}

// The detector a walk test starts with is the one it is booked for, should it be lost.
void TfmMain::RememberRecordedDetector() {
    recordedDetector.reset();
    if (siteBook && Connected())
        recordedDetector = DetectorEntry(records::kEventWalkTest);
}

} // namespace console
