#include <gtest/gtest.h>

#include "datalist/DataList.h"
#include "datalist/RowSearch.h"

namespace {

// Cells hold page bytes (octal): \252 Ş, \272 ş, \351 é.
TEST(FindTypedRow, StartsBeforeContainsIgnoringCaseAndDiacritics) {
    DataList list;
    list.AppendColumn("COD", "C", 40);
    list.AppendColumn("DESCRIERE", "C", 200);
    const char* rows[][2] = {{"1", "Infarct miocardic acut"},
                             {"2", "Accident vascular"},
                             {"3", "\252oc anafilactic"},
                             {"10", "Insuficien\272a respiratorie"},
                             {"11", "Caf\351ine"}};
    for (const auto& [code, description] : rows) {
        const int row = list.AddRow(code);
        list.SetCellText(row, "DESCRIERE", description);
    }
    const std::vector<int> both = {0, 1};
    const struct {
        const char* typed;
        int row;
    } cases[] = {
        {"1", 0},     {"10", 3},    {"in", 0},    {"ins", 3},  {"SOC", 2},    {"insuficiensa", 3},
        {"vasc", 1},  {"ACUT", 0},  {"cafei", 4}, {"CAFE", 4}, {"xyz", -1},   {"", -1},
        {"a r", 3},   {"anafi", 2}, {"11", 4},
    };
    for (const auto& c : cases) EXPECT_EQ(c.row, FindTypedRow(list, both, c.typed)) << c.typed;
    // Only the columns named are searched.
    EXPECT_EQ(-1, FindTypedRow(list, {0}, "vasc"));
    EXPECT_EQ(1, FindTypedRow(list, {1}, "acc"));
}

}  // namespace
