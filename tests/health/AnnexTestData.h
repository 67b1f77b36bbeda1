#pragma once
// A small company for the annex files of July 2009 at two houses, and the
// expected dBase bytes built by hand from the file layout.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../dbf/DbfTestSupport.h"
#include "../dbf/ExpectedDbf.h"
#include "TestServer.h"
#include "dbf/DbfFormat.h"

namespace annex_test {

inline const char* const kCf = "12345678";
inline const char* const kMonth = "200907";

// At CASAB in July 2009: IONESCU (left on the 10th, no sums), POPESCU, who
// moved from form S to CM on the 20th (two records), and two records outside
// the month. At CAS_B: VASILE, without dependants. POPESCU's dependants: two
// recorded here, one by another company. Another company has an employee at
// CASAB too.
inline void LoadCompany() {
    RunSql(
        "INSERT INTO asigurati.societati (cf, denumire, reg_com, repr, ziua_lic, jud) VALUES "
        "(12345678, 'ALFA SRL', 'J40/1234/2003', 'POPESCU ION', '10', 'MB'),"
        "(23456789, 'BETA SRL', 'J12/77/1999', 'ALBU DAN', '10', 'CJ');"
        "INSERT INTO asigurati.asigurati (cf, cas, nume, prenume, cnp, intrare, iesire, forma) "
        "VALUES (12345678, 'CASAB', 'POPESCU', 'ION', 1800101221144, 20090315, 20090719, 'S'),"
        "(12345678, 'CASAB', 'POPESCU', 'ION', 1800101221144, 20090720, 0, 'CM'),"
        "(12345678, 'CASAB', 'IONESCU', 'ANA', 2850505123456, 20080101, 20090710, 'S'),"
        "(12345678, 'CASAB', 'NOU', 'DAN', 1900101000001, 20090801, 0, 'S'),"
        "(12345678, 'CASAB', 'VECHI', 'GIGI', 1700101000002, 20050101, 20090630, 'S'),"
        "(12345678, 'CAS_B', 'VASILE', 'DAN', 1750101000003, 20000101, 0, 'S'),"
        "(23456789, 'CASAB', 'ALTUL', 'ION', 1600101000004, 20000101, 0, 'S');"
        "INSERT INTO asigurati.sume (id_cnp, cf, cnp, luna, salariu, asig_datorat, asig_virat) "
        "VALUES (1, 12345678, 1800101221144, 200907, 2000, 100, 90),"
        "(2, 12345678, 1800101221144, 200907, 1000, 50, 50),"
        "(6, 12345678, 1750101000003, 200907, 4000, 200, 200),"
        "(1, 12345678, 1800101221144, 200906, 2000, 999, 999),"
        "(7, 23456789, 1600101000004, 200907, 9000, 450, 450);"
        "INSERT INTO asigurati.sume_societati (cf, luna, fond_de_salarii, datorat, virat) VALUES "
        "(12345678, 200907, 7000, 520, 500), (12345678, 200906, 7000, 1, 1);"
        "INSERT INTO asigurati.coasigurati (cf, cnp_asig, cnp, nume, prenume, tip) VALUES "
        "(12345678, 1800101221144, 2820202000005, 'POPESCU', 'MARIA', 'S'),"
        "(12345678, 1800101221144, 1500303000006, 'POPESCU', 'GHEORGHE', 'P'),"
        "(23456789, 1800101221144, 1550404000007, 'ALBU', 'ELENA', 'P')");
}

inline const std::vector<Field> kHead = {{"LN", 'N', 2}, {"AN", 'N', 4}, {"CF", 'C', 13},
                                         {"RJ", 'C', 3}, {"RN", 'N', 5}, {"RA", 'N', 4}};
inline const std::vector<Field> kTail = {{"NREP", 'C', 30}, {"PREP", 'C', 30}};

inline std::vector<Field> Fields(std::vector<Field> middle) {
    std::vector<Field> fields = kHead;
    fields.insert(fields.end(), middle.begin(), middle.end());
    fields.insert(fields.end(), kTail.begin(), kTail.end());
    return fields;
}

inline const std::vector<Field> k1A = Fields({{"CNP", 'N', 13},
                                              {"NUME", 'C', 30},
                                              {"PRENUME", 'C', 30},
                                              {"CAT", 'C', 3},
                                              {"ANG", 'D', 8},
                                              {"PL", 'D', 8},
                                              {"SDL", 'N', 12},
                                              {"SVL", 'N', 12}});
inline const std::vector<Field> k1B = Fields({{"CNP", 'N', 13},
                                              {"CNPC", 'N', 13},
                                              {"NUMEC", 'C', 30},
                                              {"PRENUMEC", 'C', 30},
                                              {"TIPC", 'C', 3}});
inline const std::vector<Field> k1C = Fields({{"CAS_ASIG", 'C', 2},
                                              {"SDLA", 'N', 12},
                                              {"SVTA", 'N', 12},
                                              {"SDL_ASIG", 'N', 12},
                                              {"SVT_ASIG", 'N', 12}});

// The file against the expected bytes; its header date must be today's (the
// day before or after the write, should it run over midnight).
inline void ExpectFileBytes(const std::string& path, const std::vector<Field>& fields,
                            const std::vector<std::vector<std::string>>& records,
                            const DbfDate& before) {
    const DbfDate after = TodayLocalDate();
    const std::string actual = ReadBytes(path);
    ASSERT_GT(actual.size(), 4u) << path;
    const DbfDate written{2000 + actual[1], actual[2], actual[3]};
    const bool today = (written.year % 100 == before.year % 100 && written.month == before.month &&
                        written.day == before.day) ||
                       (written.year % 100 == after.year % 100 && written.month == after.month &&
                        written.day == after.day);
    EXPECT_TRUE(today) << path;
    EXPECT_EQ(ExpectedDbf(fields, records, written), actual) << path;
}

inline std::vector<std::string> Record(std::vector<std::string> middle) {
    std::vector<std::string> values = {"07", "2009", "12345678", "J40", "1234", "2003"};
    values.insert(values.end(), middle.begin(), middle.end());
    values.push_back("POPESCU");
    values.push_back("ION");
    return values;
}

// The expected records of CASAB's files.
inline const std::vector<std::vector<std::string>> k1ARecords = {
    Record({"2850505123456", "IONESCU", "ANA", "S", "20080101", "20090710", "", ""}),
    Record({"1800101221144", "POPESCU", "ION", "S", "20090315", "20090719", "100", "90"}),
    Record({"1800101221144", "POPESCU", "ION", "CM", "20090720", "0", "50", "50"}),
};
inline const std::vector<std::vector<std::string>> k1BRecords = {
    Record({"1800101221144", "1550404000007", "ALBU", "ELENA", "P"}),
    Record({"1800101221144", "1500303000006", "POPESCU", "GHEORGHE", "P"}),
    Record({"1800101221144", "2820202000005", "POPESCU", "MARIA", "S"}),
};
inline const std::vector<std::vector<std::string>> k1CRecords = {
    Record({"AB", "520", "500", "150", "140"}),
    Record({"_B", "520", "500", "200", "200"}),
};

// The file's bytes with its header date cleared, for comparing two writes.
inline std::string Undated(const std::string& path) {
    std::string bytes = ReadBytes(path);
    for (std::size_t i = 1; i < 4 && i < bytes.size(); ++i) bytes[i] = 0;
    return bytes;
}

}  // namespace annex_test
