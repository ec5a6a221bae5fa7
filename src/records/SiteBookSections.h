// The site book's lines gathered into a section for each detector, each holding only what its
// section of the page shows, so that the memory a book takes grows with its detectors and not
// with its lines.
#pragma once

#include "records/SiteBookReader.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace records {

// A line's fields, in SiteBookColumns()'s order.
enum SiteBookColumn : std::size_t {
    cDateTime,
    cEvent,
    cPort,
    cModel,
    cVersion,
    cUnitId,
    cPosition,
    cAddress,
    cOutputType,
    cZoneLength,
    cSetupMethod,
    cSensitivity,
    cPL,
    cLL,
    cHL,
    cVmin,
    cVmax,
    cSupply,
    cWalkTestFolder,
    cFirstCount
};

// A detector's latest events, which its section shows in full; the earlier ones are counted.
// Enough for the whole commissioning of a detector, while a book of years stays a page.
inline constexpr std::size_t kEventsShown = 50;
// The unreadable lines the page names; the others are counted.
inline constexpr std::size_t kDamagedNamed = 100;

// A line's fields in one string, a NUL after each: a field read from the book holds no control
// character, and one allocation for a line keeps a long history small.
class PackedLine {
public:
    explicit PackedLine(const std::vector<std::string>& fields);
    std::string_view operator[](std::size_t column) const;

private:
    std::string bytes;
};

struct SiteBookSection {
    // The latest kEventsShown events, in turn: the oldest is at iNextEvent once all are taken.
    std::vector<PackedLine> lastEvents;
    std::size_t iNextEvent = 0;
    // The latest line that read the settings from the detector or had them confirmed.
    std::optional<PackedLine> lastSettings;
    std::uint64_t iEvents = 0;
    std::string sFirstDateTime;
    bool bWalkTested = false;
    // A change of its settings was not confirmed, and none was confirmed since.
    bool bUnconfirmed = false;

    void Add(const std::vector<std::string>& fields);
    const PackedLine& Latest() const;
    // The events kept, in the book's order.
    std::vector<const PackedLine*> EventsKept() const;
};

struct SiteBookContents {
    std::vector<SiteBookSection> detectors; // in the order of their first lines
    std::uint64_t iEvents = 0;
    std::vector<std::string> damaged; // the first kDamagedNamed lines that could not be read
    std::uint64_t iDamaged = 0;
};

// A section is one detector's connection, whatever the installer changes meanwhile: an
// "Identified" line opens a connection on its port, and the port's later lines of the same
// model belong to it; a line that finds no connection of its model on its port opens one (its
// "Identified" line was lost). A connection found as another section's detector was left (the
// same model, unit ID and position, a real one) goes on in that section.
class SiteBookSections final : public SiteBookLines {
public:
    void Line(std::vector<std::string> fields) override;
    void Damaged(std::string text) override;
    const SiteBookContents& Contents() const { return contents; }

private:
    // The connection a port's lines go to.
    struct Connection {
        std::size_t iSection;
        std::string sModel;
    };

    std::size_t SectionFor(const std::vector<std::string>& fields);
    // The section is now known by `key` instead of `previous`.
    void Rename(std::size_t section, const std::string& previous, const std::string& key);

    SiteBookContents contents;
    std::map<std::string, Connection> byPort;
    // The sections by their latest model, unit ID and real position; where several are, the
    // latest to take that name is last.
    std::map<std::string, std::vector<std::size_t>> byDetector;
};

} // namespace records
