#pragma once
#include <optional>
#include <string>
#include <vector>

#include "base/Outcome.h"
#include "dbf/ExistingFiles.h"
#include "health/CompanyRegister.h"
#include "leave/DeclarationGroups.h"
#include "leave/DeclarationRegister.h"

class CClient;
struct DbfTableSpec;

// The two dBase files of a monthly leave declaration for FNUASS: A1, one
// record with the declaration's totals and the employer's identification, and
// A2, one record per certificate entry of the declaration. The leave window
// and `orvik-cli leave files` write them through WriteLeaveFiles, so both
// write the same bytes. The printed declaration reads its company and checks
// its certificates through the same pieces.

namespace LeaveFilesMessages {
inline constexpr const char* kSelectDeclaration =
    "Trebuie sa selectezi o declaratie pentru a-i salva rapoartele electronice!";
inline constexpr const char* kIncompleteData =
    "Atentie:\nSe pare ca datele au fost introduse intr-o versiune mai veche a aplicatiei si nu "
    "sunt complete.\n\nPentru a se putea genera fisiere sau rapoarte corecte, este necesara "
    "modificarea fiecarei inregistrari si completarea cu datele lipsa\nsau stergerea tuturor "
    "datelor din luna selectata si reintroducerea lor!";
inline constexpr const char* kFolderTitle = "Selecteaza directorul in care se vor salva rapoartele";
inline constexpr const char* kNoCountyForFiles =
    "Nu se pot genera fisierele declaratiei deoarece nu ai introdus judetul societatii "
    "curente.\n\rAcceseaza 'Modifica societate'.";
inline constexpr const char* kNoCompany = "Eroare #12";
inline constexpr const char* kNoDeclaration = "Eroare #1";
inline constexpr const char* kCannotSaveA1 = "Nu se poate salva Anexa A1!";
inline constexpr const char* kCannotSaveA2 = "Nu se poate salva Anexa A2!";
inline constexpr const char* kSaved = "Fisierele au fost salvate cu succes. Denumirea lor este:\n";
}  // namespace LeaveFilesMessages

// "A1_0310_12345678.dbf" for annex 1, March 2010 ("201003"), company 12345678.
std::string LeaveFileName(int annex, const std::string& luna, const std::string& cf);

// The insurance-house code of the company's county as the fund writes it:
// the county code itself, except Bucharest ("MB" is "_B") and Harghita, whose
// leave house is "HG".
std::string EmployerHouseOfCounty(const std::string& county);

DbfTableSpec LeaveA1Spec();
DbfTableSpec LeaveA2Spec();

// The A1 record, field by field in file order.
std::vector<std::string> A1Values(const DeclarationRecord& declaration,
                                  const CompanyRecord& company, const DeclarationGroups& groups,
                                  const MonthSettlement& amounts);

// Certificates entered by an old release lack their grant date; files and
// printouts made from them would be wrong. Stops with the notice when there
// are any, silently when the statement failed.
Outcome CheckCertificatesComplete(CClient& client, long long declarationIndex);

// The company row of the declaration; "Eroare #12" without one, and
// `noCountyMessage` when its county is not filled in.
[[nodiscard]] std::optional<CompanyRecord> LoadDeclarationCompany(CClient& client,
                                                                  const std::string& cf,
                                                                  const char* noCountyMessage);

// The declaration row; "Eroare #1" when it is gone.
[[nodiscard]] std::optional<DeclarationRecord> LoadDeclarationOrSay(CClient& client,
                                                                    long long declarationIndex);

// The key of company `cf`'s declaration of month `luna` (YYYYMM): the initial
// one for `rectifNr` 0, else the rectifying one of that number. 0 when there is
// none; nothing when a value or the statement was refused.
[[nodiscard]] std::optional<long long> FindDeclarationIndex(CClient& client, const std::string& cf,
                                                            const std::string& luna,
                                                            long long rectifNr);

// The statement of A2's rows: declaration `index`'s certificates by start date.
SqlStatement LeaveA2Query(const CClient& client, const DeclarationRecord& d,
                          const CompanyRecord& company, long long index);

struct LeaveFilesWritten {
    std::string a1Path;
    std::string a2Path;
};

// Writes A1 and A2 of the declaration `declarationIndex` of company `cf` into
// `folder`, or into a folder the user chooses when none is given. Every stop
// has been said through the client's prompter; an A1 written before A2 failed
// stays on disk. An initial and a rectifying declaration of a month have the
// same file names: files already there are replaced only as `existing` says,
// and otherwise nothing is written.
[[nodiscard]] std::optional<LeaveFilesWritten> WriteLeaveFiles(
    CClient& client, const std::string& cf, long long declarationIndex,
    const std::optional<std::string>& folder, ExistingFilesRule existing = ExistingFilesRule::Ask);

// The success notice naming both files (without their folder).
std::string LeaveFilesSavedMessage(const LeaveFilesWritten& written);

// The window's button: the folder is chosen, success is announced.
Outcome SaveLeaveFiles(CClient& client, const std::string& cf, long long declarationIndex);
