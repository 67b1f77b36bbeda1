#include "domain/ReferenceLists.h"

#include <array>

namespace {

constexpr std::array<std::string_view, 12> kMonthNames = {
    "Ianuarie", "Februarie", "Martie",     "Aprilie",   "Mai",       "Iunie",
    "Iulie",    "August",    "Septembrie", "Octombrie", "Noiembrie", "Decembrie"};

struct County {
    std::string_view code;
    std::string_view name;
    std::string_view comboText;
};

constexpr std::array<County, kCountyCount> kCounties = {{
    {"AB", "Alba", "ALBA"},
    {"AR", "Arad", "ARAD"},
    {"AG", "Arges", "ARGES"},
    {"BC", "Bacau", "BACAU"},
    {"BH", "Bihor", "BIHOR"},
    {"BN", "Bistrita-Nasaud", "BISTRITA-NASAUD"},
    {"BT", "Botosani", "BOTOSANI"},
    {"BR", "Braila", "BRAILA"},
    {"BV", "Brasov", "BRASOV"},
    {"MB", "Municipiul Bucuresti", "BUCURESTI"},
    {"BZ", "Buzau", "BUZAU"},
    {"CL", "Calarasi", "CALARASI"},
    {"CS", "Caras Severin", "CARAS-SEVERIN"},
    {"CJ", "Cluj", "CLUJ"},
    {"CT", "Constanta", "CONSTANTA"},
    {"CV", "Covasna", "COVASNA"},
    {"DB", "Dambovita", "DAMBOVITA"},
    {"DJ", "Dolj", "DOLJ"},
    {"GL", "Galati", "GALATI"},
    {"GR", "Giurgiu", "GIURGIU"},
    {"GJ", "Gorj", "GORJ"},
    {"HR", "Harghita", "HARGHITA"},
    {"HD", "Hunedoara", "HUNEDOARA"},
    {"IL", "Ialomita", "IALOMITA"},
    {"IS", "Iasi", "IASI"},
    {"IF", "Ilfov", "ILFOV"},
    {"MM", "Maramures", "MARAMURES"},
    {"MH", "Mehedinti", "MEHEDINTI"},
    {"MS", "Mures", "MURES"},
    {"NT", "Neamt", "NEAMT"},
    {"OT", "Olt", "OLT"},
    {"PH", "Prahova", "PRAHOVA"},
    {"SJ", "Salaj", "SALAJ"},
    {"SM", "Satu Mare", "SATU MARE"},
    {"SB", "Sibiu", "SIBIU"},
    {"SV", "Suceava", "SUCEAVA"},
    {"TR", "Teleorman", "TELEORMAN"},
    {"TM", "Timis", "TIMIS"},
    {"TL", "Tulcea", "TULCEA"},
    {"VL", "Valcea", "VALCEA"},
    {"VS", "Vaslui", "VASLUI"},
    {"VN", "Vrancea", "VRANCEA"},
}};

struct InsuranceHouse {
    std::string_view code;
    std::string_view comboText;
};

// Health-module codes. The order is not the county order (Brasov before
// Braila, Caras-Severin before Calarasi, ...): never convert one into the other.
constexpr std::array<InsuranceHouse, kInsuranceHouseCount> kHouses = {{
    {"CAS_B", "_B - Bucuresti"},
    {"CAS_T", "_T - Transporturilor"},
    {"CAS_A", "_A - opsnaj"},
    {"CASAB", "AB - Alba"},
    {"CASAR", "AR - Arad"},
    {"CASAG", "AG - Arges"},
    {"CASBC", "BC - Bacau"},
    {"CASBH", "BH - Bihor"},
    {"CASBN", "BN - Bistrita-Nasaud"},
    {"CASBT", "BT - Botosani"},
    {"CASBV", "BV - Brasov"},
    {"CASBR", "BR - Braila"},
    {"CASBZ", "BZ - Buzau"},
    {"CASCS", "CS - Caras-Severin"},
    {"CASCL", "CL - Calarasi"},
    {"CASCJ", "CJ - Cluj"},
    {"CASCT", "CT - Constanta"},
    {"CASCV", "CV - Covasna"},
    {"CASDB", "DB - Dambovita"},
    {"CASDJ", "DJ - Dolj"},
    {"CASGL", "GL - Galati"},
    {"CASGR", "GR - Giurgiu"},
    {"CASGJ", "GJ - Gorj"},
    {"CASHR", "HG - Harghita"},
    {"CASHD", "HD - Hunedoara"},
    {"CASIL", "IL - Ialomita"},
    {"CASIS", "IS - Iasi"},
    {"CASIF", "IF - Ilfov"},
    {"CASMM", "MM - Maramures"},
    {"CASMH", "MH - Mehedinti"},
    {"CASMS", "MS - Mures"},
    {"CASNT", "NT - Neamt"},
    {"CASOT", "OT - Olt"},
    {"CASPH", "PH - Prahova"},
    {"CASSM", "SM - Satu Mare"},
    {"CASSJ", "SJ - Salaj"},
    {"CASSB", "SB - Sibiu"},
    {"CASSV", "SV - Suceava"},
    {"CASTR", "TR - Teleorman"},
    {"CASTM", "TM - Timis"},
    {"CASTL", "TL - Tulcea"},
    {"CASVS", "VS - Vaslui"},
    {"CASVL", "VL - Valcea"},
    {"CASVN", "VN - Vrancea"},
}};

constexpr std::string_view kHealthHarghitaCode = "CASHR";
constexpr std::string_view kLeaveHarghitaCode = "CASHG";
constexpr std::string_view kHarghitaHrText = "HR - Harghita";

constexpr std::array<CodedEntry, 8> kEmploymentForms = {{
    {"S", "S - salariat"},
    {"CM", "CM - concediu medical"},
    {"AM", "AM - accident de munca"},
    {"CT", "CT - cenzori, consiliu de administratie, alte categorii"},
    {"CIC", "CIC - concediu de ingrijire a copilului"},
    {"DCM", "DCM - disponibilizat cu plati compensatorii"},
    {"SCS", "SCS - salariat  cu domiciliu in strainatate"},  // two blanks, as always shown
    {"SS", "SS - somaj tehnic"},
}};

constexpr std::array<CodedEntry, 2> kCoInsuredKinds = {{
    {"S", "S - sot sau sotie"},
    {"P", "P - parinte"},
}};

template <typename Entry, std::size_t N>
constexpr std::array<std::string_view, N> CodesOf(const std::array<Entry, N>& entries) {
    std::array<std::string_view, N> codes{};
    for (std::size_t i = 0; i < N; ++i) codes[i] = entries[i].code;
    return codes;
}

constexpr auto kCountyCodes = CodesOf(kCounties);
constexpr auto kHouseCodes = CodesOf(kHouses);
constexpr auto kEmploymentFormCodes = CodesOf(kEmploymentForms);
constexpr auto kCoInsuredKindCodes = CodesOf(kCoInsuredKinds);

bool IsCountyIndex(int index) {
    return index >= 0 && index < kCountyCount;
}

bool IsHousePosition(int position) {
    return position >= 0 && position < kInsuranceHouseCount;
}

int IndexOfCode(std::span<const CodedEntry> entries, std::string_view code) {
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].code == code) return static_cast<int>(i);
    }
    return -1;
}

