#pragma once

class DataList;

// How a list shows a dBase file read into it (the verification and import lists): codes and
// periods as the file holds them, never grouped like amounts ("2940707..." is a CNP, "2023" a
// year), right-aligned where the file stores them as numbers; the CNP columns wide enough for
// their 13 digits. Only the display changes: the cells keep their bytes.
void ApplyFileListLayout(DataList& list);

// Pixels a column of 13-digit personal codes needs in the lists.
inline constexpr int kCnpColumnWidth = 120;
