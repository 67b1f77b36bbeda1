#include "health/AnnexFiles.h"

#include <filesystem>
#include <system_error>
#include <tuple>
#include <utility>

#include "datalist/DataList.h"
#include "db/CClient.h"
#include "dbf/DbfWriter.h"
#include "domain/Identifiers.h"
#include "domain/ReferenceLists.h"
#include "domain/TextNumbers.h"
#include "health/AnnexStatements.h"
#include "health/CompanyRegister.h"

namespace fs = std::filesystem;

namespace {

// LN .. RA open every annex.
const DbfFieldLayout kHead[] = {{"LN", "N", 2}, {"AN", "N", 4}, {"CF", "C", 13},
                                {"RJ", "C", 3}, {"RN", "N", 5}, {"RA", "N", 4}};
const DbfFieldLayout k1A[] = {{"CNP", "N", 13}, {"NUME", "C", 30}, {"PRENUME", "C", 30},
                              {"CAT", "C", 3},  {"ANG", "D", 8},   {"PL", "D", 8},
                              {"SDL", "N", 12}, {"SVL", "N", 12}};
const DbfFieldLayout k1B[] = {{"CNP", "N", 13},
                              {"CNPC", "N", 13},
                              {"NUMEC", "C", 30},
                              {"PRENUMEC", "C", 30},
                              {"TIPC", "C", 3}};
const DbfFieldLayout k1C[] = {{"CAS_ASIG", "C", 2},
                              {"SDLA", "N", 12},
                              {"SVTA", "N", 12},
                              {"SDL_ASIG", "N", 12},
                              {"SVT_ASIG", "N", 12}};
const DbfFieldLayout kTail[] = {{"NREP", "C", 30}, {"PREP", "C", 30}};

// The text before `separator` and the rest after it; no separator: all of it, then nothing.
std::pair<std::string, std::string> SplitAt(const std::string& text, char separator) {
    const std::size_t at = text.find(separator);
    if (at == std::string::npos) return {text, std::string()};
    return {text.substr(0, at), text.substr(at + 1)};
}

// A house code names a file or a folder: it must not lead anywhere else.
bool UsableInFileName(const std::string& house) {
    return !house.empty() && house != "." && house != ".." &&
           house.find_first_of("/\\") == std::string::npos;
}

// A save of all houses with the legal names keeps each house in its own subfolder.
std::string HouseFolder(const AnnexSaveRequest& request, const std::string& house) {
    if (request.allHouses && request.naming == FileNaming::Legal)
        return (fs::path(request.folder) / house).string();
    return request.folder;
}

std::string RelativeName(const std::string& path, const std::string& folder) {
    const fs::path relative = fs::path(path).lexically_relative(fs::path(folder));
    return relative.empty() ? path : relative.string();
}

}  // namespace

std::optional<AnnexMonth> ParseAnnexMonth(const std::string& month) {
    if (month.size() != 6 || !AllDigits(month)) return std::nullopt;
    const long long number = TextToInteger(month.substr(4, 2));
    if (number < 1 || number > 12) return std::nullopt;
    return AnnexMonth{month, SliceCharsFrom1(month, 5, 6), SliceCharsFrom1(month, 3, 4),
                      SliceCharsFrom1(month, 1, 4)};
}

AnnexCompany CutCompanyTexts(const std::string& cf, const std::string& regCom,
                             const std::string& repr) {
    AnnexCompany company;
    company.cf = cf;
    const RegistryNumberParts registry = SplitRegistryNumber(regCom);
    company.rj = registry.office;
    company.rn = registry.number;
    company.ra = registry.year;
    std::tie(company.nrep, company.prep) = SplitAt(repr, ' ');
    return company;
}

const char* AnnexTitle(Annex annex) {
    switch (annex) {
        case Annex::B:
            return "1B";
        case Annex::C:
            return "1C";
        case Annex::A:
            break;
    }
    return "1A";
}

DbfTableSpec AnnexSpec(Annex annex) {
    DbfTableSpec spec;
    AddDbfFields(spec, kHead);
    if (annex == Annex::A) AddDbfFields(spec, k1A);
    if (annex == Annex::B) AddDbfFields(spec, k1B);
    if (annex == Annex::C) AddDbfFields(spec, k1C);
    AddDbfFields(spec, kTail);
    return spec;
}

