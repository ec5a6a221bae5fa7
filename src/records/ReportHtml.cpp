// The page: the recording's date, what is missing, the counts and the timeline of pictures.
#include "records/ReportHtml.h"

#include "files/Utf8Path.h"
#include "records/ReportFileRead.h"
#include "records/Version.h"

#include <cstdint>

namespace records {

namespace {

constexpr std::string_view kStyle =
    "body{font-family:sans-serif;margin:2em auto;max-width:860px;color:#222;padding:0 1em}"
    "h1{font-size:1.6em;margin-bottom:.2em}h2{font-size:1.2em;margin-top:1.6em}"
    ".note{color:#555}.missing{border:2px solid #c00;background:#fee;padding:.5em 1em}"
    "table.counts{border-collapse:collapse}"
    "table.counts th,table.counts td{border:1px solid #bbb;padding:.25em .8em;text-align:left}"
    "table.counts td{text-align:right;font-weight:bold}"
    "ol.timeline{list-style:none;padding:0}"
    "ol.timeline li{border-top:1px solid #ccc;padding:.8em 0}"
    ".when{font-family:monospace;font-size:1.05em;margin-right:1em}.what{font-weight:bold}"
    ".absent{color:#c00}"
    "img{display:block;margin-top:.5em;max-width:100%;height:auto;border:1px solid #999}";

// The page's text on its way to the output, handed on in pieces.
class PageText {
public:
    explicit PageText(const PageOutput& output)
        : output(output) {}

