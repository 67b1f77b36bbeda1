#include "dbf/DbfFormat.h"

#include <algorithm>
#include <cstring>

#include "domain/Dates.h"
#include "domain/TextNumbers.h"

namespace {

void PutLittleEndian(std::string& bytes, std::size_t at, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::uint32_t GetLittleEndian(const unsigned char* bytes, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) value = (value << 8) | bytes[i];
    return value;
}

}  // namespace

DbfDate TodayLocalDate() {
    const CivilDate today = TodayLocal();
    return DbfDate{static_cast<int>(today.year), today.month, today.day};
}

bool ComputeDbfLayout(DbfTableSpec& spec, std::string* error) {
    const std::size_t fields = spec.m_names.size();
    if (spec.m_lengths.size() < fields) {
        if (error) *error = "lipseste lungimea unor campuri";
        return false;
    }
    const std::size_t headerLength = kDbfBlockSize * fields + kDbfBlockSize + 1;
    std::size_t recordLength = 1;
    for (std::size_t i = 0; i < fields; ++i) recordLength += spec.m_lengths[i];
    if (headerLength > kDbfMaxHeaderLength || recordLength > kDbfMaxRecordLength) {
        if (error) *error = "prea multe campuri pentru un fisier dBase";
        return false;
    }
    spec.m_fieldCount = static_cast<int>(fields);
    spec.m_headerLength = static_cast<int>(headerLength);
    spec.m_recordLength = static_cast<int>(recordLength);
    return true;
}

char DbfTypeLetter(const DbfTableSpec& spec, std::size_t field) {
    if (field >= spec.m_types.size() || spec.m_types[field].empty()) return 'C';
    return spec.m_types[field][0];
}

std::string EncodeDbfHeader(const DbfTableSpec& spec, const DbfDate& date) {
    const std::size_t fields = spec.m_names.size();
    std::string bytes(kDbfBlockSize * (fields + 1) + 1, '\0');
    bytes[0] = 3;
    // The year byte is the year within its century (10 for 2010), as the readers expect.
    bytes[1] = static_cast<char>(((date.year % 100) + 100) % 100);
    bytes[2] = static_cast<char>(date.month);
    bytes[3] = static_cast<char>(date.day);
    PutLittleEndian(bytes, 4, static_cast<std::uint32_t>(spec.m_recordCount), 4);
    PutLittleEndian(bytes, 8, static_cast<std::uint32_t>(spec.m_headerLength), 2);
    PutLittleEndian(bytes, 10, static_cast<std::uint32_t>(spec.m_recordLength), 2);
    for (std::size_t i = 0; i < fields; ++i) {
        const std::size_t at = kDbfBlockSize * (i + 1);
        const std::string& name = spec.m_names[i];
        std::memcpy(&bytes[at], name.data(), std::min<std::size_t>(name.size(), 11));
        bytes[at + 11] = DbfTypeLetter(spec, i);
        bytes[at + 16] = static_cast<char>(spec.m_lengths[i]);
        if (i < spec.m_decimals.size()) bytes[at + 17] = static_cast<char>(spec.m_decimals[i]);
    }
    bytes.back() = kDbfHeaderEnd;
    return bytes;
}

bool IsDbfNumberText(std::string_view value) {
    if (value.empty()) return true;
    if (value.front() == '-' || value.front() == '+') value.remove_prefix(1);
    bool digit = false;
    bool point = false;
    for (const char c : value) {
        if (c >= '0' && c <= '9') {
            digit = true;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    return digit;
}

bool EncodeDbfValueInto(std::string_view value, char type, int length, int decimals, char* out) {
    const std::size_t width = static_cast<std::size_t>(std::max(length, 0));
    if (type != 'N') {
        const std::size_t kept = std::min(value.size(), width);
        if (kept > 0) std::memcpy(out, value.data(), kept);
        std::memset(out + kept, ' ', width - kept);
        return true;
    }
    if (!IsDbfNumberText(value)) return false;
    const std::size_t dot = value.find('.');
    const std::string_view integer = value.substr(0, dot);
    const std::string_view fraction =
        dot == std::string_view::npos ? std::string_view() : value.substr(dot + 1);
    const std::size_t places = static_cast<std::size_t>(std::max(decimals, 0));
    const std::size_t needed = integer.size() + (places > 0 ? places + 1 : 0);
    if (needed > width) return false;
    std::memset(out, ' ', width - needed);
    out += width - needed;
    if (!integer.empty()) std::memcpy(out, integer.data(), integer.size());
    out += integer.size();
    if (places > 0) {
        const std::size_t kept = std::min(fraction.size(), places);
        *out++ = '.';
        if (kept > 0) std::memcpy(out, fraction.data(), kept);
        std::memset(out + kept, '0', places - kept);
    }
    return true;
}

bool EncodeDbfValue(std::string_view value, char type, int length, int decimals, std::string& out) {
    const std::size_t at = out.size();
    out.resize(at + static_cast<std::size_t>(std::max(length, 0)));
    if (EncodeDbfValueInto(value, type, length, decimals, out.data() + at)) return true;
    out.resize(at);
    return false;
}

DbfHeaderNumbers DecodeDbfHeader(const unsigned char* header32) {
    DbfHeaderNumbers numbers;
    numbers.recordCount = GetLittleEndian(header32 + 4, 4);
    numbers.headerLength = static_cast<std::uint16_t>(GetLittleEndian(header32 + 8, 2));
    numbers.recordLength = static_cast<std::uint16_t>(GetLittleEndian(header32 + 10, 2));
    numbers.language = header32[kDbfLanguageAt];
    return numbers;
}

DbfFieldDescriptor DecodeDbfDescriptor(const unsigned char* block32) {
    DbfFieldDescriptor field;
    const auto* name = reinterpret_cast<const char*>(block32);
    const void* zero = std::memchr(name, 0, 11);
    field.name.assign(name, zero ? static_cast<const char*>(zero) : name + 11);
    field.type = static_cast<char>(block32[11]);
    field.length = block32[16];
    field.decimals = block32[17];
    return field;
}

std::string_view DecodeDbfCell(const char* bytes, std::size_t length, char type,
                               std::string& scratch, bool mayHoldZero) {
    if (mayHoldZero) {
        const void* zero = std::memchr(bytes, 0, length);
        if (zero) length = static_cast<std::size_t>(static_cast<const char*>(zero) - bytes);
    }
    std::string_view raw(bytes, length);
    if (type == 'N') {
        // NormalizeNumberText without its two temporary texts: leading zeros go (the last
        // character stays), a lone blank is empty, then blanks are trimmed.
        std::size_t begin = 0;
        while (begin + 1 < raw.size() && raw[begin] == '0') ++begin;
        raw.remove_prefix(begin);
        while (!raw.empty() && IsBlank(raw.front())) raw.remove_prefix(1);
        while (!raw.empty() && IsBlank(raw.back())) raw.remove_suffix(1);
        // Most numbers are whole: they are shown as stored, without a copy.
        if (raw.find('.') == std::string_view::npos) return raw;
        scratch.assign(raw);
        std::replace(scratch.begin(), scratch.end(), '.', ',');
        return scratch;
    }
    if (raw == " ") return std::string_view();
    return raw;
}
