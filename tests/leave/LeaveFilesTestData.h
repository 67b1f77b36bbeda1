#pragma once
// A company with a leave declaration for March 2010, a rectifying one that
// changes a certificate's code, and an April declaration without
// certificates; and the expected dBase bytes built by hand.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../dbf/DbfTestSupport.h"
#include "../dbf/ExpectedDbf.h"
#include "TestServer.h"
#include "dbf/DbfFormat.h"

namespace leave_test {

inline const char* const kCf = "12345678";
inline constexpr long long kInitial = 1;
inline constexpr long long kRectifying = 2;
inline constexpr long long kWithoutCertificates = 3;

// POPESCU (code 1), IONESCU (code 01, the earliest start) and VASILE (code 9,
// same start as POPESCU, smaller CNP). Rectification 1 turns POPESCU's
// certificate into a pregnancy leave (code 8).
inline void LoadLeaveMonth() {
    RunSql(
        "INSERT INTO asigurati.societati (cf, denumire, reg_com, repr, ziua_lic, loc, str, nr, "
        "bl, sc, et, ap, tel, jud, sect, email, b1, f1, c1) VALUES (12345678, 'ALFA SRL', "
        "'J40/1234/2003', 'POPESCU ION', '10', 'BUCURESTI', 'LALELELOR', '5', 'A1', 'B', '2', "
        "'14', '0211234567', 'MB', 3, 'office@alfa.ro', 'BCR', 'UNIRII', "
        "'RO49AAAA1B31007593840000');"
        "INSERT INTO concedii.declaratii (`index`, cf, luna, rectificativa, rectif_nr, "
        "zile_lucratoare, nr_ang, salariul_minim, fond_de_salarii, contributii_datorate, faambp, "
        "faambp_datorat, de_recuperat_anterior) VALUES "
        "(1, 12345678, 201003, 'NU', 0, 23, 5, 600, 50000, 306, 1000, 9, 100),"
        "(2, 12345678, 201003, 'DA', 1, 23, 5, 600, 50000, 306, 1000, 9, 100),"
        "(3, 12345678, 201004, 'NU', 0, 22, 5, 600, 50000, 306, 0, 0, 0);"
        "INSERT INTO concedii.concedii (id_declaratie, cf, cnp, cnp_copil, nume, prenume, cas, "
        "tip_rectif, cert_serie, cert_numar, cert_init_serie, cert_init_numar, cod_indemn, "
        "zile_lucratoare, zile_lucrate, zile_prestatii, zile_prestatii_ang, "
        "zile_suportate_fnuass, suma_suportata_fnuass, suma_suportata_ang, cod_urg, cod_contag, "
        "data_acordarii, data_inc, data_sf, loc_pres, baza_calc, zi_bz_calc, mzbci, me_nr) VALUES "
        "(1, 12345678, 1800101221144, 0, 'POPESCU', 'ION', 'CASAB', '', 'AB', '1001', '', '', "
        "'1', 23, 15, 8, 5, 3, 300, 500.5, '', '', '2010-03-10', '2010-03-10', '2010-03-17', 0, "
        "6000, 90, 66.6667, ''),"
        "(1, 12345678, 2850505123456, 0, 'IONESCU', 'ANA', 'CAS_B', '', 'AB', '1002', '', '', "
        "'01', 23, 20, 3, 3, 0, 0, 200, '', '', '2010-03-01', '2010-03-01', '2010-03-03', 1, "
        "4000, 60, 66.6667, ''),"
        "(1, 12345678, 1750101000003, 5050505000005, 'VASILE', 'DAN', 'CASAB', '', 'CD', '555', "
        "'CD', '444', '9', 23, 16, 7, 0, 7, 420.75, 0, 'A12', '3', '2010-03-10', '2010-03-10', "
        "'2010-03-16', 2, 9000, 90, 100, ''),"
        "(2, 12345678, 1800101221144, 0, 'POPESCU', 'ION', 'CASAB', 'M', 'AB', '1001', '', '', "
        "'8', 23, 13, 10, 0, 10, 900, 0, '', '', '2010-03-10', '2010-03-10', '2010-03-19', 3, "
        "6000, 90, 66.6667, 'ME1')");
}

// The file against the expected bytes, its header dated today.
inline void ExpectFileBytes(const std::string& path, const std::vector<Field>& fields,
                            const std::vector<std::vector<std::string>>& records) {
    const std::string actual = ReadBytes(path);
    ASSERT_GT(actual.size(), 4u) << path;
    const DbfDate today = TodayLocalDate();
    const DbfDate written{2000 + actual[1], actual[2], actual[3]};
    EXPECT_EQ(today.year % 100, written.year % 100) << path;
    EXPECT_EQ(today.month, written.month) << path;
    EXPECT_EQ(today.day, written.day) << path;
    EXPECT_EQ(ExpectedDbf(fields, records, written), actual) << path;
}

inline const std::vector<Field> kA1Fields = {
    {"CAS_ANG", 'C', 2},     {"TIPD", 'N', 1},        {"LN", 'N', 2},
    {"AN", 'N', 4},          {"DEN_ANG", 'C', 50},    {"CUI", 'C', 13},
    {"REG_COM", 'C', 20},    {"NR_ANGAJ", 'N', 6},    {"TOT_SAL_BR", 'N', 18},
    {"TOT_CONTRI", 'N', 18}, {"FAAMBP", 'N', 18},     {"C_FAAMBP", 'N', 18},
    {"FOND_CONTR", 'N', 18}, {"TOT_CUANT_", 'N', 18}, {"CAZ_G1", 'N', 5},
    {"CAZ_G2", 'N', 5},      {"CAZ_G3", 'N', 5},      {"CAZ_G4", 'N', 5},
    {"CAZ_G5", 'N', 5},      {"ZI_PRE_G1", 'N', 4},   {"ZI_PRE_G2", 'N', 4},
    {"ZI_PRE_G3", 'N', 4},   {"ZI_PRE_G4", 'N', 4},   {"ZI_PRE_G5", 'N', 4},
    {"TOT_ZI_PRE", 'N', 5},  {"TOT_SUM", 'N', 18},    {"ZI_FN_G1", 'N', 4},
    {"ZI_FN_G2", 'N', 4},    {"ZI_FN_G3", 'N', 4},    {"ZI_FN_G4", 'N', 4},
    {"ZI_FN_G5", 'N', 4},    {"FN_G1", 'N', 18},      {"FN_G2", 'N', 18},
    {"FN_G3", 'N', 18},      {"FN_G4", 'N', 18},      {"FN_G5", 'N', 18},
    {"TOT_ANTER", 'N', 18},  {"COMPENSAT", 'N', 18},  {"TOT_VIRAT", 'N', 18},
    {"TOT_RECUP", 'N', 18},  {"ADR_LOC", 'C', 25},    {"ADR_STR", 'C', 25},
    {"ADR_NR", 'C', 10},     {"ADR_BL", 'C', 10},     {"ADR_SC", 'C', 5},
    {"ADR_ET", 'C', 2},      {"ADR_AP", 'C', 3},      {"ADR_TEL", 'C', 15},
    {"ADR_JUD", 'C', 2},     {"ADR_SECT", 'N', 2},    {"E_MAIL", 'C', 50},
    {"B1", 'C', 25},         {"F1", 'C', 25},         {"C1", 'C', 50},
    {"B2", 'C', 25},         {"F2", 'C', 25},         {"C2", 'C', 50},
    {"NRF", 'N', 2},
};

inline const std::vector<Field> kA2Fields = {
    {"TIPD", 'N', 1},        {"LN", 'N', 2},         {"AN", 'N', 4},         {"DEN_ANG", 'C', 50},
    {"CUI", 'C', 13},        {"NR_CRT", 'N', 6},     {"TIP_RECTIF", 'C', 1}, {"NUME_ASIG", 'C', 50},
    {"CNP", 'C', 13},        {"CNP_COPIL", 'C', 13}, {"CAS_ASIG", 'C', 2},   {"ZI_LUCRAT", 'N', 2},
    {"TOT_ZI_LUC", 'N', 2},  {"SERIE_CCM", 'C', 5},  {"NUMAR_CCM", 'C', 10}, {"SERIE_CCM_", 'C', 5},
    {"NUMAR_CCM_", 'C', 10}, {"DATA_ACORD", 'D', 8}, {"COD_INDEMN", 'C', 2}, {"ZI_PRE_ANG", 'N', 1},
    {"ZI_FN", 'N', 2},       {"ZI_PRE", 'N', 2},     {"LOC_PRES", 'N', 2},   {"SUM_ANG", 'N', 18},
    {"FN", 'N', 18},         {"DATA_INC", 'D', 8},   {"DATA_SF", 'D', 8},    {"COD_URG", 'C', 3},
    {"COD_CONTAG", 'C', 2},  {"BAZA_CALC", 'N', 6},  {"ZI_BZ_CALC", 'N', 3}, {"MZBCI", 'N', 13, 4},
    {"ME_NR", 'C', 10},
};

// The company's name, address and bank of A1, from ADR_LOC on.
inline std::vector<std::string> CompanyTail() {
    return {"BUCURESTI",
            "LALELELOR",
            "5",
            "A1",
            "B",
            "2",
            "14",
            "0211234567",
            "MB",
            "3",
            "office@alfa.ro",
            "BCR",
            "UNIRII",
            "RO49AAAA1B31007593840000",
            "",
            "",
            "",
            ""};
}

}  // namespace leave_test
