#pragma once
#include <optional>
#include <string>
#include <vector>

#include "base/Outcome.h"
#include "dbf/ExistingFiles.h"

class CClient;
class DataList;
class Prompter;
struct DbfTableSpec;

// The health declaration files of one company and working month: annex 1A
// (insured employees with their contributions), 1B (their dependants) and 1C
// (totals per insurance house with the employer's sums), one dBase table each,
// per insurance house. The step-4 window and `orvik-cli health files` both
// write them through this class, so they write the same bytes.

enum class Annex { A, B, C };

// "1A_0709_12345678.dbf" (the names the law asks for) or
// "CASAB_12345678_200907_anexa1A.dbf" (one set per house in one folder).
enum class FileNaming { Legal, House };

// The working month YYYYMM and the pieces the files carry.
struct AnnexMonth {
    std::string month;  // "200907"
    std::string mm;     // "07"
    std::string yy;     // "09"
    std::string yyyy;   // "2009"
};

// Nothing unless six digits with a month 01..12.
[[nodiscard]] std::optional<AnnexMonth> ParseAnnexMonth(const std::string& month);

// The company texts every record of the three files repeats.
struct AnnexCompany {
    std::string cf;
    std::string rj, rn, ra;  // parts of the trade register number "J40/1234/2003"
    std::string nrep, prep;  // the representative's surname and first name
};

// Cuts RJ, RN, RA at the first two "/" of `regCom` and NREP, PREP at the first
// blank of `repr`; a missing separator leaves the later parts empty.
AnnexCompany CutCompanyTexts(const std::string& cf, const std::string& regCom,
                             const std::string& repr);

// "1A", "1B", "1C".
const char* AnnexTitle(Annex annex);
// The field list of an annex, in file order.
DbfTableSpec AnnexSpec(Annex annex);
// The name the file is written under.
std::string AnnexFileName(Annex annex, FileNaming naming, const std::string& cf,
                          const std::string& house, const AnnexMonth& month);
// The name as the naming dialog shows it: the legal form with "1a_" and so on.
std::string AnnexExampleName(Annex annex, FileNaming naming, const std::string& cf,
                             const std::string& house, const AnnexMonth& month);

// What one save writes: the company's files for `houses` (in this order) into
// `folder`. A save of all houses with the legal names puts each house's files
// into a subfolder named after the house, since those names do not tell the
// houses apart. Files of the same names already in place are replaced only
// as `existing` says.
struct AnnexSaveRequest {
    std::string cf;
    std::vector<std::string> houses;
    bool allHouses = false;
    std::string folder;
    FileNaming naming = FileNaming::House;
    ExistingFilesRule existing = ExistingFilesRule::Ask;
};

// Every path the save of `request` writes, in the order it writes them.
std::vector<std::string> AnnexSavePaths(const AnnexSaveRequest& request, const AnnexMonth& month);

namespace AnnexMessages {
inline constexpr const char* kSelectHouse =
    "Trebuie sa selectezi o casa de asigurari pentru a salva rapoartele electronice!";
inline constexpr const char* kSelectCompany =
    "Trebuie sa selectezi o societate pentru a salva rapoartele electronice!";
inline constexpr const char* kFolderTitle = "Selecteaza directorul in care se vor salva rapoartele";
inline constexpr const char* kNote =
    "Se recomanda utilizarea CD-ului pentru raportare deoarece este mai fiabil si mai ieftin "
    "decat o discheta";
}  // namespace AnnexMessages

// The message listing what a save wrote, paths shown relative to `folder`.
// `complete` is false after a failure: the files written before it stay.
std::string SavedFilesMessage(const std::string& folder, const std::vector<std::string>& written,
                              bool complete);

class AnnexFiles {
public:
    AnnexFiles(CClient& client, AnnexMonth month);

    const AnnexMonth& Month() const { return m_month; }
    Prompter& GetPrompter();

    // "Societati:": every company, its code hidden.
    Outcome FillCompanies(DataList& list);
    // The houses with at least one employee of the company in the month, by
    // code, each with its name; the code is hidden.
    Outcome FillHouses(DataList& list, const std::string& cf);
    // The house codes of that list, in its order.
    [[nodiscard]] std::optional<std::vector<std::string>> Houses(const std::string& cf);
    // Employees of the company at the house in the month.
    [[nodiscard]] std::optional<std::string> CountInsured(const std::string& cf,
                                                          const std::string& house);

    // The company row with its texts cut; nothing when it could not be read or
    // does not exist (said through the prompter).
    [[nodiscard]] std::optional<AnnexCompany> LoadCompany(const std::string& cf);

    // Writes one annex of one house into `folder`; the path written, or nothing
    // after the failure was shown ("Nu se poate salva Anexa 1A!" and why).
    [[nodiscard]] std::optional<std::string> WriteAnnex(Annex annex, const AnnexCompany& company,
                                                        const std::string& house,
                                                        const std::string& folder,
                                                        FileNaming naming);

    // 1A, 1B, 1C of each house in order, stopping at the first failure.
    // `written` receives every file in place, also when a later one failed.
    // Nothing is written when files of those names exist and may not be
    // replaced (request.existing).
    Outcome WriteHouses(const AnnexCompany& company, const AnnexSaveRequest& request,
                        std::vector<std::string>& written);

    // The whole save of the window: the company row, then WriteHouses.
    Outcome Save(const AnnexSaveRequest& request, std::vector<std::string>& written);

    // "Nu exista asigurati ..." for a company (and house) without employees in the month.
    std::string NoInsuredMessage(const std::string& cf, const std::string& house) const;

private:
    bool AddEmployerSums(DataList& list, const std::string& cf);

    CClient& m_client;
    AnnexMonth m_month;
};
