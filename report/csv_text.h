// report/csv_text.h: fields of the run report's CSV files (RFC 4180): texts
// quoted where they must be, numbers in plain decimal form with "." as the
// decimal point, whatever the locale.
#pragma once

#include <string>
#include <string_view>

namespace report {

// The text as it stands, or between double quotation marks (inner ones
// doubled) when it holds a comma, a quotation mark, a CR or an LF.
std::string csv_field(std::string_view text);

// A number with exactly `decimals` decimals; "" for a value that is not
// finite, and no minus sign on a value that rounds to 0.
std::string plain_decimals(double value, int decimals);

// A number with at least `digits` significant digits, in plain form (no
// exponent); "" for a value that is not finite.
std::string plain_significant(double value, int digits);

}  // namespace report
