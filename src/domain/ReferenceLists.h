#pragma once
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The fixed vocabularies shared by the registers, the declaration files and
// the printed annexes. Combo boxes list them in this same order, so a list
// position and a stored code convert into each other through these functions.

// "Ianuarie" .. "Decembrie" for 1..12, otherwise "EROARE".
std::string MonthName(int month);

inline constexpr int kCountyCount = 42;

// Index 0..41; any other index gives "??".
std::string CountyCode(int index);
std::string CountyName(int index);
// The entry of the county list of the company form ("BUCURESTI"), "??" outside.
std::string CountyComboText(int index);
// Exact, case-sensitive match of the two-letter code; -1 when unknown.
int CountyIndex(std::string_view code);
std::vector<std::string> CountyComboTexts();

inline constexpr int kInsuranceHouseCount = 44;
// Harghita's position: "CASHR" in the health module, "CASHG" in medical leave.
inline constexpr int kHarghitaHousePosition = 23;

// The health module (database asigurati) and the medical-leave module
// (database concedii) keep the same 44 houses in the same order; they differ
// only in Harghita's code.
enum class InsuranceHouseTable { Health, MedicalLeave };

// Position 0..43; anything else gives "?????".
std::string InsuranceHouseCode(int position,
                               InsuranceHouseTable table = InsuranceHouseTable::Health);

// Exact match on the codes of the module's table; -1 when unknown. The
// medical-leave table also takes "CASHR" as Harghita, since employees carried
// over from the health register hold that code (it still stores "CASHG").
int InsuranceHousePosition(std::string_view code,
                           InsuranceHouseTable table = InsuranceHouseTable::Health);

// Harghita reads "HG - Harghita" in every house list except the one of the
// "Adauga un asigurat" form, which shows "HR - Harghita".
enum class HarghitaLabel { Hg, Hr };

std::string InsuranceHouseComboText(int position, HarghitaLabel label = HarghitaLabel::Hg);
std::vector<std::string> InsuranceHouseComboTexts(HarghitaLabel label = HarghitaLabel::Hg);

// A code with the text shown for it in a list.
struct CodedEntry {
    std::string_view code;
    std::string_view listText;
};

// Employment forms (column "FORMA") in list order.
std::span<const CodedEntry> EmploymentForms();
// Kinds of co-insured dependants in list order.
std::span<const CodedEntry> CoInsuredKinds();

// List text of a code, or an empty text for an unknown code.
std::string EmploymentFormListText(std::string_view code);
std::string CoInsuredKindListText(std::string_view code);
// List position of a code, or -1 for an unknown code.
int EmploymentFormIndex(std::string_view code);
int CoInsuredKindIndex(std::string_view code);

// The stored codes of each list in list order (the health module's house
// codes), for drop-downs bound to a column: a position in one is the position
// of the same entry in the other.
std::span<const std::string_view> CountyCodes();
std::span<const std::string_view> InsuranceHouseCodes();
std::span<const std::string_view> EmploymentFormCodes();
std::span<const std::string_view> CoInsuredKindCodes();
