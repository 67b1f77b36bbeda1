#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "dbf/DbfTableSpec.h"

// Byte layout of dBase III tables: the pieces the writer puts together and the reader takes
// apart, kept free of any file handling so they can be checked byte by byte.

struct DbfDate {
    int year = 0;
    int month = 0;
    int day = 0;
};

// Today's date in local time, as the header stores it.
DbfDate TodayLocalDate();

inline constexpr std::size_t kDbfBlockSize = 32;
inline constexpr char kDbfHeaderEnd = 0x0D;
inline constexpr char kDbfFileEnd = 0x1A;
inline constexpr char kDbfLiveRecord = 0x20;
inline constexpr char kDbfDeletedRecord = '*';

// Sets the field count, header length and record length of the layout from its fields. False
// (with the reason) when the fields cannot be described in a header: missing lengths, or more
// fields or wider records than the 16-bit header numbers can hold.
bool ComputeDbfLayout(DbfTableSpec& spec, std::string* error);

// The 32-byte header, the field descriptors and the 0x0D terminator, for a spec whose layout
// has been computed.
std::string EncodeDbfHeader(const DbfTableSpec& spec, const DbfDate& date);

// Type letter written for field i: the first character of its type, "C" when it has none.
char DbfTypeLetter(const DbfTableSpec& spec, std::size_t field);

// Whether `value` can stand in an "N" field: empty (the field is left blank),
// or an optional sign, digits and at most one "." with digits around it.
// Anything else ("1'2", "1,5", "12 3") would be a file other programs refuse.
bool IsDbfNumberText(std::string_view value);

// Appends the `length` bytes of one field value. "N" values are brought to `decimals` digits
// after the point (cut without rounding or padded with "0") and right-aligned; other values are
// left-aligned and cut. False, with nothing appended, when an "N" value is not a number or
// its sign and integer digits do not fit: cutting them would write a different number.
bool EncodeDbfValue(std::string_view value, char type, int length, int decimals, std::string& out);
// The same into exactly `length` bytes at `out` (left as they were when false).
bool EncodeDbfValueInto(std::string_view value, char type, int length, int decimals, char* out);

struct DbfHeaderNumbers {
    std::uint32_t recordCount = 0;
    std::uint16_t headerLength = 0;
    std::uint16_t recordLength = 0;
    std::uint8_t language = 0;
};

// Language bytes the importers act on. dBase names no value for UTF-8; this one is unused by
// the single-byte code pages, and the program takes it as UTF-8.
inline constexpr std::size_t kDbfLanguageAt = 29;
inline constexpr std::uint8_t kDbfLanguageWindows1250 = 0xC8;
inline constexpr std::uint8_t kDbfLanguageUtf8 = 0xF0;

DbfHeaderNumbers DecodeDbfHeader(const unsigned char* header32);

struct DbfFieldDescriptor {
    std::string name;
    char type = 0;
    std::uint8_t length = 0;
    std::uint8_t decimals = 0;
};

// Name up to the first zero byte (all 11 bytes when there is none), type letter, length and
// decimals of one 32-byte descriptor.
DbfFieldDescriptor DecodeDbfDescriptor(const unsigned char* block32);

// Text a field's stored bytes give in the list: up to the first zero byte; "N" values
// normalised with "," as the decimal separator; a "C"-like value of exactly one blank empty.
// The result points into `bytes` or, for "N" values with a point, into `scratch`. A caller
// that knows the bytes hold no zero byte says so and spares the search.
std::string_view DecodeDbfCell(const char* bytes, std::size_t length, char type,
                               std::string& scratch, bool mayHoldZero = true);
