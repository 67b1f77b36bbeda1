#pragma once
#include <optional>
#include <string>

class CClient;
class Prompter;

// The only ways a value enters a composed statement.

// A text value between apostrophes, escaped so every byte is stored unchanged.
std::string SqlText(const CClient& client, const std::string& value);

// True for a plain number literal: digits with an optional sign and one
// optional decimal point, nothing else (no blanks, no exponent).
bool IsNumberLiteral(const std::string& value);

// A value concatenated bare (company code, CNP, month, index, amount). Anything
// but a number literal refuses the operation: the message is shown and nothing
// is returned, so the caller stops before any statement runs.
std::optional<std::string> SqlNumber(Prompter& prompter, const std::string& value);
