#pragma once
#include <optional>
#include <string>

class CClient;

// The employers' register: every other record belongs to a company through
// its fiscal code `cf`. These flows serve the company form and the company
// lists of the health and medical-leave windows.

// The two windows that show the company list; they differ in the list's
// column order and in one more question before a delete.
enum class CompanyPlace { Health, Leave };

// What the company form holds, as typed.
struct CompanyFields {
    std::string cf;
    std::string denumire;
    std::string regCom;
    std::string repr;
    std::string ziuaLic;
    bool paidNextMonth = false;  // luna_lic: "a lunii urmatoare"
    std::string loc, str, nr, bl, sc, et, ap, tel;
    int county = 9;  // position in the county list; BUCURESTI by default
    std::string sect;
    std::string email;
    std::string b1, f1, c1;
};

// How the form was opened: add, or modify of the row `index` whose code was
// `formerCode` when the form opened.
struct CompanyEdit {
    bool modify = false;
    double index = 0;
    std::string formerCode;
};

struct CompanyCounters {
    std::string houses, existing, liquidated, coInsured;  // empty until counted
};

// "Trebuie sa selectezi ..." texts of the company list and the health window.
namespace CompanyMessages {
inline constexpr const char* kSelectToModify =
    "Trebuie sa selectezi o societate pentru a o modifica!";
inline constexpr const char* kSelectToDelete = "Trebuie sa selectezi o societate pentru a o sterge!";
inline constexpr const char* kNoCompanySelected = "   --  nici o societate selectata --";
}  // namespace CompanyMessages

std::string CompanyListQuery(CompanyPlace place);

// Reads a row for the modify form; nothing when the query failed (already
// shown) or found no row.
std::optional<CompanyFields> LoadCompany(CClient& client, double index);

// The checks of the form, in their order; the first failure is shown and
// returns false.
bool CheckCompany(CClient& client, const CompanyFields& fields, const CompanyEdit& edit);

// Checks and writes the company. In modify mode a changed code moves every
// record of the company to it, in the same transaction as the update, so a
// failure leaves the company and its records as they were. 0 on success
// (the form closes); after an add the new key is in client.m_lastInsertId.
int SaveCompany(CClient& client, const CompanyFields& fields, const CompanyEdit& edit);

// Asks its questions and deletes the company with all its records in one
// transaction. True when the company is gone.
bool DeleteCompany(CClient& client, const std::string& cf, CompanyPlace place);

// The counters of the health window for a company; a failed query leaves the
// later counters empty.
CompanyCounters CountCompany(CClient& client, const std::string& cf);