std::string ListTextOfCode(std::span<const CodedEntry> entries, std::string_view code) {
    int index = IndexOfCode(entries, code);
    return index < 0 ? std::string() : std::string(entries[index].listText);
}

}  // namespace

std::string MonthName(int month) {
    if (month < 1 || month > 12) return "EROARE";
    return std::string(kMonthNames[month - 1]);
}

std::string CountyCode(int index) {
    return IsCountyIndex(index) ? std::string(kCounties[index].code) : "??";
}

std::string CountyName(int index) {
    return IsCountyIndex(index) ? std::string(kCounties[index].name) : "??";
}

std::string CountyComboText(int index) {
    return IsCountyIndex(index) ? std::string(kCounties[index].comboText) : "??";
}

int CountyIndex(std::string_view code) {
    for (int i = 0; i < kCountyCount; ++i) {
        if (kCounties[i].code == code) return i;
    }
    return -1;
}

std::vector<std::string> CountyComboTexts() {
    std::vector<std::string> texts;
    for (const County& county : kCounties) texts.emplace_back(county.comboText);
    return texts;
}

std::string InsuranceHouseCode(int position, InsuranceHouseTable table) {
    if (!IsHousePosition(position)) return "?????";
    if (position == kHarghitaHousePosition && table == InsuranceHouseTable::MedicalLeave) {
        return std::string(kLeaveHarghitaCode);
    }
    return std::string(kHouses[position].code);
}

int InsuranceHousePosition(std::string_view code, InsuranceHouseTable table) {
    if (code == kLeaveHarghitaCode) {
        return table == InsuranceHouseTable::MedicalLeave ? kHarghitaHousePosition : -1;
    }
    for (int i = 0; i < kInsuranceHouseCount; ++i) {
        if (kHouses[i].code == code) return i;
    }
    return -1;
}

std::string InsuranceHouseComboText(int position, HarghitaLabel label) {
    if (!IsHousePosition(position)) return "?????";
    if (position == kHarghitaHousePosition && label == HarghitaLabel::Hr) {
        return std::string(kHarghitaHrText);
    }
    return std::string(kHouses[position].comboText);
}

std::vector<std::string> InsuranceHouseComboTexts(HarghitaLabel label) {
    std::vector<std::string> texts;
    for (int i = 0; i < kInsuranceHouseCount; ++i)
        texts.push_back(InsuranceHouseComboText(i, label));
    return texts;
}

std::span<const CodedEntry> EmploymentForms() {
    return kEmploymentForms;
}

std::span<const CodedEntry> CoInsuredKinds() {
    return kCoInsuredKinds;
}

std::string EmploymentFormListText(std::string_view code) {
    return ListTextOfCode(kEmploymentForms, code);
}

std::string CoInsuredKindListText(std::string_view code) {
    return ListTextOfCode(kCoInsuredKinds, code);
}

int EmploymentFormIndex(std::string_view code) {
    return IndexOfCode(kEmploymentForms, code);
}

int CoInsuredKindIndex(std::string_view code) {
    return IndexOfCode(kCoInsuredKinds, code);
}

std::span<const std::string_view> CountyCodes() { return kCountyCodes; }
std::span<const std::string_view> InsuranceHouseCodes() { return kHouseCodes; }
std::span<const std::string_view> EmploymentFormCodes() { return kEmploymentFormCodes; }
std::span<const std::string_view> CoInsuredKindCodes() { return kCoInsuredKindCodes; }
