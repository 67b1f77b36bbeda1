#pragma once
#include <optional>
#include <string>
#include <vector>

#include "base/Outcome.h"
#include "health/CompanyRegister.h"
#include "leave/CertificateEntry.h"
#include "leave/DeclarationGroups.h"
#include "leave/DeclarationRegister.h"
#include "leave/MonthChain.h"

class CClient;
class PagePrinter;

// The paper leave declaration, landscape: one page "Anexa 1" with the lines A
// to P of the declaration, then pages "Anexa 2" of 31 certificate entries
// each, every one with the table header. Drawn in page units through
// PagePrinter only, so the layout is checked with the recording backend.

namespace PrintedDeclarationMessages {
inline constexpr const char* kSelectDeclaration =
    "Trebuie sa selectezi o declaratie pentru a o tipari!";
inline constexpr const char* kNoCounty =
    "Nu se poate tipari declaratia deoarece nu ai introdus judetul societatii "
    "curente.\n\rAcceseaza 'Modifica societate'.";
}  // namespace PrintedDeclarationMessages

// Everything the printout shows.
struct DeclarationPrintout {
    DeclarationRecord declaration;
    CompanyRecord company;
    DeclarationGroups groups{};
    MonthSettlement amounts;
    // By family name, every value as stored (dates "YYYY-MM-DD").
    std::vector<CertificateRecord> certificates;
};

inline constexpr int kCertificatesPerPage = 31;

// "MF", "spital", "ambulatoriu", "CAS" for 1 to 4, "?" otherwise.
std::string PlaceOfPrescription(const std::string& code);

// The 18 cells of an Anexa 2 row, left to right; `number` counts from 1.
std::vector<std::string> CertificateCells(const CertificateRecord& c, int number);

// cf + "_" + YYYYMM + "_concedii", and for a rectifying declaration
// "_rectificativa_" + its number after it: the name a PDF of the printout is
// offered under, so the rectifying one does not take the initial one's file.
std::string PrintDocumentName(const DeclarationPrintout& printout);

// Reads what the printout shows, with the same checks and messages as the
// window's print button, before any printer is asked for.
[[nodiscard]] std::optional<DeclarationPrintout> ReadDeclarationPrintout(
    CClient& client, long long declarationIndex);

// Draws the whole document on a printer that has begun (landscape) and ends
// the job. `footer` follows the product label at the foot of each page.
void DrawDeclarationPrintout(PagePrinter& printer, const DeclarationPrintout& printout,
                             const std::string& footer);

// The window's print button: read, printer choice (landscape), draw. Stopped
// when a check failed or the printer choice was cancelled.
Outcome PrintLeaveDeclaration(CClient& client, long long declarationIndex, PagePrinter& printer,
                              const std::string& footer);
