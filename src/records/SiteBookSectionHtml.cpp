// A detector's section: its heading and model, what is missing, its settings as last confirmed
// and its latest events in time order; and the items the page asks about it.
#include "records/SiteBookSectionHtml.h"

#include "records/ReportHtml.h"
#include "records/SiteBook.h"

#include <algorithm>

namespace records {

namespace {

// The book holds bare numbers for spreadsheets; the page gives them their units.
std::string UnitOf(std::size_t column) {
    switch (column) {
    case cZoneLength:
        return ", m";
    case cSensitivity:
        return ", %";
    case cVmin:
    case cVmax:
        return ", m/s";
    case cSupply:
        return ", V";
    default:
        return {};
    }
}

std::string Cell(std::string_view text) {
    return "<td>" + HtmlEscape(text) + "</td>";
}

std::string FirstBooked(const SiteBookSection& detector) {
    return "first booked " + detector.sFirstDateTime;
}

std::string Settings(const PackedLine& settings) {
    const std::vector<std::string>& columns = SiteBookColumns();
    std::string table = "<table><tr><th colspan=\"2\">Settings as last confirmed (" +
                        HtmlEscape(settings[cDateTime]) + ")</th></tr>";
    for (std::size_t c = cPort; c <= cSupply; ++c)
        if (c != cAddress || !settings[c].empty())
            table += "<tr><th>" + HtmlEscape(columns[c]) + UnitOf(c) + "</th>" + Cell(settings[c]) +
                     "</tr>";
    return table + "</table>";
}

std::string WalkTest(const PackedLine& line, const LinkTarget& link) {
    const std::string folder(line[cWalkTestFolder]);
    if (folder.empty())
        return {};
    const std::string target = link(folder);
    std::string cell =
        target.empty() ? HtmlEscape(folder)
                       : "<a href=\"" + HtmlEscape(target) + "\">" + HtmlEscape(folder) + "</a>";
    if (line[cEvent] == kEventWalkTestWithoutSummary)
        cell += "<br>The summary is missing: the run ended before it was written; the folder holds "
                "the pictures.";
    const std::vector<std::string>& columns = SiteBookColumns();
    for (std::size_t c = cFirstCount; c < columns.size(); ++c)
        cell += "<br>" + HtmlEscape(columns[c]) + ": " + HtmlEscape(line[c]);
    return cell;
}

// The events kept, in time order (the stamps sort as text), after a word on those left out.
std::string History(const SiteBookSection& detector, const LinkTarget& link) {
    std::vector<const PackedLine*> events = detector.EventsKept();
    std::stable_sort(events.begin(), events.end(), [](const PackedLine* a, const PackedLine* b) {
        return (*a)[cDateTime] < (*b)[cDateTime];
    });
    std::string history;
    if (detector.iEvents > events.size())
        history += "<p>The " + CountText(detector.iEvents - events.size(), "earlier event") +
                   ", from " + HtmlEscape(detector.sFirstDateTime) +
                   ", are left out here; the site book holds them.</p>";
    history += "<table><tr><th>Date and time</th><th>Event</th><th>Zone length, m</th>"
               "<th>Setup method</th><th>PL</th><th>LL</th><th>HL</th><th>Walk test</th></tr>";
    for (const PackedLine* event : events) {
        const PackedLine& e = *event;
        history += "<tr>" + Cell(e[cDateTime]) + Cell(e[cEvent]) + Cell(e[cZoneLength]) +
                   Cell(e[cSetupMethod]) + Cell(e[cPL]) + Cell(e[cLL]) + Cell(e[cHL]) + "<td>" +
                   WalkTest(e, link) + "</td></tr>";
    }
    return history + "</table>";
}

} // namespace

std::string CountText(std::uint64_t count, const char* noun) {
    return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

std::string Heading(const SiteBookSection& detector) {
    const PackedLine& latest = detector.Latest();
    return "Unit " + std::string(latest[cUnitId]) + ", position " + std::string(latest[cPosition]);
}

std::string SectionHtml(const SiteBookSection& detector, const LinkTarget& link) {
    const PackedLine& latest = detector.Latest();
    std::string section = "<section><h2>" + HtmlEscape(Heading(detector)) + "</h2><p>" +
                          HtmlEscape(latest[cModel]) + ", version " + HtmlEscape(latest[cVersion]) +
                          "; " + HtmlEscape(FirstBooked(detector)) + "</p>";
    if (detector.bUnconfirmed)
        section += "<p class=\"mark\">A change of its settings was never confirmed.</p>";
    if (!detector.bWalkTested)
        section += "<p class=\"mark\">Never walk-tested.</p>";
    if (detector.lastSettings)
        section += Settings(*detector.lastSettings);
    return section + History(detector, link) + "</section>\n";
}

std::vector<std::string> AskAbout(const SiteBookSection& detector, bool sharesHeading) {
    if (detector.bWalkTested && !detector.bUnconfirmed)
        return {};
    std::string which = Heading(detector);
    if (sharesHeading || !IsPosition(detector.Latest()[cPosition]))
        which += " (" + FirstBooked(detector) + ")";
    which = HtmlEscape(which);
    std::vector<std::string> items;
    if (detector.bUnconfirmed)
        items.push_back("<li>" + which +
                        ": a change of its settings was never confirmed by the detector</li>");
    if (!detector.bWalkTested)
        items.push_back("<li>" + which + ": never walk-tested</li>");
    return items;
}

} // namespace records
