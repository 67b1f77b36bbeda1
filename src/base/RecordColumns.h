#pragma once
#include <span>
#include <string>
#include <string_view>

// How a form field treats what is typed into it: names upper case, e-mail
// addresses lower case, codes and days digits only, account numbers upper case
// without blanks (the printed form of an IBAN has them).
enum class TextRule { AsTyped, Upper, Lower, Digits, Compact };

// The codes a drop-down stores, in the order it lists them: the list position
// of the field is the position of the code here.
using ChoiceCodes = std::span<const std::string_view> (*)();

// One column of a record as every layer sees it: the statements name it, the
// record struct holds it, the form field of the same objectName edits it, and
// a list shows it. A record describes itself once in a table of these.
struct ColumnSpec {
    std::string_view name;  // column name as the statements write it ("reg_com")
    int maxLength = 0;      // entry limit of the form field; 0: not a typed field
    TextRule rule = TextRule::AsTyped;
    int listWidth = -1;             // width in the record's list; -1: not set by the record
    int displayKind = 0;            // display kind of the list column (1..5); 0: as stored
    ChoiceCodes choices = nullptr;  // set for a drop-down: the codes it stores
};

// The check a column's value must pass on its own, without the database:
// the message the save shows when the record's value fails it, nullptr when
// it passes. The save runs it in its place among the other checks, and a
// form runs it while the value is typed.
template <typename Record>
using FieldCheck = const char* (*)(const Record& record);

// A column bound to the member of the record struct that holds its value.
template <typename Record>
struct RecordColumn {
    ColumnSpec spec;
    std::string Record::*member;
    FieldCheck<Record> check = nullptr;
};

// The upper-case name a result table gives the column ("REG_COM").
std::string ResultName(std::string_view column);
