#pragma once
#include <span>
#include <string>
#include <vector>

class DataList;
struct DbfTableSpec;

// Texts of an import file as the program stores them. Payroll programs of
// today often write their tables in UTF-8; read byte by byte, "ȘTEFĂNESCU"
// would be stored as two letters of nonsense per Romanian letter.

// True when the texts of the file just read into `list` are UTF-8: its
// language byte says so, or its text cells hold multi-byte UTF-8 and no other
// byte above 0x7F. A file whose language byte names the program's own code
// page is taken at its word.
[[nodiscard]] bool HoldsUtf8Texts(const DataList& list, const DbfTableSpec& spec);

// Turns every text cell of a UTF-8 file into the program's code page, in
// place. Answers, row by row, why the row cannot be stored as written (a
// letter the code page lacks, or bytes that are not UTF-8, in one of the
// `stored` fields); empty when it can. Fields the import does not keep cannot
// refuse their row.
std::vector<std::string> ConvertUtf8Texts(DataList& list, const DbfTableSpec& spec,
                                          std::span<const char* const> stored);
