// libFuzzer target for the dBase reader: any bytes at all must give a clean true/false, never
// a crash, an overread or an allocation sized by what the header claims.
#include <cstdint>
#include <cstdio>
#include <string>

#include <unistd.h>

#include "datalist/DataList.h"
#include "dbf/DbfReader.h"

namespace {

const std::string& ScratchPath() {
    static const std::string path = "/dev/shm/orvik-dbf-fuzz-" + std::to_string(getpid()) + ".dbf";
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::FILE* file = std::fopen(ScratchPath().c_str(), "wb");
    if (!file) return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    DataList list;
    DbfTableSpec spec;
    std::string error;
    const bool ok = ReadDbfFile(ScratchPath(), list, spec, nullptr, &error);
    // Every record costs at least its flag byte, so rows can never outnumber the bytes.
    if (static_cast<std::size_t>(list.RowCount()) > size) __builtin_trap();
    if (ok != error.empty()) __builtin_trap();
    if (list.ColumnCount() != spec.m_fieldCount) __builtin_trap();
    return 0;
}
