#include "leave/LeaveFiles.h"

#include <cmath>
#include <filesystem>
#include <span>

#include "datalist/DataList.h"
#include "db/CClient.h"
#include "db/SqlValues.h"
#include "dbf/DbfWriter.h"
#include "domain/TextNumbers.h"
#include "leave/CertificateRegister.h"
#include "leave/MonthChain.h"

namespace fs = std::filesystem;

namespace {

const DbfFieldLayout kA1[] = {
    {"CAS_ANG", "C", 2},     {"TIPD", "N", 1},        {"LN", "N", 2},
    {"AN", "N", 4},          {"DEN_ANG", "C", 50},    {"CUI", "C", 13},
    {"REG_COM", "C", 20},    {"NR_ANGAJ", "N", 6},    {"TOT_SAL_BR", "N", 18},
    {"TOT_CONTRI", "N", 18}, {"FAAMBP", "N", 18},     {"C_FAAMBP", "N", 18},
    {"FOND_CONTR", "N", 18}, {"TOT_CUANT_", "N", 18}, {"CAZ_G1", "N", 5},
    {"CAZ_G2", "N", 5},      {"CAZ_G3", "N", 5},      {"CAZ_G4", "N", 5},
    {"CAZ_G5", "N", 5},      {"ZI_PRE_G1", "N", 4},   {"ZI_PRE_G2", "N", 4},
    {"ZI_PRE_G3", "N", 4},   {"ZI_PRE_G4", "N", 4},   {"ZI_PRE_G5", "N", 4},
    {"TOT_ZI_PRE", "N", 5},  {"TOT_SUM", "N", 18},    {"ZI_FN_G1", "N", 4},
    {"ZI_FN_G2", "N", 4},    {"ZI_FN_G3", "N", 4},    {"ZI_FN_G4", "N", 4},
    {"ZI_FN_G5", "N", 4},    {"FN_G1", "N", 18},      {"FN_G2", "N", 18},
    {"FN_G3", "N", 18},      {"FN_G4", "N", 18},      {"FN_G5", "N", 18},
    {"TOT_ANTER", "N", 18},  {"COMPENSAT", "N", 18},  {"TOT_VIRAT", "N", 18},
    {"TOT_RECUP", "N", 18},  {"ADR_LOC", "C", 25},    {"ADR_STR", "C", 25},
    {"ADR_NR", "C", 10},     {"ADR_BL", "C", 10},     {"ADR_SC", "C", 5},
    {"ADR_ET", "C", 2},      {"ADR_AP", "C", 3},      {"ADR_TEL", "C", 15},
    {"ADR_JUD", "C", 2},     {"ADR_SECT", "N", 2},    {"E_MAIL", "C", 50},
    {"B1", "C", 25},         {"F1", "C", 25},         {"C1", "C", 50},
    {"B2", "C", 25},         {"F2", "C", 25},         {"C2", "C", 50},
    {"NRF", "N", 2},
};

const DbfFieldLayout kA2[] = {
    {"TIPD", "N", 1},        {"LN", "N", 2},         {"AN", "N", 4},         {"DEN_ANG", "C", 50},
    {"CUI", "C", 13},        {"NR_CRT", "N", 6},     {"TIP_RECTIF", "C", 1}, {"NUME_ASIG", "C", 50},
    {"CNP", "C", 13},        {"CNP_COPIL", "C", 13}, {"CAS_ASIG", "C", 2},   {"ZI_LUCRAT", "N", 2},
    {"TOT_ZI_LUC", "N", 2},  {"SERIE_CCM", "C", 5},  {"NUMAR_CCM", "C", 10}, {"SERIE_CCM_", "C", 5},
    {"NUMAR_CCM_", "C", 10}, {"DATA_ACORD", "D", 8}, {"COD_INDEMN", "C", 2}, {"ZI_PRE_ANG", "N", 1},
    {"ZI_FN", "N", 2},       {"ZI_PRE", "N", 2},     {"LOC_PRES", "N", 2},   {"SUM_ANG", "N", 18},
    {"FN", "N", 18},         {"DATA_INC", "D", 8},   {"DATA_SF", "D", 8},    {"COD_URG", "C", 3},
    {"COD_CONTAG", "C", 2},  {"BAZA_CALC", "N", 6},  {"ZI_BZ_CALC", "N", 3}, {"MZBCI", "N", 13, 4},
    {"ME_NR", "C", 10},
};

DbfTableSpec SpecOf(std::span<const DbfFieldLayout> fields) {
    DbfTableSpec spec;
    AddDbfFields(spec, fields);
    return spec;
}

// Amounts go into the files as whole lei, cut toward zero.
std::string Whole(double value) {
    return WholeToText(value, false);
}
std::string Whole(const std::string& stored) {
    return Whole(TextToReal(stored));
}

std::string TypeDigit(const DeclarationRecord& d) {
    return d.Rectifying() ? "1" : "0";
}

void AppendGroups(std::vector<std::string>& values, const DeclarationGroups& groups, auto figure) {
    for (const GroupFigures& group : groups) values.push_back(figure(group));
}

void AppendCompanyAddress(std::vector<std::string>& v, const CompanyRecord& c) {
    for (const std::string* text : {&c.loc, &c.str, &c.nr, &c.bl, &c.sc, &c.et, &c.ap, &c.tel,
                                    &c.jud, &c.sect, &c.email, &c.b1, &c.f1, &c.c1})
        v.push_back(*text);
    // The second bank account and the diskette count stay empty.
    v.insert(v.end(), {"", "", "", ""});
}

// One row whose columns are the fields of `spec`, in order.
void FillOneRow(DataList& list, const DbfTableSpec& spec, const std::vector<std::string>& values) {
    for (const std::string& name : spec.m_names) list.AppendColumn(name, "C", 100);
    std::vector<std::string_view> cells(values.begin(), values.end());
    list.AddRowCells(cells);
}

bool WriteAnnex(Prompter& prompter, const std::string& path, const DataList& list,
                DbfTableSpec spec, const char* failure) {
    std::string error;
    if (WriteDbfFile(path, &list, &spec, nullptr, &error)) return true;
    prompter.ShowMessage(std::string(failure) + "\n\n" + error);
    return false;
}

}  // namespace

