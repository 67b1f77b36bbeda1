#include "dbf/DbfReader.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "datalist/DataList.h"
#include "dbf/DbfFormat.h"
#include "dbf/RegularFileReader.h"

namespace {

// What a dBase III header can describe; more is not a table of ours or anyone's.
constexpr std::size_t kMaxFields = 128;
// Records are read this many bytes at a time (rounded down to whole records).
constexpr std::size_t kReadChunk = std::size_t{1} << 18;

bool Fail(std::string* error, const std::string& why) {
    if (error) *error = why;
    return false;
}

void AddFieldColumn(DataList& list, DbfTableSpec& spec, const DbfFieldDescriptor& field) {
    const std::string type(1, field.type);
    list.AppendColumn(field.name, type, 100);
    if (field.type == 'N' || field.type == 'D' || field.type == 'F')
        list.SetColumnKind(field.name, DisplayKind::Number);
    if (field.type == 'D') list.SetColumnKind(field.name, DisplayKind::Date);
    spec.m_names.push_back(field.name);
    spec.m_types.push_back(type);
    spec.m_lengths.push_back(field.length);
    spec.m_decimals.push_back(field.decimals);
    spec.m_fieldCount = static_cast<int>(spec.m_names.size());
}

// Descriptors lie between the first 32 bytes and the header length the file gives, up to a
// block starting with 0x0D; nothing past the header is taken for a descriptor.
bool ReadDescriptors(const std::vector<char>& header, DataList& list, DbfTableSpec& spec,
                     std::string* error) {
    for (std::size_t at = kDbfBlockSize; at < header.size(); at += kDbfBlockSize) {
        if (header[at] == kDbfHeaderEnd) return true;
        if (at + kDbfBlockSize > header.size())
            return Fail(error, "descrierea unui camp depaseste lungimea antetului");
        if (spec.m_names.size() == kMaxFields)
            return Fail(error, "fisierul descrie mai mult de 128 de campuri");
        AddFieldColumn(list, spec,
                       DecodeDbfDescriptor(reinterpret_cast<const unsigned char*>(&header[at])));
    }
    return Fail(error, "descrierea campurilor nu se termina in lungimea antetului");
}

// Header numbers and descriptors; the file is left at the first record.
bool ReadHeader(RegularFileReader& file, DataList& list, DbfTableSpec& spec, std::string* error) {
    std::vector<char> header(kDbfBlockSize);
    if (file.Read(header.data(), header.size()) != header.size())
        return Fail(error, "antetul fisierului este incomplet");
    const DbfHeaderNumbers numbers =
        DecodeDbfHeader(reinterpret_cast<const unsigned char*>(header.data()));
    spec.m_recordCount = numbers.recordCount;
    spec.m_headerLength = numbers.headerLength;
    spec.m_recordLength = numbers.recordLength;
    spec.m_language = numbers.language;
    if (numbers.headerLength <= kDbfBlockSize)
        return Fail(error, "lungimea antetului (" + std::to_string(numbers.headerLength) +
                               " octeti) nu cuprinde descrierea campurilor");
    // Records start where the header length says, whatever lies after the terminator.
    header.resize(numbers.headerLength);
    const std::size_t rest = header.size() - kDbfBlockSize;
    if (file.Read(header.data() + kDbfBlockSize, rest) != rest)
        return Fail(error, "fisierul este mai scurt decat antetul declarat");
    if (!ReadDescriptors(header, list, spec, error)) return false;
    // dBase has no table without fields, and such records would cost rows for nothing.
    if (spec.m_names.empty()) return Fail(error, "fisierul nu descrie niciun camp");
    std::size_t fieldBytes = 1;
    for (std::uint8_t length : spec.m_lengths) fieldBytes += length;
    if (fieldBytes > static_cast<std::size_t>(spec.m_recordLength)) {
        return Fail(error, "campurile (" + std::to_string(fieldBytes) +
                               " octeti cu marcajul) nu incap in inregistrarea de " +
                               std::to_string(spec.m_recordLength) + " octeti");
    }
    return true;
}

// Rows worth reserving: never more than the records the file can really hold, so a header
// claiming billions of records in a small file costs nothing.
std::size_t PlausibleRecords(std::uint64_t fileSize, const DbfTableSpec& spec) {
    const auto header = static_cast<std::uint64_t>(spec.m_headerLength);
    if (fileSize <= header) return 0;
    const std::uint64_t fits =
        (fileSize - header) / static_cast<std::uint64_t>(spec.m_recordLength);
    return static_cast<std::size_t>(
        std::min<std::uint64_t>(fits, static_cast<std::uint64_t>(spec.m_recordCount)));
}

class RecordDecoder {
public:
    explicit RecordDecoder(const DbfTableSpec& spec)
        : m_spec(spec), m_scratch(spec.m_names.size()), m_cells(spec.m_names.size()) {
        std::size_t offset = 1;
        for (std::size_t i = 0; i < spec.m_names.size(); ++i) {
            m_offsets.push_back(offset);
            m_types.push_back(spec.m_types[i][0]);
            offset += spec.m_lengths[i];
        }
        m_fieldBytes = offset;
    }

