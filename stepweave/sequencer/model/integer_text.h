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

// How a text appears inside an error message: cut after 100 bytes with "..."
// appended, so that a damaged file's huge line cannot flood the box, and
// with every byte that would not show as itself (a control character, a zero
// byte, a byte that is no part of UTF-8 text) written as "\xHH", so that the
// message of a binary file says what stands there and is never cut short.
std::string TextForMessage(std::string_view text);

}  // namespace stepweave