std::string LeaveFileName(int annex, const std::string& luna, const std::string& cf) {
    return "A" + std::to_string(annex) + "_" + SliceChars(luna, 4, 5) + SliceChars(luna, 2, 3) +
           "_" + cf + ".dbf";
}

std::string EmployerHouseOfCounty(const std::string& county) {
    if (county == "MB") return "_B";
    if (county == "HR") return "HG";
    return county;
}

DbfTableSpec LeaveA1Spec() {
    return SpecOf(kA1);
}

DbfTableSpec LeaveA2Spec() {
    return SpecOf(kA2);
}

std::vector<std::string> A1Values(const DeclarationRecord& d, const CompanyRecord& c,
                                  const DeclarationGroups& groups, const MonthSettlement& a) {
    std::vector<std::string> v = {EmployerHouseOfCounty(c.jud),
                                  TypeDigit(d),
                                  std::to_string(TextToInteger(SliceChars(d.luna, 4, 5))),
                                  SliceChars(d.luna, 0, 3),
                                  c.denumire,
                                  c.cf,
                                  c.regCom,
                                  Whole(d.nrAng),
                                  Whole(d.fondDeSalarii),
                                  Whole(d.contributiiDatorate),
                                  Whole(d.faambp),
                                  Whole(d.faambpDatorat),
                                  Whole(a.i),
                                  Whole(a.j)};
    AppendGroups(v, groups, [](const GroupFigures& g) { return std::to_string(g.cases); });
    AppendGroups(v, groups, [](const GroupFigures& g) { return std::to_string(g.BenefitDays()); });
    // The fund's layout counts the employer's days of the first group only here.
    v.push_back(std::to_string(groups[0].employerDays));
    v.push_back(Whole(EmployerAmountOfAllGroups(groups)));
    AppendGroups(v, groups, [](const GroupFigures& g) { return std::to_string(g.fnuassDays); });
    AppendGroups(v, groups, [](const GroupFigures& g) { return Whole(g.fnuassAmount); });
    for (double amount : {a.k, a.l, a.m, a.n}) v.push_back(Whole(amount));
    AppendCompanyAddress(v, c);
    return v;
}

