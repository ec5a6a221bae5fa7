// The book and the lines the window set aside beside it while the book refused them, read as
// one history: those lines were booked before lines of later runs that are already in the book.
#pragma once

#include "records/SiteBookReader.h"

#include <cstdint>

namespace records {

// Hands `lines` the lines of both books in the order of their "Date and time", each book being in
// that order already, reading each only as far as the next line; on equal times the book's line
// goes first. Damaged lines go to `lines` as they are met. Returns the lines taken from `waiting`.
std::uint64_t MergeSiteBooks(SiteBookReader& book, SiteBookReader& waiting, SiteBookLines& lines);

} // namespace records
