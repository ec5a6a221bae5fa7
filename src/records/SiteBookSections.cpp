// A detector's section kept as its last events, its latest settings and what the page asks
// about; lines go to the section of their detector.
#include "records/SiteBookSections.h"

#include "records/SiteBook.h"

#include <utility>

namespace records {

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
    if (event == kEventWalkTest)
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

void SiteBookSections::Line(std::vector<std::string> fields) {
    ++contents.iEvents;
    contents.detectors[SectionFor(fields)].Add(fields);
}

void SiteBookSections::Damaged(std::string text) {
    if (contents.iDamaged++ < kDamagedNamed)
        contents.damaged.push_back(std::move(text));
}

// A detector is its unit ID and position.
std::size_t SiteBookSections::SectionFor(const std::vector<std::string>& fields) {
    const std::string key = fields[cUnitId] + '\0' + fields[cPosition];
    const auto [it, added] = byKey.emplace(key, contents.detectors.size());
    if (added)
        contents.detectors.emplace_back();
    return it->second;
}

} // namespace records
