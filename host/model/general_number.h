#pragma once

#include <QString>

namespace host::model {

// A number as the General format shows it: at most 11 characters, sign and decimal point
// included; integers as they are up to 11 digits, fractions rounded to what fits, and
// scientific notation ("1.23457E+11", "1E-10") where the decimal form would not fit or would
// lose significant digits that the scientific form keeps.
// With a smaller `width` (a narrow column), the same rules in fewer characters; empty when
// the number cannot be shown in that many.
QString generalNumber(double value, int width = 11);

} // namespace host::model
