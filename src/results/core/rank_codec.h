// The 12-byte record of the results file: a 10-byte name in code page 932,
// padded with blanks, then the score as a 16-bit little-endian signed integer.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "results/core/best_lists.h"

namespace tavri {

inline constexpr std::size_t kRecordSize = 12;
inline constexpr std::size_t kNameFieldSize = 10;
// A name as the lists hold it: the field's characters, padding included.
inline constexpr std::size_t kNameLength = 10;

// The name as it is stored: as many whole characters as fit in ten bytes (a
// double-byte character that would stick out is left off, never halved),
// then blanks. A record therefore never spills into its neighbour.
std::string NameField(std::u32string_view name);

std::string EncodeRecord(const ListEntry& entry);

// Ten blanks and a score of 0: a place nobody has taken.
std::string BlankRecord();

// Reads up to twelve bytes: the name is the field's characters, blanks
// added up to ten. Whatever is missing reads as blanks and 0, so a cut-off
// last record of a file does no harm; any bytes decode.
ListEntry DecodeRecord(std::string_view bytes);

// Record n (from 1) of a file's bytes; a record beyond the end reads as an
// empty name and 0.
ListEntry RecordAt(std::string_view file, std::size_t number);

}  // namespace tavri