Outcome CheckCertificatesComplete(CClient& client, long long declarationIndex) {
    const auto granted = CertificateRegister(client).AllGranted(declarationIndex);
    if (!granted) return Outcome::Stopped();
    if (!*granted) return Refuse(client.GetPrompter(), LeaveFilesMessages::kIncompleteData);
    return Outcome::Done();
}

std::optional<CompanyRecord> LoadDeclarationCompany(CClient& client, const std::string& cf,
                                                    const char* noCountyMessage) {
    auto company =
        CompanyRegister(client, CompanyPlace::Leave).LoadByCode(cf, LeaveFilesMessages::kNoCompany);
    if (!company) return std::nullopt;
    if (company->jud.empty()) {
        client.GetPrompter().ShowMessage(noCountyMessage);
        return std::nullopt;
    }
    return company;
}

std::optional<DeclarationRecord> LoadDeclarationOrSay(CClient& client, long long index) {
    DeclarationRegister declarations(client);
    // Looked up first, so a failed statement is not also called a missing row.
    const auto exists = declarations.Exists(index);
    if (!exists) return std::nullopt;
    if (!*exists) {
        client.GetPrompter().ShowMessage(LeaveFilesMessages::kNoDeclaration);
        return std::nullopt;
    }
    return declarations.Load(index);
}

std::optional<long long> FindDeclarationIndex(CClient& client, const std::string& cf,
                                              const std::string& luna, long long rectifNr) {
    return DeclarationRegister(client).FindIndex(cf, luna, rectifNr);
}

SqlStatement LeaveA2Query(const CClient& client, const DeclarationRecord& d,
                          const CompanyRecord& company, long long index) {
    return SqlStatement("SELECT \t\t\t") + SqlText(client, TypeDigit(d)) + " AS TIPD,\t\t\t" +
           SqlText(client, SliceChars(d.luna, 4, 5)) + " AS LN,\t\t\t" +
           SqlText(client, SliceChars(d.luna, 0, 3)) + " AS AN,\t\t\t" +
           SqlText(client, company.denumire) + " AS DEN_ANG,\t\t\t" + SqlText(client, company.cf) +
           " AS CUI,\t\t\t'' AS NR_CRT,\t\t\tc.tip_rectif,\t\t\tconcat(c.nume, ' ', c.prenume) AS "
           "NUME_ASIG,\t\t\tc.cnp,\t\t\tc.cnp_copil,\t\t\tmid(c.cas, 4, 2) AS "
           "CAS_ASIG,\t\t\tc.zile_lucratoare AS ZI_LUCRAT,\t\t\tc.zile_lucrate AS "
           "TOT_ZI_LUC,\t\t\tc.cert_serie AS SERIE_CCM,\t\t\tc.cert_numar AS "
           "NUMAR_CCM,\t\t\tc.cert_init_serie AS SERIE_CCM_,\t\t\tc.cert_init_numar AS "
           "NUMAR_CCM_,\t\t\tconcat(mid(c.data_acordarii, 1, 4), mid(c.data_acordarii, 6, 2), "
           "mid(c.data_acordarii, 9, 2)) AS DATA_ACORD,\t\t\tc.cod_indemn AS "
           "COD_INDEMN,\t\t\tc.zile_prestatii_ang AS ZI_PRE_ANG,\t\t\tc.zile_suportate_fnuass AS "
           "ZI_FN,\t\t\tc.zile_prestatii AS ZI_PRE,\t\t\tif (c.loc_pres = 0, 1, c.loc_pres) AS "
           "LOC_PRES,\t\t\tc.suma_suportata_ang AS SUM_ANG,\t\t\tc.suma_suportata_fnuass AS "
           "FN,\t\t\tconcat(mid(c.data_inc, 1, 4), mid(c.data_inc, 6, 2), mid(c.data_inc, 9, 2)) "
           "AS DATA_INC,\t\t\tconcat(mid(c.data_sf, 1, 4), mid(c.data_sf, 6, 2), mid(c.data_sf, 9, "
           "2)) AS DATA_SF,\t\t\tc.cod_urg AS COD_URG,\t\t\tc.cod_contag AS "
           "COD_CONTAG,\t\t\tc.baza_calc AS BAZA_CALC,\t\t\tc.zi_bz_calc AS "
           "ZI_BZ_CALC,\t\t\tc.mzbci "
           "AS MZBCI,\t\t\tc.me_nr AS ME_NR\t\t\tFROM concedii.concedii AS c WHERE "
           "c.id_declaratie=" +
           SqlInteger(index) + " ORDER BY data_inc, cnp";
}

