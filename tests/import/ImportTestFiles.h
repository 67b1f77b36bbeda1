#pragma once
// Import files built for the tests: the payroll layout of 13 fields and the
// annex layouts of 16 and 19 fields, written by the program's own writer, or
// byte by byte where a file must be broken.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../dbf/DbfTestSupport.h"
#include "datalist/DataList.h"
#include "dbf/DbfTableSpec.h"
#include "dbf/DbfWriter.h"
#include "import/ImportSave.h"

namespace import_test {

struct Field {
    const char* name;
    const char* type;
    int length;
    int decimals = 0;
};

inline const std::vector<Field> kEmployeeFields = {
    {"CF", "C", 13},         {"CAS", "C", 5},         {"CNP", "C", 13},
    {"NUME", "C", 250},      {"PRENUME", "C", 50},    {"INTRARE", "C", 8},
    {"FORMA", "C", 3},       {"SALARIU", "N", 12, 2}, {"ASG_DAT", "N", 10, 2},
    {"ASG_VIR", "N", 10, 2}, {"ANG_DAT", "N", 10, 2}, {"ANG_VIR", "N", 10, 2},
    {"LA_LUNA", "C", 6}};

inline const std::vector<Field> kAnnex1AFields = {
    {"AN", "N", 4},      {"LN", "N", 2},       {"CF", "C", 13},     {"CNPA", "C", 13},
    {"RJ", "C", 3},      {"RN", "N", 5},       {"RA", "N", 4},      {"CNP", "C", 13},
    {"NUME", "C", 50},   {"PRENUME", "C", 50}, {"CAT", "C", 3},     {"ANG", "D", 8},
    {"PL", "D", 8},      {"SDT", "N", 12},     {"SDL", "N", 12, 2}, {"SVT", "N", 12},
    {"SVL", "N", 12, 2}, {"NREP", "C", 30},    {"PREP", "C", 30}};

inline const std::vector<Field> kAnnexAFields = {
    {"LN", "N", 2},       {"AN", "N", 4},      {"CF", "C", 13},   {"RJ", "C", 3},
    {"RN", "N", 5},       {"RA", "N", 4},      {"CNP", "C", 13},  {"NUME", "C", 50},
    {"PRENUME", "C", 50}, {"CAT", "C", 3},     {"ANG", "D", 8},   {"PL", "D", 8},
    {"SDL", "N", 12, 2},  {"SVL", "N", 12, 2}, {"NREP", "C", 30}, {"PREP", "C", 30}};

using Row = std::vector<std::string>;

// Writes `rows` (cells in field order) as a dBase table.
inline void WriteTable(const std::string& path, const std::vector<Field>& fields,
                       const std::vector<Row>& rows) {
    DataList list;
    DbfTableSpec spec;
    for (const Field& f : fields) {
        list.AppendColumn(f.name, f.type, 100);
        AddDbfField(spec, f.name, f.type, f.length, f.decimals);
    }
    for (const Row& row : rows) {
        std::vector<std::string_view> cells(row.begin(), row.end());
        list.AddRowCells(cells);
    }
    std::string error;
    ASSERT_TRUE(WriteDbfFile(path, &list, &spec, nullptr, &error)) << error;
}

// Valid CNPs (control digit computed) and the companies of the tests.
// What the user reads about an import, written out as the program words it.
inline const std::string kSavedMessage =
    "Salvarea a fost realizata cu succes!\n\nInregistrarile cu rosu nu au putut fi "
    "importate.\nDeruleaza lista catre dreapta pentru a vedea mesajele de eroare.";
// The counts closing the last message of a save.
inline std::string Counts(int read, int whole, int noSums, int refused) {
    return "\n\nInregistrari citite: " + std::to_string(read) +
           "\nSalvate complet: " + std::to_string(whole) +
           "\nSalvate fara sume (portocaliu): " + std::to_string(noSums) +
           "\nRefuzate (rosu): " + std::to_string(refused);
}
// The last message of a save that went through every row.
inline std::string SavedMessage(int whole, int noSums = 0, int refused = 0) {
    return kSavedMessage + Counts(whole + noSums + refused, whole, noSums, refused);
}
inline const std::string kEmployeeFileInvalid =
    "Fisierul selectat este invalid!\n\nCiteste manualul pentru formatul de import.";
inline const std::string kAnnex1AFileInvalid =
    "Fisierul selectat este invalid!\n\nTrebuie sa fie un fisier de tip anexa 1A.";
// The "EROARE" cell of a row, by what became of the person and of the month's sums.
inline const std::string kAddedSumsAdded =
    "Asigurat inexistent: a fost adaugat; Sumele in luna inexistente: au fost adaugate";
inline const std::string kUpdatedSumsAdded =
    "Asigurat existent: a fost modificat; Sumele in luna inexistente: au fost adaugate";
inline const std::string kUpdatedSumsUpdated =
    "Asigurat existent: a fost modificat; Sumele in luna existente: au fost modificate";
inline const std::string kAddedBadMonth =
    "Asigurat inexistent: a fost adaugat; Campul la luna este incorect. Nu au fost procesate "
    "sumele";
inline const std::string kBadFormRow =
    "Forma de angajare este incorecta (trebuia sa fie S, CM, AM, CT, CIC, DCM, SCS sau SS). "
    "Inregistrarea a fost ignorata";
inline const std::string kBadCnpRow = "CNP-ul este incorect. Inregistrarea a fost ignorata";
inline const std::string kAlreadyImportedRow =
    "Asiguratul este deja in baza de date cu aceeasi data de intrare (fisierul a mai fost "
    "importat o data?).";

inline const char* const kCompany = "12345674";  // a valid CUI
inline const char* const kOther = "23456783";    // a valid CUI
inline const char* const kCnpA = "1800101221144";
inline const char* const kCnpB = "2850505123459";
inline const char* const kCnpC = "1750101000004";

// The n-th of a run of valid CNPs (men born 1 January 1980), for long files.
inline std::string NthCnp(int n) {
    std::string cnp =
        "1800101" + std::string(5 - std::to_string(n).size(), '0') + std::to_string(n);
    const char* key = "279146358279";
    int sum = 0;
    for (int i = 0; i < 12; ++i) sum += (cnp[i] - '0') * (key[i] - '0');
    const int control = sum % 11 == 10 ? 1 : sum % 11;
    return cnp + static_cast<char>('0' + control);
}

// A payroll row of company kCompany, hired 1 March 2009, form S, at CASAB.
inline Row Employee(const std::string& cnp, const std::string& nume, const std::string& month,
                    const std::string& salary = "2000.00") {
    return {kCompany, "CASAB",  cnp,      nume,     "ION",    "20090301", "S",
            salary,   "110.00", "110.00", "104.00", "104.00", month};
}

// An annex 1A row of July 2009.
inline Row Annex1A(const std::string& cnp, const std::string& nume, const std::string& form,
                   const std::string& leave = "") {
    return {"2009", "7",        kCompany, "",     "J40",    "1234", "2003",   cnp,    nume, "ION",
            form,   "20080101", leave,    "3000", "150.00", "150",  "140.50", "POPA", "DAN"};
}

// One run of SaveImport: whether every row was gone through, and the tally.
struct SaveRun {
    bool finished = false;
    ImportTally tally;
    // Neither finished nor stopped part way: nothing was attempted.
    bool NotStarted() const { return !finished && !tally.StoppedPartWay(); }
};

}  // namespace import_test
