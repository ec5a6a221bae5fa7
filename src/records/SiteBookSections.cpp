// A detector's section kept as its last events, its latest settings and what the page asks
// about; lines go to the section of their detector.
#include "records/SiteBookSections.h"

#include "records/SiteBook.h"

#include <algorithm>
#include <utility>

namespace records {

namespace {

// The model, unit ID and position that make two connections one detector; empty where the
// position is not a real one, as no two such connections are known to be one detector.
std::string DetectorKey(std::string_view model, std::string_view unit, std::string_view position) {
    if (!IsPosition(position))
        return {};
    std::string key(model);
    ((key += '\0') += unit) += '\0';
    return key += position;
}

std::string DetectorKey(const std::vector<std::string>& fields) {
    return DetectorKey(fields[cModel], fields[cUnitId], fields[cPosition]);
}

std::string DetectorKey(const PackedLine& line) {
    return DetectorKey(line[cModel], line[cUnitId], line[cPosition]);
}

} // namespace

bool IsPosition(std::string_view position) {
    return !position.empty() && position != kNoPositionText;
}

PackedLine::PackedLine(const std::vector<std::string>& fields) {
    std::size_t size = 0;
    for (const std::string& field : fields)
        size += field.size() + 1;
    bytes.reserve(size);
    for (const std::string& field : fields)
        (bytes += field) += '\0';
}

std::string_view PackedLine::operator[](std::size_t column) const {
    std::string_view rest = bytes;
    for (std::size_t i = 0; i < column; ++i) {
        const std::size_t end = rest.find('\0');
        if (end == std::string_view::npos)
            return {};
        rest.remove_prefix(end + 1);
    }
    return rest.substr(0, rest.find('\0'));
}

void SiteBookSection::Add(const std::vector<std::string>& fields) {
    if (iEvents++ == 0)
        sFirstDateTime = fields[cDateTime];
    if (lastEvents.size() < kEventsShown) {
        lastEvents.emplace_back(fields);
    } else {
        lastEvents[iNextEvent] = PackedLine(fields);
        iNextEvent = (iNextEvent + 1) % kEventsShown;
    }
    const std::string& event = fields[cEvent];
    if (event == kEventWalkTest || event == kEventWalkTestWithoutSummary)
        bWalkTested = true;
    if (event == kEventSettingsConfirmed || event == kEventIdentified)
        lastSettings.emplace(fields);
    if (event == kEventSettingsConfirmed)
        bUnconfirmed = false;
    if (event == kEventSettingsNotConfirmed)
        bUnconfirmed = true;
}

const PackedLine& SiteBookSection::Latest() const {
    return lastEvents[(iNextEvent + lastEvents.size() - 1) % lastEvents.size()];
}

std::vector<const PackedLine*> SiteBookSection::EventsKept() const {
    std::vector<const PackedLine*> events;
    for (std::size_t i = 0; i < lastEvents.size(); ++i)
        events.push_back(&lastEvents[(iNextEvent + i) % lastEvents.size()]);
    return events;
}

SiteBookSections::SiteBookSections(SiteBookSectionSink& sink)
    : sink(sink) {}

void SiteBookSections::Line(std::vector<std::string> fields) {
    ++contents.iEvents;
    const std::size_t section = SectionFor(fields);
    SiteBookSection& detector = contents.detectors[section];
    const std::string previous =
        detector.iEvents == 0 ? std::string() : DetectorKey(detector.Latest());
    detector.Add(fields);
    Rename(section, previous, DetectorKey(fields));
    Settle();
}

void SiteBookSections::Damaged(std::string text) {
    if (contents.iDamaged++ < kDamagedNamed)
        contents.damaged.push_back(std::move(text));
}

void SiteBookSections::End() {
    bEnded = true;
    Settle();
}

std::size_t SiteBookSections::SectionFor(const std::vector<std::string>& fields) {
    const auto open = byPort.find(fields[cPort]);
    if (fields[cEvent] != kEventIdentified && open != byPort.end() &&
        open->second.sModel == fields[cModel])
        return open->second.iSection;
    const auto found = byDetector.find(DetectorKey(fields));
    const std::size_t section =
        found != byDetector.end() ? found->second.back() : contents.iDetectors++;
    if (open == byPort.end()) {
        byPort.emplace(fields[cPort], Connection{section, fields[cModel]});
        return section;
    }
    const std::size_t left =
        std::exchange(open->second, Connection{section, fields[cModel]}).iSection;
    if (left != section)
        Disconnected(left);
    return section;
}

void SiteBookSections::Rename(std::size_t section, const std::string& previous,
                              const std::string& key) {
    if (key == previous)
        return;
    if (const auto known = byDetector.find(previous); known != byDetector.end()) {
        std::erase(known->second, section);
        if (known->second.empty())
            byDetector.erase(known);
    }
    if (!key.empty())
        byDetector[key].push_back(section);
}

void SiteBookSections::Disconnected(std::size_t section) {
    const bool connected = std::any_of(byPort.begin(), byPort.end(), [&](const auto& port) {
        return port.second.iSection == section;
    });
    if (!connected && section >= iSettled &&
        !IsPosition(contents.detectors.at(section).Latest()[cPosition]))
        finished.insert(section);
}

void SiteBookSections::Settle() {
    while (iSettled < contents.iDetectors) {
        const auto section = contents.detectors.find(iSettled);
        if (finished.erase(iSettled) > 0) {
            sink.Finished(section->second);
            contents.detectors.erase(section);
        } else if (bEnded || IsPosition(section->second.Latest()[cPosition]) ||
                   finished.size() > kFinishedHeldBack) {
            sink.Kept();
        } else {
            // Still connected, without a position: it may yet be finished.
            break;
        }
        ++iSettled;
    }
}

} // namespace records
