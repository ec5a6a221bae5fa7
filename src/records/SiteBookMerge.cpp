// Two books' lines merged by their time stamps, which sort as text.
#include "records/SiteBookMerge.h"

#include "records/SiteBookSections.h"

#include <utility>

namespace records {

std::uint64_t MergeSiteBooks(SiteBookReader& book, SiteBookReader& waiting, SiteBookLines& lines) {
    std::uint64_t fromWaiting = 0;
    std::optional<std::vector<std::string>> nextInBook = book.Next(lines);
    std::optional<std::vector<std::string>> nextWaiting = waiting.Next(lines);
    while (nextInBook || nextWaiting) {
        if (nextWaiting && (!nextInBook || (*nextWaiting)[cDateTime] < (*nextInBook)[cDateTime])) {
            lines.Line(std::move(*nextWaiting));
            ++fromWaiting;
            nextWaiting = waiting.Next(lines);
        } else {
            lines.Line(std::move(*nextInBook));
            nextInBook = book.Next(lines);
        }
    }
    return fromWaiting;
}

} // namespace records
