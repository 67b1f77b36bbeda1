#include "dbf/DbfReader.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>
#include <vector>

#include "datalist/DataList.h"
#include "dbf/DbfFormat.h"

namespace {

using FilePtr = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

bool Fail(std::string* error, const std::string& why) {
    if (error) *error = why;
    return false;
}

void AddFieldColumn(DataList& list, DbfTableSpec& spec, const DbfFieldDescriptor& field) {
    const std::string type(1, field.type);
    list.AppendColumn(field.name, type, 100, 0);
    if (field.type == 'N' || field.type == 'D' || field.type == 'F')
        list.SetColumnKind(field.name, 3);
    if (field.type == 'D') list.SetColumnKind(field.name, 1);
    spec.m_names.push_back(field.name);
    spec.m_types.push_back(type);
    spec.m_lengths.push_back(field.length);
    spec.m_decimals.push_back(field.decimals);
    spec.m_fieldCount = static_cast<int>(spec.m_names.size());
}

// Descriptors follow the header up to a block starting with 0x0D.
bool ReadDescriptors(std::FILE* file, DataList& list, DbfTableSpec& spec, std::string* error) {
    unsigned char block[kDbfBlockSize];
    for (;;) {
        const std::size_t got = std::fread(block, 1, sizeof block, file);
        if (got == 0) return Fail(error, "descrierea campurilor nu se termina");
        if (block[0] == static_cast<unsigned char>(kDbfHeaderEnd)) return true;
        if (got < sizeof block) return Fail(error, "descrierea unui camp este incompleta");
        AddFieldColumn(list, spec, DecodeDbfDescriptor(block));
    }
}

// Rows worth reserving: never more than the records the file can really hold, so a header
// claiming billions of records in a small file costs nothing.
std::size_t PlausibleRecords(const std::string& path, const DbfTableSpec& spec) {
    std::error_code failed;
    const std::uintmax_t size = std::filesystem::file_size(path, failed);
    if (failed || size <= static_cast<std::uintmax_t>(spec.m_headerLength)) return 0;
    const std::uintmax_t fits = (size - spec.m_headerLength) / spec.m_recordLength;
    return static_cast<std::size_t>(std::min<std::uintmax_t>(fits, spec.m_recordCount));
}

bool ReadRecords(std::FILE* file, DataList& list, const DbfTableSpec& spec, DbfProgress* progress,
                 std::string* error) {
    const std::size_t fields = spec.m_names.size();
    std::vector<std::size_t> offsets(fields);
    std::size_t offset = 1;
    for (std::size_t i = 0; i < fields; ++i) {
        offsets[i] = offset;
        offset += spec.m_lengths[i];
    }
    std::vector<char> record(static_cast<std::size_t>(spec.m_recordLength));
    // One scratch text per field: a number cell's normalised text must live
    // until the whole row is added.
    std::vector<std::string> scratch(fields);
    std::vector<std::string_view> cells(fields);
    for (std::int64_t index = 0; index < spec.m_recordCount; ++index) {
        if (std::fread(record.data(), 1, record.size(), file) != record.size())
            return Fail(error, "fisierul se termina in inregistrarea " + std::to_string(index + 1));
        if (progress) progress->Step();
        if (record[0] == kDbfDeletedRecord) continue;
        for (std::size_t i = 0; i < fields; ++i)
            cells[i] = DecodeDbfCell(&record[offsets[i]], spec.m_lengths[i], spec.m_types[i][0],
                                     scratch[i]);
        list.AddRowCells(cells);
    }
    return true;
}

}  // namespace

bool ReadDbfFile(const std::string& path, DataList& list, DbfTableSpec& spec, DbfProgress* progress,
                 std::string* error) {
    list.DeleteAllColumns();
    spec.ClearFields();
    spec.m_recordCount = spec.m_headerLength = spec.m_recordLength = 0;

    FilePtr file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file) return Fail(error, "fisierul " + path + " nu poate fi deschis");
    unsigned char header[kDbfBlockSize];
    if (std::fread(header, 1, sizeof header, file.get()) != sizeof header)
        return Fail(error, "antetul fisierului este incomplet");
    const DbfHeaderNumbers numbers = DecodeDbfHeader(header);
    spec.m_recordCount = numbers.recordCount;
    spec.m_headerLength = numbers.headerLength;
    spec.m_recordLength = numbers.recordLength;
    if (!ReadDescriptors(file.get(), list, spec, error)) return false;

    std::size_t fieldBytes = 1;
    for (std::uint8_t length : spec.m_lengths) fieldBytes += length;
    if (fieldBytes > static_cast<std::size_t>(spec.m_recordLength)) {
        return Fail(error, "campurile (" + std::to_string(fieldBytes) +
                               " octeti cu marcajul) nu incap in inregistrarea de " +
                               std::to_string(spec.m_recordLength) + " octeti");
    }
    // Records start where the header length says, whatever lies after the terminator.
    std::vector<char> skipped(static_cast<std::size_t>(spec.m_headerLength));
    if (std::fseek(file.get(), 0, SEEK_SET) != 0 ||
        std::fread(skipped.data(), 1, skipped.size(), file.get()) != skipped.size())
        return Fail(error, "fisierul este mai scurt decat antetul declarat");

    list.ReserveRows(PlausibleRecords(path, spec));
    if (progress) progress->Start(spec.m_recordCount);
    return ReadRecords(file.get(), list, spec, progress, error);
}
