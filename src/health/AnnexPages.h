#pragma once
#include <string>

#include "health/PrintedAnnexes.h"

class DataList;
class PagePrinter;

// The pages of the annexes 2a, 2b, 2c in page units (long side 7000, the
// printed area x 100 to 4600, y 100 to 6700), drawn from the preview list into
// a job the caller has open. Every page carries the full header, the column
// headings and the footnotes; the footer reads the program and `version`.
namespace AnnexPages {
inline constexpr int kRowsPerPage2A = 50;
inline constexpr int kRowsPerPage2B = 30;
inline constexpr int kFirstRowTop = 1100;
inline constexpr int kFirstLineTop2C = 1200;
inline constexpr int kLineHeight = 100;
inline constexpr int kBodyFont = 1;
inline constexpr int kSmallFont = 12;
}  // namespace AnnexPages

void DrawAnnexPages(PagePrinter& printer, PrintedAnnex annex, const AnnexPageHeader& header,
                    const DataList& list, const std::string& version);
