// The site book's page: the book read from its file piece by piece into its detectors'
// sections, and the page written beside it.
#include "records/SiteBookPage.h"

#include "files/Utf8Path.h"
#include "records/FolderHandle.h"
#include "records/ReplacingFile.h"
#include "records/ReportFileRead.h"

#include <algorithm>
#include <exception>
#include <filesystem>
#include <new>
#include <string_view>
#include <utility>

namespace records {

namespace {

constexpr const char* kPageName = "Site book.html";

// What the book is read in.
constexpr std::size_t kPieceBytes = 64 * 1024;

// The lines of a book read whole, kept as they are.
class KeptLines final : public SiteBookLines {
public:
    explicit KeptLines(SiteBookRead& book)
        : book(book) {}
    void Line(std::vector<std::string> fields) override { book.lines.push_back(std::move(fields)); }
    void Damaged(std::string text) override { book.damaged.push_back(std::move(text)); }

private:
    SiteBookRead& book;
};

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

ReportOutcome Page(const std::string& folder) {
    ReportOutcome outcome;
    const std::filesystem::path where =
        std::filesystem::absolute(files::PathFromUtf8(folder)).lexically_normal();
    const std::string quoted = '"' + files::Utf8FromPath(where / kSiteBookFileName) + '"';
    // Every file is named from the folder's handle, so that the depth of the path does not
    // matter.
    const FolderHandle folderHandle(where);
    ReportFileReader file(folderHandle, kSiteBookFileName);
    const auto unreadable = [&] {
        outcome.sMessage = quoted + " cannot be read: " +
                           (file.Opened().bAbsent ? std::string("there is no such file")
                                                  : file.Opened().sProblem) +
                           ". No page was written.";
        return outcome;
    };
    if (file.Opened().bAbsent || !file.Opened().sProblem.empty())
        return unreadable();
    SiteBookSections sections;
    const bool isSiteBook = ReadSiteBook(
        [&file](std::string& bytes) { return file.ReadMore(bytes, kPieceBytes); }, sections);
    if (!file.Opened().sProblem.empty())
        return unreadable();
    if (!isSiteBook) {
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
    const SiteBookContents& book = sections.Contents();
    WriteSiteBookHtml(book, link, [&out](std::string_view piece) { out.Write(piece); });
    const WriteOutcome written = out.Finish();
    if (!written) {
        outcome.sMessage = written.sError + ". No page was written.";
        return outcome;
    }
    outcome.sPath = page;
    if (book.iDamaged == 0) {
        outcome.kind = ReportOutcome::Kind::Complete;
        outcome.sMessage = "Site book written: " + page;
    } else {
        outcome.kind = ReportOutcome::Kind::Incomplete;
        outcome.sMessage = "Site book written, without the lines that could not be read: " + page;
        for (const std::string& damaged : book.damaged)
            outcome.sMessage += "\n" + damaged;
        if (book.iDamaged > book.damaged.size())
            outcome.sMessage +=
                "\nand " + std::to_string(book.iDamaged - book.damaged.size()) + " more";
    }
    return outcome;
}

} // namespace

SiteBookRead ReadSiteBookText(const std::string& text) {
    SiteBookRead book;
    KeptLines kept(book);
    std::size_t at = 0;
    book.bIsSiteBook = ReadSiteBook(
        [&](std::string& bytes) {
            const std::size_t piece = std::min(kPieceBytes, text.size() - at);
            bytes.append(text, at, piece);
            at += piece;
            return piece > 0;
        },
        kept);
    return book;
}

std::string SiteBookHtml(const SiteBookRead& book, const LinkTarget& link) {
    SiteBookSections sections;
    for (const std::vector<std::string>& line : book.lines)
        sections.Line(line);
    for (const std::string& damaged : book.damaged)
        sections.Damaged(damaged);
    std::string page;
    WriteSiteBookHtml(sections.Contents(), link,
                      [&page](std::string_view piece) { page += piece; });
    return page;
}

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