std::string AnnexFileName(Annex annex, FileNaming naming, const std::string& cf,
                          const std::string& house, const AnnexMonth& month) {
    if (naming == FileNaming::Legal)
        return std::string(AnnexTitle(annex)) + "_" + month.mm + month.yy + "_" + cf + ".dbf";
    return house + "_" + cf + "_" + month.month + "_anexa" + AnnexTitle(annex) + ".dbf";
}

std::string AnnexExampleName(Annex annex, FileNaming naming, const std::string& cf,
                             const std::string& house, const AnnexMonth& month) {
    std::string name = AnnexFileName(annex, naming, cf, house, month);
    if (naming == FileNaming::Legal) name[1] = static_cast<char>(name[1] - 'A' + 'a');
    return name;
}

std::vector<std::string> AnnexSavePaths(const AnnexSaveRequest& request, const AnnexMonth& month) {
    std::vector<std::string> paths;
    for (const std::string& house : request.houses)
        for (Annex annex : {Annex::A, Annex::B, Annex::C})
            paths.push_back((fs::path(HouseFolder(request, house)) /
                             AnnexFileName(annex, request.naming, request.cf, house, month))
                                .string());
    return paths;
}

std::string SavedFilesMessage(const std::string& folder, const std::vector<std::string>& written,
                              bool complete) {
    std::string text = complete ? "Fisierele de raportare au fost salvate in folderul:\n"
                                : "Fisierele salvate inainte de eroare raman in folderul:\n";
    text += folder + "\n";
    for (const std::string& path : written) text += "\n" + RelativeName(path, folder);
    return text;
}

AnnexFiles::AnnexFiles(CClient& client, AnnexMonth month)
    : m_client(client), m_month(std::move(month)) {}

Prompter& AnnexFiles::GetPrompter() {
    return m_client.GetPrompter();
}

Outcome AnnexFiles::FillCompanies(DataList& list) {
    if (!CompanyRegister(m_client, CompanyPlace::Health).FillCodesAndNames(list))
        return Outcome::Stopped();
    list.SetColumnWidth("CF", 0);
    list.SetColumnWidth("DENUMIRE", 300);
    return Outcome::Done();
}

Outcome AnnexFiles::FillHouses(DataList& list, const std::string& cf) {
    const auto code = SqlNumber(GetPrompter(), cf);
    const auto month = SqlNumber(GetPrompter(), m_month.month);
    if (!code || !month) return Outcome::Stopped();
    const SqlStatement sql =
        SqlStatement("SELECT DISTINCT(a.cas), c.denumire AS casa FROM asigurati.asigurati AS a ") +
        " LEFT JOIN asigurati.cas AS c ON a.cas=c.cas WHERE" + " a.cf=" + *code +
        " AND a.intrare<=" + *month + "31" + " AND (a.iesire>=" + *month + "01" +
        " OR a.iesire=0)" + " ORDER BY a.cas";
    if (!m_client.Query(sql, true)) return Outcome::Stopped();
    list.FillFromResult(m_client.Result());
    list.SetColumnWidth("CAS", 0);
    list.SetColumnWidth("CASA", 300);
    return Outcome::Done();
}

std::optional<std::vector<std::string>> AnnexFiles::Houses(const std::string& cf) {
    DataList list;
    if (!FillHouses(list, cf)) return std::nullopt;
    std::vector<std::string> houses;
    for (int row = 0; row < list.RowCount(); ++row) houses.push_back(list.CellText(row, "CAS"));
    return houses;
}

std::optional<std::string> AnnexFiles::CountInsured(const std::string& cf,
                                                    const std::string& house) {
    const auto code = SqlNumber(GetPrompter(), cf);
    const auto month = SqlNumber(GetPrompter(), m_month.month);
    if (!code || !month) return std::nullopt;
    const SqlStatement sql =
        SqlStatement("SELECT COUNT(*) AS count FROM asigurati.asigurati AS a WHERE ") +
        " a.cf=" + *code + " AND a.intrare<=" + *month + "31" + " AND (a.iesire>=" + *month + "01" +
        " OR a.iesire=0)" + " AND a.cas=" + SqlText(m_client, house);
    if (!m_client.Query(sql, true)) return std::nullopt;
    return m_client.GetValue(0, "COUNT");
}

std::optional<AnnexCompany> AnnexFiles::LoadCompany(const std::string& cf) {
    // Without a row the files would have no company to name: say so.
    const auto company =
        CompanyRegister(m_client, CompanyPlace::Health)
            .LoadByCode(cf, "Societatea cu codul " + cf + " nu exista in baza de date!");
    if (!company) return std::nullopt;
    return CutCompanyTexts(cf, company->regCom, company->repr);
}

