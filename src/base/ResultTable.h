#pragma once
#include <string>
#include <vector>

// The current result table of the connection: upper-case column names, one
// kind letter per column ("N", "C", "D"), every cell as a trimmed text in
// row-major order. Lists fill themselves from it.
struct ResultTable {
    std::vector<std::string> m_columnNames;
    std::vector<std::string> m_columnKinds;
    std::vector<std::string> m_values;
    long long m_rowCount = 0;
};
