#include "print/PageFile.h"

#include <filesystem>

#include "print/PagePrinter.h"

bool WritePagesToFile(Prompter& prompter, const FilePrinterFactory& printerFor,
                      const std::string& path, int orientation, const DrawPages& draw) {
    namespace fs = std::filesystem;
    const std::string partial = path + ".part";
    std::error_code error;
    fs::remove(partial, error);
    {
        PagePrinter printer(prompter, printerFor(partial));
        if (!printer.Begin(orientation, false)) return false;
        draw(printer);
    }
    const bool written = fs::exists(partial, error) && fs::file_size(partial, error) > 0;
    if (written && !error) fs::rename(partial, path, error);
    if (!written || error) {
        fs::remove(partial, error);
        return false;
    }
    return true;
}
