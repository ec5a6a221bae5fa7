// The site book's lines gathered into a section for each detector, each holding only what its
// section of the page shows, and handed on in page order once no line can reach it any more, so
// that the memory a book takes grows with its detectors that have a position and its ports, not
// with its lines.
#pragma once

#include "records/SiteBookReader.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
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
    // The sections held, by their places on the page (the order of their first lines); once the
    // book has ended, those kept.
    std::map<std::size_t, SiteBookSection> detectors;
    std::uint64_t iDetectors = 0; // every section, those finished and let go too
    std::uint64_t iEvents = 0;
    std::vector<std::string> damaged; // the first kDamagedNamed lines that could not be read
    std::uint64_t iDamaged = 0;
};

// A position the installer gave: only such a position tells a detector from another of its model
// and unit ID.
bool IsPosition(std::string_view position);

// Where the sections go in the order of their first lines, as their places on the page are
// settled.
class SiteBookSectionSink {
public:
    virtual ~SiteBookSectionSink() = default;
    // No later line can reach the section: it is complete, and let go after this.
    virtual void Finished(const SiteBookSection& section) = 0;
    // The section stays in Contents().detectors to the end of the book, and takes this place.
    virtual void Kept() = 0;
};

// Finished sections held back behind an earlier one that is still connected, before that one is
// kept in its place: a port left connected to the end then holds back no more than these.
inline constexpr std::size_t kFinishedHeldBack = 256;

// A section is one detector's connection, whatever the installer changes meanwhile: an
// "Identified" line opens a connection on its port, and the port's later lines of the same
// model belong to it; a line that finds no connection of its model on its port opens one (its
// "Identified" line was lost). A connection found as another section's detector was left (the
// same model, unit ID and position, a real one) goes on in that section.
// A section without a real position whose connection closed (the next connection on its port)
// can be joined by no later line: it is finished and let go, so that a book whose detectors have
// no position is not held whole. The others are kept to the end, as a later connection may join
// them.
class SiteBookSections final : public SiteBookLines {
public:
    explicit SiteBookSections(SiteBookSectionSink& sink);

    void Line(std::vector<std::string> fields) override;
    void Damaged(std::string text) override;
    // The book's end: every section not yet settled is kept.
    void End();
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
    // The connection to the section was replaced on a port.
    void Disconnected(std::size_t section);
    // Hands the sink the sections whose places are settled, in their order.
    void Settle();

    SiteBookSectionSink& sink;
    SiteBookContents contents;
    std::map<std::string, Connection> byPort;
    // The sections by their latest model, unit ID and real position; where several are, the
    // latest to take that name is last.
    std::map<std::string, std::vector<std::size_t>> byDetector;
    // The sections finished, not yet handed to the sink: each waits for the places before it.
    std::set<std::size_t> finished;
    std::size_t iSettled = 0; // the sections before this place are settled
    bool bEnded = false;
};

} // namespace records
