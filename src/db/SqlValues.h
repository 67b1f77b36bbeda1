#pragma once
#include <optional>
#include <string>
#include <string_view>

class CClient;
class Prompter;

// A value made safe for a composed statement: an escaped text between
// apostrophes, or a checked number. Only the functions below make one.
class SqlLiteral {
public:
    const std::string& Text() const { return m_text; }

private:
    explicit SqlLiteral(std::string text) : m_text(std::move(text)) {}
    friend SqlLiteral SqlText(const CClient& client, const std::string& value);
    friend std::optional<SqlLiteral> SqlNumber(Prompter& prompter, const std::string& value);
    friend SqlLiteral SqlInteger(long long value);
    friend class PrefixLookup;

    std::string m_text;
};

// A statement built from the program's own fixed texts and checked literals
// only: a runtime std::string cannot be appended, so a value typed by the user
// reaches the server only through SqlText or SqlNumber.
class SqlStatement {
public:
    SqlStatement(const char* fixedText) : m_text(fixedText) {}  // NOLINT: literals convert
    SqlStatement(std::string) = delete;

    SqlStatement& operator+=(const char* fixedText) {
        m_text += fixedText;
        return *this;
    }
    SqlStatement& operator+=(const SqlLiteral& value) {
        m_text += value.Text();
        return *this;
    }
    SqlStatement& operator+=(const SqlStatement& other) {
        m_text += other.m_text;
        return *this;
    }
    template <typename Part>
    requires requires(SqlStatement& s, const Part& p) { s += p; }
    friend SqlStatement operator+(SqlStatement left, const Part& right) {
        left += right;
        return left;
    }
    const std::string& Text() const { return m_text; }

private:
    std::string m_text;
};

// A text value between apostrophes, escaped so every byte is stored unchanged.
SqlLiteral SqlText(const CClient& client, const std::string& value);

// True for a plain number literal: digits with an optional sign and one
// optional decimal point, nothing else (no blanks, no exponent).
bool IsNumberLiteral(const std::string& value);

// A value concatenated bare (company code, CNP, month, amount). Anything but a
// number literal refuses the operation: the message is shown and nothing is
// returned, so the caller stops before any statement runs.
[[nodiscard]] std::optional<SqlLiteral> SqlNumber(Prompter& prompter, const std::string& value);

// A number the program computed itself (a row key, a count).
SqlLiteral SqlInteger(long long value);