    PageText& operator+=(std::string_view text) {
        pending += text;
        if (pending.size() >= kPieceBytes) {
            Flush();
        }
        return *this;
    }
    void Flush() {
        if (!pending.empty()) {
            output(pending);
            pending.clear();
        }
    }

private:
    static constexpr std::size_t kPieceBytes = 256 * 1024;
    const PageOutput& output;
    std::string pending;
};

// Width and height from the PNG header, for a page that does not jump while it loads.
std::string SizeAttributes(std::string_view png) {
    if (png.size() < 24) {
        return "";
    }
    const auto be32 = [&](std::size_t at) {
        std::uint32_t value = 0;
        for (std::size_t i = at; i < at + 4; ++i) {
            value = value << 8 | static_cast<unsigned char>(png[i]);
        }
        return std::to_string(value);
    };
    return " width=\"" + be32(16) + "\" height=\"" + be32(20) + "\"";
}

// The picture's bytes as base64 in pieces: a whole group of three bytes encodes alone.
void AppendBase64(PageText& page, std::string_view bytes) {
    constexpr std::size_t kPiece = 3 * 64 * 1024;
    for (std::size_t at = 0; at < bytes.size(); at += kPiece) {
        page += Base64(bytes.substr(at, kPiece));
    }
}

// A label in a sentence: "Disconnection" as "disconnection".
std::string LowerCase(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

std::string Anchor(const ReportPicture& picture) {
    return "picture-" + std::to_string(picture.iAnchor);
}

void AppendAbsent(PageText& page, const ReportPicture& picture, const std::string& problem) {
    page += "<div class=\"absent\">Picture \"" + HtmlEscape(picture.sName) + "\" " +
            HtmlEscape(problem) + ".</div>";
}

// The picture, read again from the folder; what changed since it was first read is added to
// `changed`.
void AppendImage(PageText& page, const ReportPicture& picture, const FolderHandle& folder,
                 std::vector<std::string>& changed) {
    const ReportFile file =
        ReadReportFile(folder, files::PathFromUtf8(picture.sName), kMaxPictureBytes);
    if (const std::optional<PictureProblem> problem = CheckPicture(file)) {
        AppendAbsent(page, picture, problem->sReason);
        changed.push_back(
            "The picture \"" + picture.sName +
            "\" changed while the report was made and is not in it: " + problem->sReason + ".");
        return;
    }
    page += "<img src=\"data:image/png;base64,";
    AppendBase64(page, file.sBytes);
    page += "\" alt=\"" + HtmlEscape(picture.sLabel) + "\"" + SizeAttributes(file.sBytes) + ">";
}

void AppendPicture(PageText& page, const ReportPicture& picture, const ReportContents& contents,
                   std::vector<std::string>& changed) {
    page += picture.iAnchor != 0 && !picture.bRepeat ? "<li id=\"" + Anchor(picture) + "\">"
                                                     : std::string("<li>");
    page += "<span class=\"when\">";
    if (picture.sTime.empty()) {
        page += "time unknown";
    } else {
        // A recording that runs past midnight says which day its later pictures belong to.
        page += HtmlEscape(picture.sDate == contents.sDate ? picture.sTime
                                                           : picture.sDate + " " + picture.sTime);
    }
    page += "</span><span class=\"what\">" + HtmlEscape(picture.sLabel) + "</span>";
    if (!picture.sProblem.empty()) {
        AppendAbsent(page, picture, picture.sProblem);
    } else if (picture.bRepeat) {
        page += "<div class=\"note\">The same picture as <a href=\"#" + Anchor(picture) +
                "\">above</a>.</div>";
    } else {
        AppendImage(page, picture, contents.folder, changed);
    }
    if (!picture.sResyncAfter.empty()) {
        page += "<div class=\"note\">The link's re-synchronisation after the " +
                HtmlEscape(LowerCase(picture.sResyncAfter)) + ", not a calibration.</div>";
    }
    page += "</li>\n";
}

// several: more than one summary (recordings started in the same second share a folder);
// only: this is the folder's one list of pictures.
void AppendRecording(PageText& page, const ReportRecording& recording,
                     const ReportContents& contents, bool several, bool only,
                     std::vector<std::string>& changed) {
    if (recording.sSummaryName.empty()) {
        page += only ? "<h2>Timeline</h2>\n" : "<h2>Pictures no summary lists</h2>\n";
    } else {
        if (several) {
            page += "<h2>Recording closed by \"" + HtmlEscape(recording.sSummaryName) + "\"</h2>\n";
        }
        page += "<h2>Counts</h2>\n<table class=\"counts\">\n";
        for (const auto& [title, value] : recording.counts) {
            page +=
                "<tr><th>" + HtmlEscape(title) + "</th><td>" + HtmlEscape(value) + "</td></tr>\n";
        }
        page += "</table>\n<h2>Timeline</h2>\n";
    }
    page += "<ol class=\"timeline\">\n";
    for (const ReportPicture& picture : recording.pictures) {
        AppendPicture(page, picture, contents, changed);
    }
    page += "</ol>\n";
}

} // namespace

std::string HtmlEscape(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        case '\'':
            escaped += "&#39;";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

std::string Base64(std::string_view bytes) {
    constexpr std::string_view kAlphabet =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string encoded;
    encoded.reserve((bytes.size() + 2) / 3 * 4);
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::size_t count = std::min<std::size_t>(3, bytes.size() - i);
        std::uint32_t group = 0;
        for (std::size_t k = 0; k < 3; ++k) {
            group = group << 8 | (k < count ? static_cast<unsigned char>(bytes[i + k]) : 0u);
        }
        for (std::size_t k = 0; k < 4; ++k) {
            encoded += k <= count ? kAlphabet[(group >> (18 - 6 * k)) & 63] : '=';
        }
    }
    return encoded;
}

std::vector<std::string> WriteReportHtml(const ReportContents& contents, const PageOutput& output) {
    const std::string when = contents.sDate + " " + contents.sTime;
    PageText page(output);
    page += "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n";
    page += "<title>Walk test " + HtmlEscape(when) + "</title>\n";
    page += "<style>" + std::string(kStyle) + "</style>\n</head>\n<body>\n";
    page += "<h1>Walk test of " + HtmlEscape(contents.sDate) + ", started " +
            HtmlEscape(contents.sTime) + "</h1>\n";
    page += "<p class=\"note\">Recording folder \"" + HtmlEscape(contents.sFolderName) +
            "\". Each picture shows the whole window as it was at that moment: the detector's "
            "model, unit ID, position and settings are in the \"Parameters\" panel on its left. "
            "Report made by Mirelund v" +
            HtmlEscape(GetVersionString()) + " from the folder's own files.</p>\n";
    if (!contents.missing.empty()) {
        page += "<div class=\"missing\"><h2>Missing from the recording</h2>\n<ul>\n";
        for (const std::string& sentence : contents.missing) {
            page += "<li>" + HtmlEscape(sentence) + "</li>\n";
        }
        page += "</ul>\n</div>\n";
    }
    const bool several =
        contents.recordings.size() > 1 && !contents.recordings[1].sSummaryName.empty();
    std::vector<std::string> changed;
    for (const ReportRecording& recording : contents.recordings) {
        AppendRecording(page, recording, contents, several, contents.recordings.size() == 1,
                        changed);
    }
    page += "</body>\n</html>\n";
    page.Flush();
    return changed;
}

} // namespace records
