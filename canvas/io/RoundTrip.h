#pragma once

#include "canvas/RoundTripChange.h"
#include "canvas/io/TextFormat.h"

#include <string>

// Compares the bytes read with the bytes the canvas would be written as (both in
// the given encoding) and describes the first difference. westernWidths: the
// text is narrow box drawing, its characters as wide as Western fonts show them.
CRoundTripChange FindRoundTripChange(const std::string& read, const std::string& written,
                                     TextEncoding encoding, bool westernWidths = false);

// A Japanese sentence for the user naming the change and where it first occurs;
// empty when there is none.
std::string DescribeRoundTripChange(const CRoundTripChange& change);

// The same in English, for the command line.
std::string DescribeRoundTripChangeEnglish(const CRoundTripChange& change);
