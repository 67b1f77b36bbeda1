#pragma once
#include <string>

#include "base/Colour.h"

class DataList;
struct ImportTally;

// How a saved import shows what became of its rows: the colour of each row,
// the counts of the last message and the way to the next marked row.

// Refused: nothing of the row was written.
inline constexpr Colour kRefusedRowColour{255, 0, 0};
// The person was saved, the month's sums were not (their note says why).
inline constexpr Colour kNoSumsRowColour{204, 102, 0};
// Saved whole.
inline constexpr Colour kSavedRowColour{0, 0, 0};

namespace ImportMessages {
// The legend under the list, one text per colour.
inline constexpr const char* kLegendRefused = "rosu: inregistrare ignorata";
inline constexpr const char* kLegendNoSums = "portocaliu: asigurat salvat, fara sume";
inline constexpr const char* kLegendSaved = "negru: inregistrare salvata";

// The counts closing every last message of a save.
std::string CountsText(const ImportTally& tally);
// The message of a save that went through every row. When nothing could be
// saved it does not speak of success.
std::string FinishedMessage(const ImportTally& tally);
}  // namespace ImportMessages

// Paints the rows saved without their sums in their own colour.
void PaintRowsWithoutSums(DataList& list, const ImportTally& tally);

// The first row after `row` (from the top when -1) that is red or orange,
// going on from the top after the last row; -1 when there is none.
int NextMarkedRow(const DataList& list, int row);
