#include "import/ImportFile.h"

#include <array>
#include <string_view>

#include "datalist/DataList.h"
#include "datalist/FileListLayout.h"
#include "db/CClient.h"
#include "db/SqlValues.h"
#include "dbf/DbfReader.h"
#include "dbf/DbfTableSpec.h"
#include "dbf/RegularFileReader.h"
#include "domain/TextNumbers.h"
#include "import/ImportText.h"

namespace {

const std::array<std::string_view, 13> kEmployeeFields = {
    "CF",      "CAS",     "CNP",     "NUME",    "PRENUME", "INTRARE", "FORMA",
    "SALARIU", "ASG_DAT", "ASG_VIR", "ANG_DAT", "ANG_VIR", "LA_LUNA"};
const std::array<std::string_view, 16> kAnnexAFields = {
    "LN",      "AN",  "CF",  "RJ", "RN",  "RA",  "CNP",  "NUME",
    "PRENUME", "CAT", "ANG", "PL", "SDL", "SVL", "NREP", "PREP"};
const std::array<std::string_view, 19> kAnnex1AFields = {
    "AN",  "LN",  "CF", "CNPA", "RJ",  "RN",  "RA",  "CNP",  "NUME", "PRENUME",
    "CAT", "ANG", "PL", "SDT",  "SDL", "SVT", "SVL", "NREP", "PREP"};

template <std::size_t N>
bool SameNames(const std::vector<std::string>& names,
               const std::array<std::string_view, N>& layout) {
    if (names.size() != N) return false;
    for (std::size_t i = 0; i < N; ++i)
        if (names[i] != layout[i]) return false;
    return true;
}

// The free texts both imports store; the other stored cells are codes,
// numbers and dates, checked as such.
constexpr const char* kStoredTexts[] = {"NUME", "PRENUME"};

const char* InvalidMessage(ImportKind kind) {
    return kind == ImportKind::Employees ? ImportMessages::kInvalidEmployees
                                         : ImportMessages::kInvalidAnnex1A;
}

// The place of each row in the file: the reader leaves deleted records out,
// so the places are read from the deletion flags when the counts differ.
std::vector<std::int64_t> RecordPlaces(const std::string& path, const DbfTableSpec& spec,
                                       int rows) {
    std::vector<std::int64_t> places;
    places.reserve(static_cast<std::size_t>(rows));
    if (spec.m_recordCount == rows) {
        for (int row = 0; row < rows; ++row) places.push_back(row + 1);
        return places;
    }
    // Opened again by name: it must still be a regular file, or this would wait on it.
    RegularFileReader file;
    std::vector<char> record(static_cast<std::size_t>(spec.m_headerLength));
    if (spec.m_recordLength <= 0 || !file.Open(path, nullptr) ||
        file.Read(record.data(), record.size()) != record.size())
        return places;
    record.resize(static_cast<std::size_t>(spec.m_recordLength));
    for (std::int64_t place = 1;
         place <= spec.m_recordCount && static_cast<int>(places.size()) < rows; ++place) {
        if (file.Read(record.data(), record.size()) != record.size()) break;
        if (record[0] != '*') places.push_back(place);
    }
    return places;
}

}  // namespace

bool HasDbfExtension(const std::string& path) {
    const auto dot = path.find_last_of("./");
    if (dot == std::string::npos || path[dot] != '.') return false;
    const std::string extension = path.substr(dot + 1);
    return extension == "DBF" || extension == "dbf";
}

Outcome ImportFile::Refuse(Prompter& prompter, const char* message) {
    prompter.ShowMessage(message);
    return Outcome::Stopped();
}

bool ImportFile::HasLayout(const std::vector<std::string>& names, Prompter& prompter) {
    if (m_kind == ImportKind::Employees) {
        if (SameNames(names, kEmployeeFields)) return true;
        prompter.ShowMessage(ImportMessages::kInvalidEmployees);
        return false;
    }
    if (names.size() != kAnnexAFields.size() && names.size() != kAnnex1AFields.size()) {
        prompter.ShowMessage(ImportMessages::kInvalidAnnexA);
        return false;
    }
    if (SameNames(names, kAnnexAFields) || SameNames(names, kAnnex1AFields)) return true;
    prompter.ShowMessage(ImportMessages::kInvalidAnnex1A);
    return false;
}

