#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/Outcome.h"
#include "health/CompanyRegister.h"

class CClient;
class DataList;
class DbfProgress;

// The two imports of employees: a payroll program's table of employees with
// one month of sums, and an annex file (A or 1A) reported in an earlier month.
enum class ImportKind { Employees, EarlierReport };

// The amount fields of a payroll file, in the order the sums take them.
inline constexpr std::array<const char*, 5> kPayrollAmountFields = {"SALARIU", "ASG_DAT", "ASG_VIR",
                                                                    "ANG_DAT", "ANG_VIR"};

namespace ImportMessages {
inline constexpr const char* kFileFilter = "Fisier dbf  (*.dbf)|*.dbf||";
inline constexpr const char* kInvalidEmployees =
    "Fisierul selectat este invalid!\n\nCiteste manualul pentru formatul de import.";
inline constexpr const char* kInvalidAnnexA =
    "Fisierul selectat este invalid!\n\nTrebuie sa fie un fisier de tip anexa A.";
inline constexpr const char* kInvalidAnnex1A =
    "Fisierul selectat este invalid!\n\nTrebuie sa fie un fisier de tip anexa 1A.";
inline constexpr const char* kNoRecords = "Fisierul selectat nu contine inregistrari!";
inline constexpr const char* kNoCompanyName = "Trebuie sa introduci denumirea societatii!";
inline constexpr const char* kSaved =
    "Salvarea a fost realizata cu succes!\n\nInregistrarile cu rosu nu au putut fi "
    "importate.\nDeruleaza lista catre dreapta pentru a vedea mesajele de eroare.";
}  // namespace ImportMessages

// The column the imports write their verdict into, one per row.
inline constexpr const char* kVerdictColumn = "EROARE";
// A hidden column of the rows' indexes in the file's order.
inline constexpr const char* kFileOrderColumn = "NR_IN_FISIER";

// An opened import file: its rows are in the caller's list, this says which
// company they belong to and where each row stood in the file.
class ImportFile {
public:
    explicit ImportFile(ImportKind kind) : m_kind(kind) {}

    ImportKind Kind() const { return m_kind; }
    // Reads `path` into `list`, checks its layout and finds its company. When
    // it stops, its reason has been shown, except for the annex import's
    // silent refusal of a name that does not end in "DBF" or "dbf".
    Outcome Open(CClient& client, const std::string& path, DataList& list,
                 DbfProgress* progress = nullptr);

    bool IsOpen() const { return m_open; }
    const std::string& Path() const { return m_path; }
    const std::string& CompanyCode() const { return m_companyCode; }
    // The company as the database keeps it; nothing for a company not yet known.
    const std::optional<CompanyRecord>& StoredCompany() const { return m_storedCompany; }
    // The record's place in the file, from 1 (deleted records are not rows),
    // of a row of the list this file filled, wherever a sort has put it.
    std::int64_t RecordPlace(const DataList& list, int row) const;
    // Why the row's texts cannot be stored (a UTF-8 file naming a letter the
    // code page lacks), or nothing.
    const char* TextRefusal(const DataList& list, int row) const;

private:
    Outcome Refuse(Prompter& prompter, const char* message);
    bool HasLayout(const std::vector<std::string>& names, Prompter& prompter);
    void ApplyDisplayKinds(DataList& list) const;
    // The row's index in the file's order, kept in a hidden column, so what
    // the opening found about a row stays with it when the list is sorted.
    static void NumberRows(DataList& list);
    static int FileOrderIndex(const DataList& list, int row);
    bool FindCompany(CClient& client);

    ImportKind m_kind;
    bool m_open = false;
    std::string m_path;
    std::string m_companyCode;
    std::optional<CompanyRecord> m_storedCompany;
    std::vector<std::int64_t> m_places;
    std::vector<std::string> m_textRefusals;
};

// A file name the imports accept: it ends in ".DBF" or ".dbf".
bool HasDbfExtension(const std::string& path);
