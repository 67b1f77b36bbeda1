#pragma once
#include <functional>

#include "health/PrintedAnnexes.h"

// Printing from the command line: PDF files are painted through Qt, which
// needs an application object and fonts but no display.

// Runs `work` with a Qt application on the offscreen platform; its result.
int WithPdfPrinting(const std::function<int()>& work);

// The printer that writes a PDF file at the path it is given.
FilePrinterFactory PdfPrinterFactory();