// The company's employer sums of the month go on every house's record.
bool AnnexFiles::AddEmployerSums(DataList& list, const std::string& cf) {
    const auto code = SqlNumber(GetPrompter(), cf);
    const auto month = SqlNumber(GetPrompter(), m_month.month);
    if (!code || !month) return false;
    if (!m_client.Query(SqlStatement("SELECT * FROM asigurati.sume_societati AS ss WHERE ss.cf=") +
                            *code + " AND ss.luna=" + *month,
                        true))
        return false;
    if (m_client.RowCount() < 1) return true;
    const std::string owed = m_client.GetValue(0, "DATORAT");
    const std::string paid = m_client.GetValue(0, "VIRAT");
    for (int row = 0; row < list.RowCount(); ++row) {
        list.SetCellText(row, "SDLA", owed);
        list.SetCellText(row, "SVTA", paid);
    }
    return true;
}

std::optional<std::string> AnnexFiles::WriteAnnex(Annex annex, const AnnexCompany& company,
                                                  const std::string& house,
                                                  const std::string& folder, FileNaming naming) {
    const auto values = MakeAnnexLiterals(m_client, m_month, company, house);
    if (!values) return std::nullopt;
    if (!m_client.Query(AnnexQuery(annex, *values), true)) return std::nullopt;
    DataList list;
    list.FillFromResult(m_client.Result());
    if (annex == Annex::C && !AddEmployerSums(list, company.cf)) return std::nullopt;

    DbfTableSpec spec = AnnexSpec(annex);
    const std::string path =
        (fs::path(folder) / AnnexFileName(annex, naming, company.cf, house, m_month)).string();
    std::string error;
    if (!WriteDbfFile(path, &list, &spec, nullptr, &error)) {
        GetPrompter().ShowMessage(std::string("Nu se poate salva Anexa ") + AnnexTitle(annex) +
                                  "!\n\n" + error);
        return std::nullopt;
    }
    return path;
}

std::string AnnexFiles::NoInsuredMessage(const std::string& cf, const std::string& house) const {
    const std::string when =
        MonthName(static_cast<int>(TextToInteger(m_month.mm))) + " " + m_month.yyyy;
    if (house.empty())
        return "Societatea cu codul " + cf + " nu are asigurati in luna " + when +
               "!\nNu s-a salvat niciun fisier.";
    return "Societatea cu codul " + cf + " nu are asigurati la casa " + house + " in luna " + when +
           "!\nNu s-a salvat niciun fisier.";
}

Outcome AnnexFiles::WriteHouses(const AnnexCompany& company, const AnnexSaveRequest& request,
                                std::vector<std::string>& written) {
    if (request.houses.empty()) {
        GetPrompter().ShowMessage(NoInsuredMessage(company.cf, ""));
        return Outcome::Stopped();
    }
    for (const std::string& house : request.houses) {
        if (!UsableInFileName(house)) {
            GetPrompter().ShowMessage("Codul casei de asigurari \"" + house +
                                      "\" nu poate face parte dintr-un nume de fisier!");
            return Outcome::Stopped();
        }
    }
    AnnexSaveRequest named = request;
    named.cf = company.cf;
    if (!MayWriteFiles(GetPrompter(), request.folder, AnnexSavePaths(named, m_month),
                       request.existing))
        return Outcome::Stopped();
    for (const std::string& house : request.houses) {
        const std::string folder = HouseFolder(request, house);
        if (folder != request.folder) {
            std::error_code error;
            fs::create_directories(folder, error);
            if (error) {
                GetPrompter().ShowMessage("Nu se poate crea folderul " + folder + "!\n\n" +
                                          error.message());
                return Outcome::Stopped();
            }
        }
        for (Annex annex : {Annex::A, Annex::B, Annex::C}) {
            auto path = WriteAnnex(annex, company, house, folder, request.naming);
            if (!path) return Outcome::Stopped();
            written.push_back(*path);
        }
    }
    return Outcome::Done();
}

Outcome AnnexFiles::Save(const AnnexSaveRequest& request, std::vector<std::string>& written) {
    const auto company = LoadCompany(request.cf);
    if (!company) return Outcome::Stopped();
    return WriteHouses(*company, request, written);
}
