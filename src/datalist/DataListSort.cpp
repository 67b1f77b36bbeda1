#include <algorithm>

#include "datalist/DataList.h"

void DataList::SortByColumn(int column, bool ascending) {}
void DataList::HeaderClick(int column, bool ctrl) {}
void DataList::ResetSortDirections() {}
void DataList::ResetSortState() {
    m_sortSequence.clear();
    m_sortedColumn = -1;
}
