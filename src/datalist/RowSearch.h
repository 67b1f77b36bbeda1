#pragma once
#include <string_view>
#include <vector>

class DataList;

// The row a user means by typing into a list: the first row, in the order
// shown, with a cell of `columns` that starts with `typed`; else the first with
// a cell that contains it; -1 when none does (or nothing was typed). Case and
// diacritics do not count (SearchForm).
int FindTypedRow(const DataList& list, const std::vector<int>& columns, std::string_view typed);
