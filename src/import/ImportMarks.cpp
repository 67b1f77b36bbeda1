#include "import/ImportMarks.h"

#include <algorithm>
#include <string_view>

#include "datalist/DataList.h"
#include "import/ImportFile.h"
#include "import/ImportSave.h"

namespace {

bool IsMarked(const DataList& list, int row) {
    const Colour colour = list.RowColoursAt(row).m_textColour;
    return colour == kRefusedRowColour || colour == kNoSumsRowColour;
}

}  // namespace

std::string ImportMessages::CountsText(const ImportTally& tally) {
    return "Inregistrari citite: " + std::to_string(tally.rows.size()) +
           "\nSalvate complet: " + std::to_string(tally.Count(RowEnd::Taken)) +
           "\nSalvate fara sume (portocaliu): " + std::to_string(tally.Count(RowEnd::TakenNoSums)) +
           "\nRefuzate (rosu): " + std::to_string(tally.Count(RowEnd::Refused));
}

// The message keeps its text; the counts under it say what the save really did,
// also when every row was refused.
std::string ImportMessages::FinishedMessage(const ImportTally& tally) {
    return std::string(kSaved) + "\n\n" + CountsText(tally);
}

void PaintRowsWithoutSums(DataList& list, const ImportTally& tally) {
    const int rows = std::min(list.RowCount(), static_cast<int>(tally.rows.size()));
    for (int row = 0; row < rows; ++row)
        if (tally.rows[static_cast<std::size_t>(row)] == RowEnd::TakenNoSums)
            list.SetRowTextColour(row, kNoSumsRowColour);
}

int NextMarkedRow(const DataList& list, int row) {
    const int rows = list.RowCount();
    if (rows == 0) return -1;
    const int start = row < 0 || row >= rows ? rows - 1 : row;
    for (int step = 1; step <= rows; ++step) {
        const int candidate = (start + step) % rows;
        if (IsMarked(list, candidate)) return candidate;
    }
    return -1;
}
