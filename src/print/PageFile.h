#pragma once
#include <functional>
#include <string>

#include "print/PageBackend.h"

class PagePrinter;
class Prompter;

// Draws a whole document on a printer that has begun, and ends it.
using DrawPages = std::function<void(PagePrinter& begun)>;
// The printer of a file at `path` (a PDF file, a recording in tests).
using FilePrinterFactory = std::function<PrinterChooser(const std::string& path)>;

// Writes a report into `path` without asking anything: the pages go to a
// partial file that replaces `path` only when complete, so a failed write
// neither leaves half a file nor loses the one that was there. False when
// nothing was written (the caller says so).
bool WritePagesToFile(Prompter& prompter, const FilePrinterFactory& printerFor,
                      const std::string& path, int orientation, const DrawPages& draw);
