#pragma once
// Declaration files for the verification tests, written by the program's own dBase writer:
// the health annexes with the layouts the annex writer uses, the medical-leave annexes with
// the field order the verification expects and the field types and sizes of the leave files.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../dbf/DbfTestSupport.h"
#include "datalist/DataList.h"
#include "dbf/DbfWriter.h"
#include "health/AnnexFiles.h"
#include "import/VerifyReport.h"

namespace verify_test {

using Record = std::vector<std::string>;

struct FieldOf {
    const char* name;
    const char* type;
    int length;
};

inline DbfTableSpec SpecOf(const std::vector<FieldOf>& fields) {
    DbfTableSpec spec;
    for (const FieldOf& field : fields) AddDbfField(spec, field.name, field.type, field.length, 0);
    return spec;
}

inline const std::vector<FieldOf> kLeave1Fields = {
    {"CAS_ANG", "C", 2},     {"TIPD", "N", 1},        {"LN", "N", 2},
    {"AN", "N", 4},          {"DEN_ANG", "C", 50},    {"CUI", "C", 13},
    {"REG_COM", "C", 20},    {"NR_ANGAJ", "N", 6},    {"TOT_SAL_BR", "N", 18},
    {"TOT_CONTRI", "N", 18}, {"FAAMBP", "N", 18},     {"C_FAAMBP", "N", 18},
    {"FOND_CONTR", "N", 18}, {"TOT_CUANT_", "N", 18}, {"CAZ_G1", "N", 5},
    {"CAZ_G2", "N", 5},      {"CAZ_G3", "N", 5},      {"CAZ_G4", "N", 5},
    {"CAZ_G5", "N", 5},      {"ZI_PRE_G1", "N", 4},   {"ZI_PRE_G2", "N", 4},
    {"ZI_PRE_G3", "N", 4},   {"ZI_PRE_G4", "N", 4},   {"ZI_PRE_G5", "N", 4},
    {"ZI_FN_G1", "N", 4},    {"ZI_FN_G2", "N", 4},    {"ZI_FN_G3", "N", 4},
    {"ZI_FN_G4", "N", 4},    {"ZI_FN_G5", "N", 4},    {"FN_G1", "N", 18},
    {"FN_G2", "N", 18},      {"FN_G3", "N", 18},      {"FN_G4", "N", 18},
    {"FN_G5", "N", 18},      {"TOT_ANTER", "N", 18},  {"COMPENSAT", "N", 18},
    {"TOT_VIRAT", "N", 18},  {"TOT_RECUP", "N", 18},  {"ADR_LOC", "C", 25},
    {"ADR_STR", "C", 25},    {"ADR_NR", "C", 10},     {"ADR_BL", "C", 10},
    {"ADR_SC", "C", 5},      {"ADR_ET", "C", 2},      {"ADR_AP", "C", 3},
    {"ADR_TEL", "C", 15},    {"ADR_JUD", "C", 2},     {"ADR_SECT", "N", 2},
    {"E_MAIL", "C", 50},     {"B1", "C", 25},         {"F1", "C", 25},
    {"C1", "C", 50},         {"B2", "C", 25},         {"F2", "C", 25},
    {"C2", "C", 50},         {"NRF", "N", 2}};

inline const std::vector<FieldOf> kLeave2Fields = {
    {"TIPD", "N", 1},       {"LN", "N", 2},         {"AN", "N", 4},          {"DEN_ANG", "C", 50},
    {"CUI", "C", 13},       {"NR_CRT", "N", 6},     {"TIP_RECTIF", "C", 1},  {"NUME_ASIG", "C", 50},
    {"CNP", "C", 13},       {"CAS_ASIG", "C", 2},   {"ZI_LUCRAT", "N", 2},   {"TOT_ZI_LUC", "N", 2},
    {"SERIE_CCM", "C", 5},  {"NUMAR_CCM", "C", 10}, {"ZI_PRE", "N", 2},      {"ZI_FN", "N", 2},
    {"COD_INDEMN", "C", 2}, {"SERIE_CCM_", "C", 5}, {"NUMAR_CCM_", "C", 10}, {"FN", "N", 18},
    {"COD_URG", "C", 3},    {"COD_CONTAG", "C", 2}};

// Valid codes: an employer and a few persons.
inline const char* const kCui = "12345674";
inline const char* const kCnp1 = "1800101221144";
inline const char* const kCnp2 = "2850505123459";
inline const char* const kCnp3 = "1900101000006";
inline const char* const kCnp4 = "2820202000004";

// A clean record of each health annex.
inline Record AnnexARecord(const std::string& cnp = kCnp1) {
    return {"7",   "2009", kCui,       "J40", "1234", "2003", cnp,   "POPESCU",
            "ION", "S",    "20090315", "0",   "2000", "100",  "POP", "ION"};
}
inline Record AnnexBRecord() {
    return {"7",   "2009",    kCui,    "J40", "1234", "2003", kCnp1,
            kCnp2, "POPESCU", "MARIA", "S",   "POP",  "ION"};
}
inline Record AnnexCRecord() {
    return {"7",    "2009", kCui,   "J40", "1234", "2003", "AB",
            "7000", "520",  "3000", "150", "POP",  "ION"};
}

// The leave annex records with the employer data and the values the tests change.
inline Record Leave1Record(const std::string& cui = kCui, const std::string& tipd = "0") {
    Record record(kLeave1Fields.size(), "0");
    record[0] = "AB";
    record[1] = tipd;
    record[2] = "3";
    record[3] = "2010";
    record[4] = "ALFA SRL";
    record[5] = cui;
    for (std::size_t i = 38; i < record.size(); ++i) record[i] = "";
    return record;
}
inline Record Leave2Record(const std::string& cnp, const std::string& days,
                           const std::string& change = "", const std::string& tipd = "0") {
    return {tipd, "3",  "2010", "ALFA SRL", kCui, "1",   change, "POPESCU ION",
            cnp,  "AB", "22",   "22",       "AB", "123", days,   "0",
            "01", "",   "",     "0",        "",   ""};
}

// Writes `records` under `spec`'s layout into `path`; every value goes through the writer.
inline void WriteTable(const std::string& path, DbfTableSpec spec,
                       const std::vector<Record>& records) {
    DataList list;
    for (std::size_t i = 0; i < spec.m_names.size(); ++i)
        list.AppendColumn(spec.m_names[i], spec.m_types[i] == "N" ? "N" : "C", 100);
    for (const Record& record : records) {
        const int row = list.AddRow("");
        for (std::size_t c = 0; c < record.size(); ++c)
            list.SetCellTextAt(row, static_cast<int>(c), record[c]);
    }
    std::string error;
    ASSERT_TRUE(WriteDbfFile(path, &list, &spec, nullptr, &error)) << error;
}

inline DbfTableSpec SpecOfKind(VerifiedKind kind) {
    switch (kind) {
        case VerifiedKind::AnnexA:
            return AnnexSpec(Annex::A);
        case VerifiedKind::AnnexB:
            return AnnexSpec(Annex::B);
        case VerifiedKind::AnnexC:
            return AnnexSpec(Annex::C);
        case VerifiedKind::Leave1:
            return SpecOf(kLeave1Fields);
        case VerifiedKind::Leave2:
            break;
    }
    return SpecOf(kLeave2Fields);
}

// A file of `kind` with `records`, read and verified.
struct Verified {
    DataList list;
    VerifiedFile file;
};

inline void WriteAndVerify(Verified& out, const std::string& path, VerifiedKind kind,
                           const std::vector<Record>& records) {
    WriteTable(path, SpecOfKind(kind), records);
    out.file = ReadAndVerify(kind, path, out.list);
}

// The message of each row, "" for a clean row and "-" for a removed one.
inline std::vector<std::string> RowMessages(const FileVerdict& verdict) {
    std::vector<std::string> messages;
    for (const RowVerdict& row : verdict.rows)
        messages.push_back(row.state == RowState::Removed ? "-" : std::string(row.message));
    return messages;
}

}  // namespace verify_test
