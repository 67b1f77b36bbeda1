#pragma once
#include <span>
#include <string>
#include <string_view>

// How a form field treats what is typed into it: names upper case, e-mail
// addresses lower case, codes and days digits only, account numbers upper case
// without blanks (the printed form of an IBAN has them).
enum class TextRule { AsTyped, Upper, Lower, Digits, Compact };

// How a list shows the texts of a column. The numbers are the ones a list
// column keeps as its kind ("1".."5").
enum class DisplayKind {
    AsStored = 0,
    Date = 1,       // "20090501" as 01.05.2009
    Month = 2,      // "200905" as 05.2009
    Number = 3,     // digits grouped by dots
    Timestamp = 4,  // "20090501101112" as 01.05.2009 10:11:12
    Amount = 5,     // grouped, with two decimals
};

// The form in which a save writes a value the record holds.
enum class StoredForm {
    AsHeld,  // the text as held
    Number,  // a numeric column: the server refuses an empty text, so it is 0
    Date,    // a DATE column: held "YYYYMMDD" (empty when never set), written "YYYY-MM-DD"
};

// Which saves write a column.
enum class WrittenWhen {
    Always,
    Adding,  // only the save adding the row: what the row belongs to never moves
    Asked,   // only a save whose flow asks for it (a column of some flows only)
    Never,   // read, never written: the row key
};

// What a save is: adding a row or changing one, and whether its flow asks
// for the columns written only when asked.
struct SaveScope {
    bool adding = false;
    bool asked = false;
    std::string_view omitted = {};  // a column the form did not edit this time
};

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
    int listWidth = -1;  // width in the record's list; -1: not set by the record
    DisplayKind displayKind = DisplayKind::AsStored;
    ChoiceCodes choices = nullptr;  // set for a drop-down: the codes it stores
    StoredForm stored = StoredForm::AsHeld;
    WrittenWhen written = WrittenWhen::Always;
    std::string_view listTitle = {};  // the list's header when it is not the name
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
// The header of the column in a list: its title, else its result name.
std::string ListName(const ColumnSpec& column);

// The text a save writes for a value held in the record, and the value a
// record holds for a stored text (a date never set, "0000-00-00", is empty).
std::string StoredValue(StoredForm form, const std::string& held);
std::string HeldValue(StoredForm form, const std::string& stored);

// Whether a save of this scope writes the column.
bool IsWritten(const ColumnSpec& column, const SaveScope& scope);
