#pragma once
// An input grid filled from a CSV file, as the command line reads its INPUT.
#include <cstdint>
#include <iosfwd>
#include <string>

#include "model/input_grid.h"

namespace tavelmark::files {

enum class LoadStatus {
    Loaded,
    Unreadable,       // no such file, a directory, a read error
    UnknownEncoding,  // not text in UTF-8, GBK or UTF-16 with a byte order mark
};

// Clears the active sheet's viewable range and fills it from the CSV bytes
// (record i, field j -> row i, column j). The bytes are read as a stream:
// only fields inside the viewable range are kept, those beyond it are counted
// and a warning on err says how many hold a value. A field is a number when
// ReadCellNumber takes it for one (blanks around it allowed), empty when
// blank, and text (without the blanks around it) otherwise. The number of
// values left outside goes to *outside too, when given (a window's own
// warning words it for an import).
//
// Encoding: a UTF-16 byte order mark (either order) means UTF-16. Otherwise
// the text is read as UTF-8 (a UTF-8 byte order mark is skipped) and, at the
// first byte that is not UTF-8, read again from the start as GBK. A file
// that is neither leaves the grid untouched. Reading again needs a stream
// that can go back, unless the first bad byte lies within the first 64 KiB,
// which are held in memory; a Chinese file shows its first GBK character in
// its headings, so in practice the second reading starts at once.
LoadStatus LoadInputGrid(std::istream& bytes, model::InputGrid& grid, std::ostream& err,
                         std::int64_t* outside = nullptr);

// The same from a file; a refusal is explained on err.
LoadStatus LoadInputGrid(const std::string& path, model::InputGrid& grid, std::ostream& err,
                         std::int64_t* outside = nullptr);

}  // namespace tavelmark::files