namespace {

// The A2 rows: the certificate entries of this declaration alone, by start
// date then CNP, numbered, codes padded to two digits.
bool FillA2(CClient& client, DataList& list, const DeclarationRecord& d,
            const CompanyRecord& company, long long index) {
    const SqlStatement sql = LeaveA2Query(client, d, company, index);
    if (!client.Query(sql, true)) return false;
    list.FillFromResult(client.Result());
    const int number = list.ColumnIndex("NR_CRT");
    const int code = list.ColumnIndex("COD_INDEMN");
    for (int row = 0; row < list.RowCount(); ++row) {
        list.SetCellTextAt(row, number, std::to_string(row + 1));
        list.SetCellTextAt(row, code, PadLeftZeros(list.CellTextAt(row, code), 2));
    }
    return true;
}

std::optional<std::string> ChosenFolder(Prompter& prompter,
                                        const std::optional<std::string>& folder) {
    if (folder) return folder;
    return prompter.ChooseFolder(LeaveFilesMessages::kFolderTitle);
}

}  // namespace

std::optional<LeaveFilesWritten> WriteLeaveFiles(CClient& client, const std::string& cf,
                                                 long long index,
                                                 const std::optional<std::string>& folder,
                                                 ExistingFilesRule existing) {
    Prompter& prompter = client.GetPrompter();
    if (index <= 0) {
        prompter.ShowMessage(LeaveFilesMessages::kSelectDeclaration);
        return std::nullopt;
    }
    if (!CheckCertificatesComplete(client, index)) return std::nullopt;
    const auto target = ChosenFolder(prompter, folder);
    if (!target) return std::nullopt;
    const auto company = LoadDeclarationCompany(client, cf, LeaveFilesMessages::kNoCountyForFiles);
    if (!company) return std::nullopt;
    const auto declaration = LoadDeclarationOrSay(client, index);
    if (!declaration) return std::nullopt;
    const auto chain = ReadMonthChain(client, *declaration);
    if (!chain) return std::nullopt;

    LeaveFilesWritten written;
    written.a1Path =
        (fs::path(*target) / LeaveFileName(1, declaration->luna, company->cf)).string();
    written.a2Path =
        (fs::path(*target) / LeaveFileName(2, declaration->luna, company->cf)).string();
    if (!MayWriteFiles(prompter, *target, {written.a1Path, written.a2Path}, existing))
        return std::nullopt;
    DataList a1;
    const DbfTableSpec a1Spec = LeaveA1Spec();
    FillOneRow(a1, a1Spec,
               A1Values(*declaration, *company, GroupsFromEffects(chain->effects), chain->amounts));
    if (!WriteAnnex(prompter, written.a1Path, a1, a1Spec, LeaveFilesMessages::kCannotSaveA1))
        return std::nullopt;

    DataList a2;
    if (!FillA2(client, a2, *declaration, *company, index)) return std::nullopt;
    if (!WriteAnnex(prompter, written.a2Path, a2, LeaveA2Spec(), LeaveFilesMessages::kCannotSaveA2))
        return std::nullopt;
    return written;
}

std::string LeaveFilesSavedMessage(const LeaveFilesWritten& written) {
    return std::string(LeaveFilesMessages::kSaved) + fs::path(written.a1Path).filename().string() +
           "\n" + fs::path(written.a2Path).filename().string();
}

Outcome SaveLeaveFiles(CClient& client, const std::string& cf, long long index) {
    const auto written = WriteLeaveFiles(client, cf, index, std::nullopt);
    if (!written) return Outcome::Stopped();
    client.GetPrompter().ShowMessage(LeaveFilesSavedMessage(*written), MessageKind::Information);
    return Outcome::Done(index);
}
