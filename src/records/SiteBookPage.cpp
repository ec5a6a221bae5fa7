// The site book's page: the book read back line by line, its lines grouped by detector, and
// the page written beside the book.
#include "records/SiteBookPage.h"

#include "files/Utf8Path.h"
#include "records/ReplacingFile.h"
#include "records/ReportFileRead.h"
#include "records/ReportHtml.h"

#include <algorithm>
#include <array>
#include <exception>
#include <filesystem>
#include <map>
#include <new>
#include <string_view>
#include <system_error>
#include <utility>

namespace records {

namespace {

// The separators a book is written with, one for each decimal notation.
constexpr std::array kSeparators = {',', ';'};

// A book of many years is still some megabytes; anything larger is not one.
constexpr std::size_t kMaxBookBytes = 64u << 20;

constexpr const char* kPageName = "Site book.html";

constexpr std::string_view kReplacement = "\xEF\xBF\xBD"; // U+FFFD

// The length of the UTF-8 sequence at the text's start, 0 when it is not one: overlong forms,
// surrogates and code points past U+10FFFF are not UTF-8 either.
std::size_t Utf8SequenceLength(std::string_view text) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF; // the second byte's range
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (text.size() < length || byte(1) < low || byte(1) > high)
        return 0;
    for (std::size_t i = 2; i < length; ++i)
        if (byte(i) < 0x80 || byte(i) > 0xBF)
            return 0;
    return length;
}

// A field as a page declared UTF-8 may show it: what is not UTF-8, and control characters
// (a NUL among them), become U+FFFD.
std::string ReadableText(std::string_view text) {
    std::string readable;
    readable.reserve(text.size());
    while (!text.empty()) {
        const std::size_t length = Utf8SequenceLength(text);
        const bool control =
            length == 1 && (static_cast<unsigned char>(text[0]) < 0x20 || text[0] == '\x7F');
        if (length == 0 || control) {
            readable += kReplacement;
            text.remove_prefix(1);
        } else {
            readable += text.substr(0, length);
            text.remove_prefix(length);
        }
    }
    return readable;
}

// A name put in a link as a relative path: ':' is escaped so that no name reads as a scheme
// ("javascript:"), and '%', '#' and '?' so that the name is all path.
std::string RelativeUrl(std::string_view name) {
    std::string url;
    for (const char c : name) {
        switch (c) {
        case '%':
            url += "%25";
            break;
        case ':':
            url += "%3A";
            break;
        case '#':
            url += "%23";
            break;
        case '?':
            url += "%3F";
            break;
        default:
            url += c;
        }
    }
    return url;
}

enum Column : std::size_t {
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

struct Detector {
    std::string sKey;
    std::vector<const std::vector<std::string>*> history;
    const std::vector<std::string>* lastSettings = nullptr;
    bool bWalkTested = false;
    bool bUnconfirmed = false;
};

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

std::string Cell(const std::string& text) {
    return "<td>" + HtmlEscape(text) + "</td>";
}

const char kStyle[] =
    "body{font-family:sans-serif;margin:1.5em;color:#111}"
    "h1{font-size:1.5em}h2{font-size:1.2em;margin-bottom:.2em}"
    "table{border-collapse:collapse;margin:.4em 0 1em}"
    "th,td{border:1px solid #999;padding:.15em .5em;text-align:left;vertical-align:top}"
    "th{background:#eee}.ask{background:#fff3cd;border:1px solid #c9a227;padding:.5em 1em}"
    ".mark{color:#a00;font-weight:bold}section{margin-bottom:2em}"
    "@media print{body{margin:0}section{break-inside:avoid;page-break-inside:avoid}"
    "table{break-inside:avoid;page-break-inside:avoid}a{color:inherit}}";

} // namespace

SiteBookRead ReadSiteBookText(const std::string& text) {
    SiteBookRead book;
    const std::vector<std::string>& columns = SiteBookColumns();
    // A spreadsheet that saved the book may have put a byte order mark before it.
    const std::string_view body =
        std::string_view(text).substr(text.starts_with("\xEF\xBB\xBF") ? 3 : 0);
    const std::string_view headerLine = body.substr(0, body.find_first_of("\r\n"));
    const auto separator = std::find_if(kSeparators.begin(), kSeparators.end(), [&](char s) {
        const std::vector<CsvRow> header = ReadCsvRows(headerLine, s);
        return header.size() == 1 && header.front().fields == columns;
    });
    if (separator == kSeparators.end())
        return book;
    book.bIsSiteBook = true;
    for (CsvRow& row : ReadCsvRows(body, *separator)) {
        const std::string line = "Line " + std::to_string(row.iLine) + ": ";
        if (!row.sProblem.empty()) {
            book.damaged.push_back(line + "broken quoting (" + row.sProblem + ")");
        } else if (row.fields.size() != columns.size()) {
            book.damaged.push_back(line + std::to_string(row.fields.size()) +
                                   " fields instead of " + std::to_string(columns.size()));
        } else if (row.fields != columns) {
            // Skipped when it is the header again, as where two books were put together.
            for (std::string& field : row.fields)
                field = ReadableText(field);
            book.lines.push_back(std::move(row.fields));
        }
    }
    return book;
}

std::string SiteBookHtml(const SiteBookRead& book, const LinkTarget& link) {
    // The lines in time order (the stamps sort as text); a detector is its unit ID and position.
    std::vector<const std::vector<std::string>*> lines;
    for (const auto& line : book.lines)
        lines.push_back(&line);
    std::stable_sort(lines.begin(), lines.end(),
                     [](auto* a, auto* b) { return (*a)[cDateTime] < (*b)[cDateTime]; });
    std::vector<Detector> detectors;
    std::map<std::string, std::size_t> byKey;
    for (const auto* line : lines) {
        const std::string key = "Unit " + (*line)[cUnitId] + ", position " + (*line)[cPosition];
        auto [it, added] = byKey.emplace(key, detectors.size());
        if (added)
            detectors.push_back({key, {}, nullptr, false, false});
        Detector& d = detectors[it->second];
        d.history.push_back(line);
        const std::string& event = (*line)[cEvent];
        if (event == kEventWalkTest)
            d.bWalkTested = true;
        if (event == kEventSettingsConfirmed || event == kEventIdentified)
            d.lastSettings = line;
        if (event == kEventSettingsConfirmed)
            d.bUnconfirmed = false;
        if (event == kEventSettingsNotConfirmed)
            d.bUnconfirmed = true;
    }

    std::string page = "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">"
                       "<title>Site book</title><style>" +
                       std::string(kStyle) + "</style></head><body>\n<h1>Site book</h1>\n";
    std::string ask;
    for (const Detector& d : detectors) {
        if (d.bUnconfirmed)
            ask += "<li>" + HtmlEscape(d.sKey) +
                   ": a change of its settings was never confirmed by the detector</li>";
        if (!d.bWalkTested)
            ask += "<li>" + HtmlEscape(d.sKey) + ": never walk-tested</li>";
    }
    page += "<p>" + std::to_string(detectors.size()) + " detector" +
            (detectors.size() == 1 ? "" : "s") + ", " + std::to_string(book.lines.size()) +
            (book.lines.size() == 1 ? " event" : " events") + ".</p>\n";
    if (!ask.empty())
        page +=
            "<div class=\"ask\"><p class=\"mark\">To ask about:</p><ul>" + ask + "</ul></div>\n";
    if (!book.damaged.empty()) {
        page += "<p>Lines of the book that could not be read and are left out:</p><ul>";
        for (const std::string& damaged : book.damaged)
            page += "<li>" + HtmlEscape(damaged) + "</li>";
        page += "</ul>\n";
    }
    const std::vector<std::string>& columns = SiteBookColumns();
    for (const Detector& d : detectors) {
        const auto& last = *d.history.back();
        page += "<section><h2>" + HtmlEscape(d.sKey) + "</h2><p>" + HtmlEscape(last[cModel]) +
                ", version " + HtmlEscape(last[cVersion]) + "</p>";
        if (d.bUnconfirmed)
            page += "<p class=\"mark\">A change of its settings was never confirmed.</p>";
        if (!d.bWalkTested)
            page += "<p class=\"mark\">Never walk-tested.</p>";
        if (d.lastSettings) {
            page += "<table><tr><th colspan=\"2\">Settings as last confirmed (" +
                    HtmlEscape((*d.lastSettings)[cDateTime]) + ")</th></tr>";
            for (std::size_t c = cPort; c <= cSupply; ++c)
                if (c != cAddress || !(*d.lastSettings)[c].empty())
                    page += "<tr><th>" + HtmlEscape(columns[c]) + UnitOf(c) + "</th>" +
                            Cell((*d.lastSettings)[c]) + "</tr>";
            page += "</table>";
        }
        page += "<table><tr><th>Date and time</th><th>Event</th><th>Zone length, m</th>"
                "<th>Setup method</th><th>PL</th><th>LL</th><th>HL</th><th>Walk test</th></tr>";
        for (const auto* line : d.history) {
            const auto& l = *line;
            std::string walkTest;
            if (!l[cWalkTestFolder].empty()) {
                const std::string target = link(l[cWalkTestFolder]);
                walkTest = target.empty() ? HtmlEscape(l[cWalkTestFolder])
                                          : "<a href=\"" + HtmlEscape(target) + "\">" +
                                                HtmlEscape(l[cWalkTestFolder]) + "</a>";
                for (std::size_t c = cFirstCount; c < columns.size(); ++c)
                    walkTest += "<br>" + HtmlEscape(columns[c]) + ": " + HtmlEscape(l[c]);
            }
            page += "<tr>" + Cell(l[cDateTime]) + Cell(l[cEvent]) + Cell(l[cZoneLength]) +
                    Cell(l[cSetupMethod]) + Cell(l[cPL]) + Cell(l[cLL]) + Cell(l[cHL]) + "<td>" +
                    walkTest + "</td></tr>";
        }
        page += "</table></section>\n";
    }
    return page + "</body></html>\n";
}

namespace {

ReportOutcome Page(const std::string& folder) {
    ReportOutcome outcome;
    const std::filesystem::path where =
        std::filesystem::absolute(files::PathFromUtf8(folder)).lexically_normal();
    const std::string quoted = '"' + files::Utf8FromPath(where / kSiteBookFileName) + '"';
    // Every file is named from the folder's handle, so that the depth of the path does not
    // matter.
    const FolderHandle folderHandle(where);
    const ReportFile file = ReadReportFile(folderHandle, kSiteBookFileName, kMaxBookBytes);
    if (file.bAbsent || !file.sProblem.empty()) {
        outcome.sMessage = quoted + " cannot be read: " +
                           (file.bAbsent ? std::string("there is no such file") : file.sProblem) +
                           ". No page was written.";
        return outcome;
    }
    if (file.iSize > kMaxBookBytes) {
        outcome.sMessage = quoted + " is too large to be a site book. No page was written.";
        return outcome;
    }
    const SiteBookRead book = ReadSiteBookText(file.sBytes);
    if (!book.bIsSiteBook) {
        outcome.sMessage = quoted + " is not a site book: its first line is not the site book's "
                                    "header. No page was written.";
        return outcome;
    }
    const auto link = [&folderHandle](const std::string& walkTest) -> std::string {
        // Only a folder's own name beside the book, as the tool writes it: a path, an address or
        // a name of nothing there is not linked. The report made by --report sits beside its
        // folder. A name no file can have (one edited beyond any length) is simply not there.
        const std::filesystem::path name = files::PathFromUtf8(walkTest);
        if (walkTest == "." || walkTest == ".." ||
            walkTest.find_first_of("/\\") != std::string::npos || name != name.filename())
            return {};
        if (folderHandle.KindOf(files::PathFromUtf8(walkTest + ".html")) ==
            FolderHandle::Kind::File)
            return RelativeUrl(walkTest + ".html");
        if (folderHandle.KindOf(name) == FolderHandle::Kind::Folder)
            return RelativeUrl(walkTest) + "/";
        return {};
    };
    const std::string page = files::Utf8FromPath(where / kPageName);
    ReplacingFile out(folderHandle, kPageName);
    out.Write(SiteBookHtml(book, link));
    const WriteOutcome written = out.Finish();
    if (!written) {
        outcome.sMessage = written.sError + ". No page was written.";
        return outcome;
    }
    outcome.sPath = page;
    if (book.damaged.empty()) {
        outcome.kind = ReportOutcome::Kind::Complete;
        outcome.sMessage = "Site book written: " + page;
    } else {
        outcome.kind = ReportOutcome::Kind::Incomplete;
        outcome.sMessage = "Site book written, without the lines that could not be read: " + page;
        for (const std::string& damaged : book.damaged)
            outcome.sMessage += "\n" + damaged;
    }
    return outcome;
}

} // namespace

ReportOutcome WriteSiteBookPage(const std::string& folder) {
    try {
        return Page(folder);
    } catch (const std::bad_alloc&) {
        return {ReportOutcome::Kind::NotWritten,
                {},
                "Not enough memory to make the site book's page. No page was written."};
    } catch (const std::exception& error) {
        return {ReportOutcome::Kind::NotWritten,
                {},
                std::string("The site book's page failed: ") + error.what() +
                    ". No page was written."};
    }
}

} // namespace records
