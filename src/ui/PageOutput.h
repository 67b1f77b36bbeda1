#pragma once
#include <QString>
#include <string>

#include "print/PageFile.h"

class Prompter;
class QWidget;

// Besides the printer, a report can be looked at page by page before it is
// printed, and saved as a PDF file without any printer.

// Qt's page preview of the report; it can print the pages from there too.
void ShowPagePreview(QWidget* parent, Prompter& prompter, const std::string& documentName,
                     int orientation, const DrawPages& draw);

// Asks for a file (suggesting the document's name), writes the pages and says
// where they went. False when cancelled or when the file could not be written
// (after its message).
bool SavePagesAsPdf(QWidget* parent, Prompter& prompter, const std::string& documentName,
                    int orientation, const DrawPages& draw);
