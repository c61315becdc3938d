// Names in the results file are stored in the Japanese code page (932, the
// Shift-JIS of Windows). The conversion is the platform's own: Windows'
// code page 932 tables, or glibc's "CP932", which has the same mappings for
// "～" and "－" (glibc's "SHIFT_JIS" has not).
#pragma once

#include <string>
#include <string_view>

namespace tavri {

// Every character the code page cannot hold becomes "?", so the result is
// always storable and never longer than two bytes per character.
std::string ToCp932(std::u32string_view text);

// Any bytes decode: a byte or pair that is not a character of the code page,
// and a lead byte cut off at the end, come back as U+FFFD.
std::u32string FromCp932(std::string_view bytes);

}  // namespace tavri
