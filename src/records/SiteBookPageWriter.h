// The site book's page made as its sections are settled: at the top the counts, what the site's
// owner must ask about and the lines left out, known only at the book's end; then a section for
// each detector. A finished section is written at once to a scratch and let go, a kept one is
// marked there; the page is written at the end, its top first, then the scratch with the kept
// sections in their places. One file without network references, printed one detector to a
// block.
#pragma once

#include "records/ReportHtml.h"
#include "records/SiteBookSectionHtml.h"
#include "records/SiteBookSections.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace records {

// The items of the "To ask about" list the page names; the others are counted.
inline constexpr std::size_t kAskedNamed = 100;

// Hands back what was written to the scratch, a piece at a time from its start; false at its
// end.
using ScratchSource = std::function<bool(std::string& bytes)>;

class SiteBookPageWriter final : public SiteBookSectionSink {
public:
    SiteBookPageWriter(LinkTarget link, PageOutput scratch);

    void Finished(const SiteBookSection& section) override;
    void Kept() override;

    // The page, once the book has ended and `book` holds only the sections kept. `fromWaiting`:
    // the lines read from kSiteBookWaitingFileName, which the page names.
    void Write(const SiteBookContents& book, std::uint64_t fromWaiting,
               const ScratchSource& fromScratch, const PageOutput& output) const;

private:
    // An item of the list for a finished section, at the section's place.
    struct Asked {
        std::size_t iPlace;
        std::string sItem;
    };

    std::string AskList(const SiteBookContents& book) const;

    LinkTarget link;
    PageOutput scratch;
    std::size_t iPlace = 0;   // the next section's place on the page
    std::vector<Asked> asked; // the first kAskedNamed items of the finished sections
    std::uint64_t iAsked = 0; // all items of the finished sections
};

} // namespace records
