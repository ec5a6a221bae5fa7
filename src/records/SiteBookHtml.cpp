// The site book's page: the count of detectors and events, what to ask about, the lines left
// out, and a section for each detector.
#include "records/SiteBookHtml.h"

#include "records/SiteBook.h"

#include <algorithm>
#include <map>

namespace records {

namespace {

const char kStyle[] =
    "body{font-family:sans-serif;margin:1.5em;color:#111}"
    "h1{font-size:1.5em}h2{font-size:1.2em;margin-bottom:.2em}"
    "table{border-collapse:collapse;margin:.4em 0 1em}"
    "th,td{border:1px solid #999;padding:.15em .5em;text-align:left;vertical-align:top}"
    "th{background:#eee}.ask{background:#fff3cd;border:1px solid #c9a227;padding:.5em 1em}"
    ".mark{color:#a00;font-weight:bold}section{margin-bottom:2em}"
    "@media print{body{margin:0}section{break-inside:avoid;page-break-inside:avoid}"
    "table{break-inside:avoid;page-break-inside:avoid}a{color:inherit}}";

// "1 event", "2 events".
std::string Count(std::uint64_t count, const char* noun) {
    return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

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

std::string Heading(const SiteBookSection& detector) {
    const PackedLine& latest = detector.Latest();
    return "Unit " + std::string(latest[cUnitId]) + ", position " + std::string(latest[cPosition]);
}

std::string FirstBooked(const SiteBookSection& detector) {
    return "first booked " + detector.sFirstDateTime;
}

// Two sections may carry the same heading (detectors without a position): when each was first
// booked tells them apart.
std::string AskAbout(const std::vector<SiteBookSection>& detectors) {
    std::map<std::string, int> headings;
    for (const SiteBookSection& d : detectors)
        ++headings[Heading(d)];
    std::string ask;
    for (const SiteBookSection& d : detectors) {
        const std::string heading = Heading(d);
        const std::string which =
            HtmlEscape(headings[heading] == 1 ? heading : heading + " (" + FirstBooked(d) + ")");
        if (d.bUnconfirmed)
            ask += "<li>" + which +
                   ": a change of its settings was never confirmed by the detector</li>";
        if (!d.bWalkTested)
            ask += "<li>" + which + ": never walk-tested</li>";
    }
    return ask.empty() ? ask
                       : "<div class=\"ask\"><p class=\"mark\">To ask about:</p><ul>" + ask +
                             "</ul></div>\n";
}

// The lines of the run's end that the book refused are part of the site's history.
std::string FromWaiting(std::uint64_t lines) {
    if (lines == 0)
        return {};
    return "<p>Including " + Count(lines, "line") + " from &quot;" +
           HtmlEscape(kSiteBookWaitingFileName) +
           "&quot;, which the window wrote there at the end of a run while the book could not be "
           "written (another program held it open, or the disk was full).</p>\n";
}

std::string LeftOut(const SiteBookContents& book) {
    if (book.damaged.empty())
        return {};
    std::string list = "<p>Lines of the book that could not be read and are left out:</p><ul>";
    for (const std::string& damaged : book.damaged)
        list += "<li>" + HtmlEscape(damaged) + "</li>";
    if (book.iDamaged > book.damaged.size())
        list += "<li>and " + Count(book.iDamaged - book.damaged.size(), "more line") + "</li>";
    return list + "</ul>\n";
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
        history += "<p>The " + Count(detector.iEvents - events.size(), "earlier event") +
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

std::string Section(const SiteBookSection& detector, const LinkTarget& link) {
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

} // namespace

void WriteSiteBookHtml(const SiteBookContents& book, std::uint64_t fromWaiting,
                       const LinkTarget& link, const PageOutput& output) {
    output("<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">"
           "<title>Site book</title><style>" +
           std::string(kStyle) + "</style></head><body>\n<h1>Site book</h1>\n<p>" +
           Count(book.detectors.size(), "detector") + ", " + Count(book.iEvents, "event") +
           ".</p>\n" + FromWaiting(fromWaiting) + AskAbout(book.detectors) + LeftOut(book));
    for (const SiteBookSection& detector : book.detectors)
        output(Section(detector, link));
    output("</body></html>\n");
}

} // namespace records
