#pragma once
// The text of a gzip file, and a gzip file of a text: how the tests read and
// forge copies.
#include <gtest/gtest.h>
#include <zlib.h>

#include <string>

inline std::string Gunzip(const std::string& path) {
    gzFile in = gzopen(path.c_str(), "rb");
    std::string text;
    char buffer[1 << 16];
    int n;
    while (in && (n = gzread(in, buffer, sizeof buffer)) > 0) text.append(buffer, n);
    if (in) gzclose(in);
    return text;
}

inline void Gzip(const std::string& path, const std::string& text) {
    gzFile out = gzopen(path.c_str(), "wb");
    ASSERT_TRUE(out);
    ASSERT_EQ(static_cast<int>(text.size()),
              gzwrite(out, text.data(), static_cast<unsigned>(text.size())));
    ASSERT_EQ(Z_OK, gzclose(out));
}
