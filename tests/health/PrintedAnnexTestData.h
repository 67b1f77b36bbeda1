#pragma once
// Larger months for the printed annexes: many employees or dependants at one
// house, so the pages break.
#include <string>

#include "TestServer.h"

namespace annex_test {

// `count` employees of GAMA SRL (cf 34567890) at CASCJ in July 2009, named
// ANGAJAT0001 ..., each owing 100 + i and paying 100.
inline void LoadManyEmployees(int count) {
    std::string sql =
        "INSERT INTO asigurati.societati (cf, denumire, reg_com, repr, ziua_lic, jud) VALUES "
        "(34567890, 'GAMA SRL', 'J12/5/2001', 'MARIN ANA', '10', 'CJ');"
        "INSERT INTO asigurati.asigurati (`index`, cf, cas, nume, prenume, cnp, intrare, iesire, "
        "forma) VALUES ";
    std::string sums =
        "INSERT INTO asigurati.sume (id_cnp, cf, cnp, luna, salariu, asig_datorat, asig_virat) "
        "VALUES ";
    for (int i = 1; i <= count; ++i) {
        char number[16];
        std::snprintf(number, sizeof number, "%04d", i);
        const std::string index = std::to_string(1000 + i);
        const std::string cnp = std::string("18001010") + number + "1";
        sql += std::string(i > 1 ? "," : "") + "(" + index + ", 34567890, 'CASCJ', 'ANGAJAT" +
               number + "', 'ION', " + cnp + ", 20000101, 0, 'S')";
        sums += std::string(i > 1 ? "," : "") + "(" + index + ", 34567890, " + cnp +
                ", 200907, 2000, " + std::to_string(100 + i) + ", 100)";
    }
    RunSql(sql + ";" + sums);
}

// One employee of GAMA SRL with `count` dependants, COASIGURAT0001 ...
inline void LoadManyDependants(int count) {
    std::string sql =
        "INSERT INTO asigurati.societati (cf, denumire, reg_com, repr, ziua_lic, jud) VALUES "
        "(34567890, 'GAMA SRL', 'J12/5/2001', 'MARIN ANA', '10', 'CJ');"
        "INSERT INTO asigurati.asigurati (cf, cas, nume, prenume, cnp, intrare, iesire, forma) "
        "VALUES (34567890, 'CASCJ', 'MARIN', 'ANA', 2800101000009, 20000101, 0, 'S');"
        "INSERT INTO asigurati.coasigurati (cf, cnp_asig, cnp, nume, prenume, tip) VALUES ";
    for (int i = 1; i <= count; ++i) {
        char number[16];
        std::snprintf(number, sizeof number, "%04d", i);
        sql += std::string(i > 1 ? "," : "") + "(34567890, 2800101000009, 19001010" + number +
               "2, 'COASIGURAT" + number + "', 'P', 'P')";
    }
    RunSql(sql);
}

}  // namespace annex_test
