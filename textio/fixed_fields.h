// textio/fixed_fields.h: fixed-width fields: texts Aw, integers Iw and Iw.m,
// and records of five reals of 13 columns with 6 implied decimals (5F13.6).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "textio/record_file.h"

namespace textio {

struct TextField {
  std::size_t width;
};
struct IntField {
  std::size_t width;
  std::size_t min_digits = 0;  // Iw.m: at least m digits, zero-padded
};

inline constexpr TextField A80{80}, A150{150}, A255{255};
inline constexpr IntField I2{2}, I4{4}, I8{8}, I14{14};
inline constexpr IntField I2_2{2, 2}, I3_3{3, 3}, I4_4{4, 4};

// Reading a text field from a record: the first `width` characters, blank-padded,
// fitted to an item of `item_length` (a shorter item takes the rightmost ones).
std::string read_fixed(std::string_view record, TextField field, std::size_t item_length);
// Reading an integer field: blanks anywhere are ignored, all blanks read as 0,
// an optional sign; false when the field holds anything else. Only the first
// `width` characters of text are looked at (fewer if text is shorter).
bool read_fixed(std::string_view text, IntField field, std::int64_t& value);

// The same for a field of record f that must hold an integer: IoError naming the
// file and its current record otherwise.
std::int64_t read_fixed_required(const RecordFile& f, std::string_view text, IntField field);

// Writing an integer field into width characters at out: right-justified,
// zero-padded to min_digits, asterisks when it does not fit.
void write_fixed(char* out, IntField field, std::int64_t value);
// Writing a text field: the text's first `width` characters, blank-padded.
void write_fixed(char* out, TextField field, std::string_view text);

// Reads values.size() reals from records of five 13-column fields, starting on
// the next record of f: a field without a point has 6 implied decimals, blanks
// are ignored, an all-blank field (also past the end of a short record) is 0.
// IoError at the end of the file or for a field that is not a number.
void read_fixed_reals(RecordFile& f, std::span<float> values);

// One 13-column field read as above; false when it is not a number.
bool parse_f13_6(std::string_view field, float& value);

}  // namespace textio
