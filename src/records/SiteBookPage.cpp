// The site book's page: the book, and the lines set aside beside it, read from their files piece
// by piece into the detectors' sections, and the page written beside them.
#include "records/SiteBookPage.h"

#include "files/Utf8Path.h"
#include "records/FolderHandle.h"
#include "records/ReplacingFile.h"
#include "records/ReportFileRead.h"
#include "records/ScratchFile.h"
#include "records/SiteBookMerge.h"
#include "records/SiteBookPageWriter.h"

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

// One of the files the page is made from, read from the folder in pieces.
class BookFile {
public:
    BookFile(const FolderHandle& folder, const std::filesystem::path& where, const char* name)
        : sQuoted('"' + files::Utf8FromPath(where / name) + '"')
        , file(folder, name) {}

    bool Present() const { return !file.Opened().bAbsent; }
    bool Readable() const { return file.Opened().sProblem.empty(); }
    CsvSource Source() {
        return [this](std::string& bytes) { return file.ReadMore(bytes, kPieceBytes); };
    }
    // The file's whole path in quotes, for the operator.
    const std::string& Quoted() const { return sQuoted; }
    std::string Unreadable() const {
        return sQuoted + " cannot be read: " +
               (Present() ? file.Opened().sProblem : std::string("there is no such file"));
    }
    std::string NotASiteBook() const {
        return sQuoted + " is not a site book: its first line is not the site book's header";
    }

private:
    std::string sQuoted;
    ReportFileReader file;
};

// Only a folder's own name beside the book, as the tool writes it: a path, an address or a name
// of nothing there is not linked. The report made by --report sits beside its folder. A name no
// file can have (one edited beyond any length) is simply not there.
LinkTarget WalkTestLink(const FolderHandle& folder) {
    return [&folder](const std::string& walkTest) -> std::string {
        const std::filesystem::path name = files::PathFromUtf8(walkTest);
        if (walkTest == "." || walkTest == ".." ||
            walkTest.find_first_of("/\\") != std::string::npos || name != name.filename())
            return {};
        if (folder.KindOf(files::PathFromUtf8(walkTest + ".html")) == FolderHandle::Kind::File)
            return RelativeUrl(walkTest + ".html");
        if (folder.KindOf(name) == FolderHandle::Kind::Folder)
            return RelativeUrl(walkTest) + "/";
        return {};
    };
}

// What the operator is told of a page written.
ReportOutcome Written(const std::string& page, const SiteBookContents& book,
                      std::uint64_t fromWaiting, const BookFile& waiting) {
    ReportOutcome outcome{ReportOutcome::Kind::Complete, page, "Site book written: " + page};
    if (book.iDamaged > 0) {
        outcome.kind = ReportOutcome::Kind::Incomplete;
        outcome.sMessage = "Site book written, without the lines that could not be read: " + page;
    }
    if (fromWaiting > 0)
        outcome.sMessage += "\nIt includes " + CountText(fromWaiting, "line") + " from " +
                            waiting.Quoted() +
                            ", which the window put there while the book could not be written.";
    for (const std::string& damaged : book.damaged)
        outcome.sMessage += "\n" + damaged;
    if (book.iDamaged > book.damaged.size())
        outcome.sMessage +=
            "\nand " + std::to_string(book.iDamaged - book.damaged.size()) + " more";
    return outcome;
}

ReportOutcome Page(const std::string& folder) {
    const auto notWritten = [](const std::string& why) {
        return ReportOutcome{ReportOutcome::Kind::NotWritten, {}, why + ". No page was written."};
    };
    const std::filesystem::path where =
        std::filesystem::absolute(files::PathFromUtf8(folder)).lexically_normal();
    // Every file is named from the folder's handle, so that the depth of the path does not
    // matter.
    const FolderHandle folderHandle(where);
    BookFile book(folderHandle, where, kSiteBookFileName);
    BookFile waiting(folderHandle, where, kSiteBookWaitingFileName);
    if (!book.Readable())
        return notWritten(book.Unreadable());
    if (!waiting.Readable())
        return notWritten(waiting.Unreadable());
    if (!book.Present() && !waiting.Present())
        return notWritten(book.Unreadable());
    SiteBookReader bookLines(book.Source());
    SiteBookReader waitingLines(waiting.Source(), kSiteBookWaitingFileName);
    if (book.Present() && !bookLines.IsSiteBook())
        return notWritten(book.NotASiteBook());
    if (!book.Present() && !waitingLines.IsSiteBook())
        return notWritten(waiting.NotASiteBook());
    const std::string page = files::Utf8FromPath(where / kPageName);
    ReplacingFile out(folderHandle, kPageName);
    ScratchFile scratch(folderHandle, kPageName);
    if (!out.Outcome())
        return notWritten(out.Outcome().sError);
    if (!scratch.Outcome())
        return notWritten(scratch.Outcome().sError);
    SiteBookPageWriter writer(WalkTestLink(folderHandle),
                              [&scratch](std::string_view piece) { scratch.Write(piece); });
    SiteBookSections sections(writer);
    if (waiting.Present() && !waitingLines.IsSiteBook())
        sections.Damaged(std::string(kSiteBookWaitingFileName) +
                         ": its first line is not the site book's header, and it is left out");
    const std::uint64_t fromWaiting = MergeSiteBooks(bookLines, waitingLines, sections);
    sections.End();
    if (!book.Readable())
        return notWritten(book.Unreadable());
    if (!waiting.Readable())
        return notWritten(waiting.Unreadable());
    writer.Write(
        sections.Contents(), fromWaiting,
        [&scratch](std::string& bytes) { return scratch.ReadMore(bytes, kPieceBytes); },
        [&out](std::string_view piece) { out.Write(piece); });
    if (!scratch.Outcome())
        return notWritten(scratch.Outcome().sError);
    const WriteOutcome written = out.Finish();
    if (!written)
        return notWritten(written.sError);
    return Written(page, sections.Contents(), fromWaiting, waiting);
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
    std::string scratch;
    SiteBookPageWriter writer(link, [&scratch](std::string_view piece) { scratch += piece; });
    SiteBookSections sections(writer);
    for (const std::vector<std::string>& line : book.lines)
        sections.Line(line);
    for (const std::string& damaged : book.damaged)
        sections.Damaged(damaged);
    sections.End();
    std::string page;
    writer.Write(
        sections.Contents(), 0,
        [&scratch](std::string& bytes) {
            bytes += std::exchange(scratch, {});
            return !bytes.empty();
        },
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
