// Fuzzes the site book's reader and its page: a book's text read back, then made into the page.
//
// Input: the book's bytes. A walk-test folder whose name has an odd length is linked to itself
// (whatever it holds, so that the link's escaping is tried too); any other is shown as text.
#include "records/SiteBook.h"
#include "records/SiteBookPage.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

// The tags the page is made of: a text from the book may never open another.
constexpr std::array<std::string_view, 20> kTags{
    "!DOCTYPE", "html", "head", "meta", "title", "style",   "body",  "h1", "h2", "p",
    "div",      "ul",   "li",   "a",    "br",    "section", "table", "tr", "th", "td"};
// The character references HtmlEscape writes.
constexpr std::array<std::string_view, 5> kReferences{"&amp;", "&lt;", "&gt;", "&quot;", "&#39;"};

void Require(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

// Whether the text is UTF-8 (no overlong form, surrogate or code point past U+10FFFF) and free
// of C0 control characters and DEL, but for the line ends given in `allowed`.
bool Readable(std::string_view text, std::string_view allowed = {}) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto byte = [&](std::size_t at) {
            return at < text.size() ? static_cast<unsigned char>(text[at]) : 0u;
        };
        const unsigned lead = byte(i);
        if (lead < 0x80) {
            if ((lead < 0x20 || lead == 0x7F) && allowed.find(char(lead)) == allowed.npos) {
                return false;
            }
            ++i;
            continue;
        }
        const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        if (lead < 0xC2 || lead > 0xF4) {
            return false;
        }
        unsigned point = lead & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k) {
            if ((byte(i + k) & 0xC0) != 0x80) {
                return false;
            }
            point = point << 6 | (byte(i + k) & 0x3F);
        }
        const unsigned least = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
        if (point < least || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) {
            return false;
        }
        i += length;
    }
    return true;
}

bool StartsWithOneOf(std::string_view text, const auto& choices) {
    return std::any_of(choices.begin(), choices.end(),
                       [&](std::string_view choice) { return text.starts_with(choice); });
}

// Every '<' opens one of the page's own tags, '>' only closes one, '&' is always a reference
// and a quote inside a tag bounds an attribute's value, which holds neither '<' nor '>'.
// Returns the number of links.
std::size_t RequireOwnMarkup(std::string_view page) {
    std::size_t links = 0;
    bool inTag = false;
    bool inValue = false;
    for (std::size_t i = 0; i < page.size(); ++i) {
        const std::string_view rest = page.substr(i);
        switch (page[i]) {
        case '<': {
            Require(!inTag);
            const std::string_view name = rest.substr(rest.starts_with("</") ? 2 : 1);
            const std::string_view tag = name.substr(0, name.find_first_of(" >"));
            Require(std::find(kTags.begin(), kTags.end(), tag) != kTags.end());
            links += rest.starts_with("<a ") ? 1 : 0;
            inTag = true;
            break;
        }
        case '>':
            Require(inTag && !inValue);
            inTag = false;
            break;
        case '"':
            inValue = inTag && !inValue;
            break;
        case '&':
            Require(StartsWithOneOf(rest, kReferences));
            break;
        default:
            break;
        }
    }
    Require(!inTag);
    return links;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const records::SiteBookRead book = records::ReadSiteBookText(text);
    Require(book.bIsSiteBook || (book.lines.empty() && book.damaged.empty()));
    for (const auto& line : book.lines) {
        Require(line.size() == records::SiteBookColumns().size());
        for (const std::string& field : line) {
            Require(Readable(field));
        }
    }

    std::size_t linked = 0;
    const auto link = [&linked](const std::string& folder) -> std::string {
        if (folder.size() % 2 == 0) {
            return {};
        }
        ++linked;
        return folder + "/";
    };
    const std::string page = records::SiteBookHtml(book, link);
    Require(Readable(page, "\n"));
    Require(RequireOwnMarkup(page) == linked);
    return 0;
}
