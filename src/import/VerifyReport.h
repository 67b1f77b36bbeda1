#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "base/Outcome.h"
#include "dbf/DbfProgress.h"
#include "dbf/DbfTableSpec.h"
#include "import/FileVerification.h"

class DataList;

// The whole verification of one file, as the window and the command line run it: the file read
// into a list, then checked. A file that cannot be read to the end is refused as a whole and
// the list is emptied, so no part of it looks verified; a file without a whole dBase header
// (an empty file, a text) is named as not being dBase at all.
struct [[nodiscard]] VerifiedFile {
    DbfTableSpec spec;
    FileVerdict verdict;
    // Place in the file (1 = first record) of each row as read; deleted records have no row
    // but keep their place. Empty when the file could not be read.
    std::vector<std::int64_t> places;
};

// `list` receives the file (the dBase reader empties it first). `reading` runs over the records
// read, `checking` over the rows checked; either may be null.
VerifiedFile ReadAndVerify(VerifiedKind kind, const std::string& path, DataList& list,
                           DbfProgress* reading = nullptr, DbfProgress* checking = nullptr);

// Places of the records of a file read by the dBase reader, one per row it gave: the records
// whose deletion flag is not "*", counted from 1. Empty when the flags cannot be read.
std::vector<std::int64_t> LiveRecordPlaces(const std::string& path, const DbfTableSpec& spec);

// Shows the verdict in the list it was made from: the checked employer data written back,
// the "EROARE" column with the message of each marked row, marked rows red, removed rows
// dropped. Returns the places of the rows left, in list order.
std::vector<std::int64_t> ApplyVerdict(DataList& list, const VerifiedFile& file);

// The list may be sorted by its header: each row keeps its place in the file in a last column
// of no width, which no report shows.
inline constexpr const char* kPlaceColumn = "NR_IN_FISIER";
void AttachPlaces(DataList& list, const std::vector<std::int64_t>& places);
// The places of the rows in list order, as attached; empty without them.
std::vector<std::int64_t> AttachedPlaces(const DataList& list);

// Only the extensions "DBF" and "dbf" are verified; other files are ignored.
bool HasVerifiableExtension(const std::string& path);

// Red of the marked rows.
inline constexpr std::uint8_t kMarkedRed = 255;

// The error report for the program that made the file: a CSV file in UTF-8 led by its
// byte-order mark, so spreadsheets show the Romanian letters of the file's code page (";"
// between fields, CRLF line ends) with a header line "NR", the file's
// fields and "EROARE", then one line per row of `list` whose "EROARE" cell is not empty, led by
// its place. A field holding ";", a quote or a line break is quoted, quotes doubled. Written
// under a temporary name and moved into place when complete; otherwise `prompter` is shown
// why.
Outcome WriteErrorReport(const std::string& path, const DataList& list,
                         const std::vector<std::int64_t>& places, Prompter& prompter);

// The report's name beside a verified file: "A_0709.dbf" gives "A_0709_erori.csv".
std::string ErrorReportName(const std::string& verifiedPath);

// The final message on one line, its line breaks as single blanks (for the command line).
std::string OneLine(const std::string& message);

// The command line's last line for a verified file (without the file's name): "verificat: N
// inregistrari, M eronate" when its records were checked, else the message refusing the file
// (or saying it had nothing to check) on one line. `records` is the count of records read.
std::string SummaryLine(const FileVerdict& verdict, int records);

// A text of the program's code page in UTF-8.
std::string PageTextToUtf8(std::string_view text);