Outcome ImportFile::Open(CClient& client, const std::string& path, DataList& list,
                         DbfProgress* progress) {
    Prompter& prompter = client.GetPrompter();
    // The annex import passes over such a file as if none had been chosen.
    if (!HasDbfExtension(path) && m_kind == ImportKind::EarlierReport) return Outcome::Stopped();
    m_open = false;
    m_path = path;
    m_companyCode.clear();
    m_storedCompany.reset();
    m_places.clear();
    m_textRefusals.clear();
    if (!HasDbfExtension(path)) return Refuse(prompter, ImportMessages::kInvalidEmployees);
    DbfTableSpec spec;
    // A file that cannot be read to its end is not taken in part.
    if (!ReadDbfFile(path, list, spec, progress)) return Refuse(prompter, InvalidMessage(m_kind));
    if (!HasLayout(spec.m_names, prompter)) return Outcome::Stopped();
    if (list.RowCount() < 1) return Refuse(prompter, ImportMessages::kNoRecords);
    // Stored, shown and written again as the program's own letters.
    if (HoldsUtf8Texts(list, spec)) m_textRefusals = ConvertUtf8Texts(list, spec, kStoredTexts);
    list.AppendColumn(kVerdictColumn, "C", 500);
    m_companyCode = list.CellText(0, "CF");
    if (m_companyCode.empty() && m_kind == ImportKind::EarlierReport)
        m_companyCode = list.CellText(0, "CNPA");
    // The code goes into every statement bare: it must be one the company form accepts.
    if (!IsValidCompanyCode(m_companyCode)) return Refuse(prompter, InvalidMessage(m_kind));
    if (!FindCompany(client)) return Outcome::Stopped();
    ApplyDisplayKinds(list);
    NumberRows(list);
    m_places = RecordPlaces(path, spec, list.RowCount());
    m_open = true;
    return Outcome::Done();
}

bool ImportFile::FindCompany(CClient& client) {
    auto found = CompanyRegister(client, CompanyPlace::Health).FindByCode(m_companyCode);
    if (!found) return false;
    if (!*found) return true;
    CompanyRecord company = std::move(**found);
    company.lunaLic.assign(1, TextToInteger(company.lunaLic) == 0 ? '0' : '1');
    m_storedCompany = company;
    return true;
}

void ImportFile::ApplyDisplayKinds(DataList& list) const {
    ApplyFileListLayout(list);
    if (m_kind == ImportKind::Employees) {
        for (const char* amount : kPayrollAmountFields)
            list.SetColumnKind(amount, DisplayKind::Amount);
        list.SetColumnKind("LA_LUNA", DisplayKind::Month);
        return;
    }
    list.SetColumnKind("SDL", DisplayKind::Amount);
    list.SetColumnKind("SVL", DisplayKind::Amount);
    list.SetColumnKind("ANG", DisplayKind::Date);
    list.SetColumnKind("PL", DisplayKind::Date);
}

void ImportFile::NumberRows(DataList& list) {
    const int column = list.AppendColumn(kFileOrderColumn, "N", 0);
    for (int row = 0; row < list.RowCount(); ++row)
        list.SetCellTextAt(row, column, std::to_string(row));
}

int ImportFile::FileOrderIndex(const DataList& list, int row) {
    const int column = list.ColumnIndex(kFileOrderColumn);
    if (column < 0 || row < 0 || row >= list.RowCount()) return row;
    return static_cast<int>(TextToInteger(list.CellTextAt(row, column)));
}

const char* ImportFile::TextRefusal(const DataList& list, int row) const {
    const int index = FileOrderIndex(list, row);
    if (index < 0 || index >= static_cast<int>(m_textRefusals.size())) return nullptr;
    const std::string& refusal = m_textRefusals[static_cast<std::size_t>(index)];
    return refusal.empty() ? nullptr : refusal.c_str();
}

std::int64_t ImportFile::RecordPlace(const DataList& list, int row) const {
    const int index = FileOrderIndex(list, row);
    if (index >= 0 && index < static_cast<int>(m_places.size()))
        return m_places[static_cast<std::size_t>(index)];
    return index + 1;
}
