#pragma once
// Whether a PDF file holds the whole document its writer made. The PDF
// printer writes through buffered calls whose failures it does not report: a
// full disk leaves a file cut short, or with a chunk missing in the middle
// and the rest written after it. Both show in the document's own structure:
// the end marker is missing, or the cross-reference table no longer places
// the objects where they are.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace titrage {

// Up to `length` bytes of the file from `offset` (fewer at its end or when
// reading fails).
using ReadAt = std::function<std::string(std::int64_t offset, std::size_t length)>;

// True when the file of `size` bytes begins with a PDF header, ends with
// "%%EOF" (followed by at most one end of line), and the cross-reference
// table that its last "startxref" names lies in the file and places every
// object it lists, at least one, at the offset where that object begins.
// Only the tail, the table and the first bytes of each object are read, so a
// document of many pictures is checked without being loaded.
bool isCompletePdf(std::int64_t size, const ReadAt& read);
// The same for a document held whole in memory.
bool isCompletePdf(std::string_view bytes);

} // namespace titrage
