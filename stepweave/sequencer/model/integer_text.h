#pragma once
// Decimal integers as the sequencer's files and fields hold them.
//
// Accepted: optional blanks (spaces, tabs) around the number, an optional
// "+" or "-", then one or more decimal digits (leading zeros allowed), within
// the 32-bit signed range. Everything else, including hexadecimal forms such
// as "$1F" or "0x1F" and an empty text, fails with IntegerTextError
// "'%s' is not a valid integer value". Our files only ever hold plain decimal
// numbers, so a hexadecimal value in one is a damaged file, not a feature.
#include <string>
#include <string_view>

namespace stepweave {

int ParseInteger(std::string_view text);

// How a text appears inside an error message: cut to 100 characters with
// "..." appended, so that a damaged file's huge line cannot flood the box.
std::string TextForMessage(std::string_view text);

}  // namespace stepweave
