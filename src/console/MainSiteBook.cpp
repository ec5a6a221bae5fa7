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
    records::SiteBookEntry e = DetectorEntry(event, Status());
    e.sWalkTestFolder = walkTestFolder;
    e.walkTestCounts = walkTestCounts;
    if (recording.bRecording())
        recordedDetector = e;
    AppendToSiteBook(e);
}

records::SiteBookEntry TfmMain::DetectorEntry(const char* event,
                                              const detlink::DetectorStatus& s) const {
    records::SiteBookEntry e;
    e.sDateTime = LocalDateTime(clock.Now());
    e.sEvent = event;
    e.sPort = "COM" + std::to_string(iComPort());
    e.sModel = catalogue::ModelName(s.w7.freq, s.w6.dev);
    e.sVersion = catalogue::VersionText(s.w6.cs, s.w6.prog);
    e.sUnitId = catalogue::UnitIdText(s.w6.letter);
    e.sPosition = s.w0.number == catalogue::kNoPosition
                      ? std::string(records::kNoPositionText)
                      : catalogue::PositionText(s.w0.symbol, s.w0.number);
    if (catalogue::IsAddressed(s.w6.dev, s.w7.out))
        e.sAddress = std::to_string(s.w6.adr);
    e.sOutputType = catalogue::OutputKindName(s.w6.dev, s.w7.out);
    e.sZoneLength = std::to_string(catalogue::ZoneLengthOfIndex(s.w4.dist));
    e.sSetupMethod = catalogue::RegulationName(s.w4.reg, s.w3.ctrl_pp_mp);
    const int sensitivityIndex = SensitivityIndexOf(s);
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

// Booked when it is booked, not when the walk test ended: the book stays in time order, which
// its page relies on; the folder's name keeps the walk test's own time.
void TfmMain::BookWalkTest(records::SiteBookEntry entry, const char* event) {
    entry.sDateTime = LocalDateTime(clock.Now());
    entry.sEvent = event;
    AppendToSiteBook(entry);
}

void TfmMain::AppendToSiteBook(const records::SiteBookEntry& entry) {
    const std::string error = siteBook->Append(entry);
    if (!error.empty())
        ShowNotice(QString::fromLocal8Bit(error.c_str()));
    ShowWaitingRecords();
}

bool TfmMain::AwaitConfirmation(const detlink::CommandBatch& batch) {
    if (batch.Empty())
        return false;
    lastFullCycle = Status();
    if (batch.command0)
        settingsToConfirm.command0 = batch.command0;
    if (batch.command1)
        settingsToConfirm.command1 = batch.command1;
    if (batch.command2)
        settingsToConfirm.command2 = batch.command2;
    if (batch.command3)
        settingsToConfirm.command3 = batch.command3;
    return true;
}

namespace {

// Takes out of the batch each command the status holds; true when there was one.
bool TakeConfirmed(detlink::CommandBatch& batch, const detlink::DetectorStatus& s) {
    bool confirmed = false;
    const auto take = [&](auto& command) {
        if (command && detlink::HoldsSettings(s, *command)) {
            command.reset();
            confirmed = true;
        }
    };
    take(batch.command0);
    take(batch.command1);
    take(batch.command2);
    take(batch.command3);
    return confirmed;
}

} // namespace

// The detector left (or the window closed) before it confirmed all of a change: what it did
// confirm is booked first; then the detector as it was last seen, with the settings asked for
// and never confirmed.
void TfmMain::BookUnconfirmedSettings() {
    if (std::exchange(bConfirmedToBook, false) && siteBook)
        AppendToSiteBook(DetectorEntry(records::kEventSettingsConfirmed, lastFullCycle));
    const detlink::CommandBatch asked = std::exchange(settingsToConfirm, {});
    if (asked.Empty() || !siteBook)
        return;
    detlink::DetectorStatus s = lastFullCycle;
    const auto take = [&](const auto& command) {
        if (command)
            detlink::TakeSettings(s, *command);
    };
    take(asked.command0);
    take(asked.command1);
    take(asked.command2);
    take(asked.command3);
    AppendToSiteBook(DetectorEntry(records::kEventSettingsNotConfirmed, s));
}

// Each full cycle: what the detector's words now hold of a change is booked, whatever else of
// the change it has yet to take. The commands of one Apply are confirmed over a few cycles:
// the line waits for the whole change, or for a cycle that confirms nothing more.
void TfmMain::BookConfirmedSettings() {
    lastFullCycle = Status();
    const bool confirmedNow = TakeConfirmed(settingsToConfirm, Status());
    bConfirmedToBook = bConfirmedToBook || confirmedNow;
    if (!bConfirmedToBook || (confirmedNow && !settingsToConfirm.Empty()))
        return;
    bConfirmedToBook = false;
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
        Connected() ? std::optional(DetectorEntry(records::kEventWalkTest, Status())) : detector;
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
        recordedDetector = DetectorEntry(records::kEventWalkTest, Status());
}

} // namespace console
