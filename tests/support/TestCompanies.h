#pragma once
// The companies most db tests start from, added to the fresh data of DbTest.
#include "TestServer.h"

// ALFA SRL, code 12345674, in Alba, paying salaries on the 10th: row 1 of asigurati.societati.
inline void AddAlfaCompany() {
    RunSql(
        "INSERT INTO asigurati.societati (cf, denumire, ziua_lic, jud) VALUES "
        "(12345674, 'ALFA SRL', '10', 'AB')");
}

// ALFA SRL as above and BETA SRL, code 23456783, in Cluj, also paying on the 10th: rows 1
// and 2, for tests that check one company's data never shows under the other.
inline void AddAlfaAndBetaCompanies() {
    RunSql(
        "INSERT INTO asigurati.societati (cf, denumire, ziua_lic, jud) VALUES "
        "(12345674, 'ALFA SRL', '10', 'AB'), (23456783, 'BETA SRL', '10', 'CJ')");
}