    // One record into a new row, unless it is deleted.
    void Add(const char* record, DataList& list) {
        if (record[0] == kDbfDeletedRecord) return;
        // One search of the whole record instead of one per field: zero bytes are rare.
        const bool zeros = std::memchr(record + 1, 0, m_fieldBytes - 1) != nullptr;
        for (std::size_t i = 0; i < m_cells.size(); ++i)
            m_cells[i] = DecodeDbfCell(record + m_offsets[i], m_spec.m_lengths[i], m_types[i],
                                       m_scratch[i], zeros);
        list.AddRowCells(m_cells);
    }

private:
    const DbfTableSpec& m_spec;
    std::vector<std::size_t> m_offsets;
    std::vector<char> m_types;
    // One scratch text per field: a number cell's normalised text must live until the whole
    // row is added.
    std::vector<std::string> m_scratch;
    std::vector<std::string_view> m_cells;
    std::size_t m_fieldBytes = 0;  // flag and fields
};

bool ReadRecords(RegularFileReader& file, DataList& list, const DbfTableSpec& spec,
                 DbfProgress* progress, std::string* error) {
    const auto length = static_cast<std::size_t>(spec.m_recordLength);
    const std::int64_t count = spec.m_recordCount;
    const auto perRead = static_cast<std::int64_t>(std::max<std::size_t>(1, kReadChunk / length));
    // Whole records at a time; the buffer never outgrows what the file claims to hold.
    std::vector<char> buffer(
        static_cast<std::size_t>(std::min(perRead, std::max<std::int64_t>(count, 1))) * length);
    RecordDecoder decoder(spec);
    for (std::int64_t index = 0; index < count;) {
        const std::int64_t wanted = std::min<std::int64_t>(perRead, count - index);
        const std::size_t got = file.Read(buffer.data(), static_cast<std::size_t>(wanted) * length);
        const auto whole = static_cast<std::int64_t>(got / length);
        for (std::int64_t k = 0; k < whole; ++k, ++index) {
            decoder.Add(buffer.data() + static_cast<std::size_t>(k) * length, list);
            if (progress) progress->Step();
        }
        if (whole < wanted)
            return Fail(error, "fisierul se termina in inregistrarea " + std::to_string(index + 1));
    }
    return true;
}

}  // namespace

bool ReadDbfFile(const std::string& path, DataList& list, DbfTableSpec& spec, DbfProgress* progress,
                 std::string* error) {
    list.DeleteAllColumns();
    spec.ClearFields();
    spec.m_recordCount = spec.m_headerLength = spec.m_recordLength = 0;
    spec.m_language = 0;

    RegularFileReader file;
    if (!file.Open(path, error)) return false;
    if (!ReadHeader(file, list, spec, error)) return false;
    list.ReserveRows(PlausibleRecords(file.Size(), spec));
    if (progress) progress->Start(spec.m_recordCount);
    return ReadRecords(file, list, spec, progress, error);
}
