// The site book's page: the counts of detectors and events, the lines from the waiting file,
// what to ask about, the lines left out, and the sections in the order of their first lines.
#include "records/SiteBookPageWriter.h"

#include "records/SiteBook.h"

#include <map>
#include <utility>

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

// Where a kept section goes in the scratch: no text of the page holds a NUL, as the book's
// fields hold no control character.
constexpr char kKeptMark = '\0';

std::string FromWaiting(std::uint64_t lines) {
    if (lines == 0)
        return {};
    return "<p>Including " + CountText(lines, "line") + " from &quot;" +
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
        list += "<li>and " + CountText(book.iDamaged - book.damaged.size(), "more line") + "</li>";
    return list + "</ul>\n";
}

} // namespace

SiteBookPageWriter::SiteBookPageWriter(LinkTarget link, PageOutput scratch)
    : link(std::move(link))
    , scratch(std::move(scratch)) {}

void SiteBookPageWriter::Finished(const SiteBookSection& section) {
    // A finished section has no real position: AskAbout names it by when it was first booked.
    for (std::string& item : AskAbout(section, false))
        if (iAsked++ < kAskedNamed)
            asked.push_back({iPlace, std::move(item)});
    scratch(SectionHtml(section, link));
    ++iPlace;
}

void SiteBookPageWriter::Kept() {
    scratch(std::string_view(&kKeptMark, 1));
    ++iPlace;
}

// The finished sections' items and the kept ones' in the order of their sections. Sections kept
// may share a heading (the same unit ID and position of two models, or a replacement given the
// position of the detector it replaced): when each was first booked tells them apart.
std::string SiteBookPageWriter::AskList(const SiteBookContents& book) const {
    std::map<std::string, int> headings;
    for (const auto& [place, detector] : book.detectors)
        ++headings[Heading(detector)];
    std::string list;
    std::uint64_t named = 0;
    std::uint64_t all = iAsked;
    const auto name = [&](const std::string& item) {
        if (named++ < kAskedNamed)
            list += item;
    };
    auto finished = asked.begin();
    for (const auto& [place, detector] : book.detectors) {
        for (; finished != asked.end() && finished->iPlace < place; ++finished)
            name(finished->sItem);
        for (const std::string& item : AskAbout(detector, headings[Heading(detector)] > 1)) {
            ++all;
            name(item);
        }
    }
    for (; finished != asked.end(); ++finished)
        name(finished->sItem);
    if (list.empty())
        return {};
    if (all > kAskedNamed)
        list += "<li>and " + std::to_string(all - kAskedNamed) + " more</li>";
    return "<div class=\"ask\"><p class=\"mark\">To ask about:</p><ul>" + list + "</ul></div>\n";
}

void SiteBookPageWriter::Write(const SiteBookContents& book, std::uint64_t fromWaiting,
                               const ScratchSource& fromScratch, const PageOutput& output) const {
    output("<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">"
           "<title>Site book</title><style>" +
           std::string(kStyle) + "</style></head><body>\n<h1>Site book</h1>\n<p>" +
           CountText(book.iDetectors, "detector") + ", " + CountText(book.iEvents, "event") +
           ".</p>\n" + FromWaiting(fromWaiting) + AskList(book) + LeftOut(book));
    auto kept = book.detectors.begin();
    std::string piece;
    while (fromScratch(piece)) {
        std::string_view rest = piece;
        for (std::size_t mark = rest.find(kKeptMark); mark != std::string_view::npos;
             mark = rest.find(kKeptMark)) {
            output(rest.substr(0, mark));
            output(SectionHtml(kept->second, link));
            ++kept;
            rest.remove_prefix(mark + 1);
        }
        output(rest);
        piece.clear();
    }
    output("</body></html>\n");
}

} // namespace records
