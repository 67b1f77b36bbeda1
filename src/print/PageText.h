#pragma once
#include <functional>
#include <string>
#include <vector>

// "\n\r", "\r\n" and "\n" in a printed text are each one line break; a lone
// "\r" prints nothing. The result breaks lines with "\n" only.
std::string NormaliseLineBreaks(const std::string& text);

// The lines of a text broken at "\n".
std::vector<std::string> SplitLines(const std::string& text);

// Word wrap at blanks into lines no wider than maxWidth as `width` measures
// them; a word wider than the line stands alone on its line, unbroken.
std::vector<std::string> WrapLines(const std::string& text, int maxWidth,
                                   const std::function<int(const std::string&)>& width);

// "…" in the program's code page: the mark of a text cut to fit.
inline constexpr const char* kCutMark = "\x85";

// The line as it fits maxWidth: whole when it does (and `goesOn` is not set),
// otherwise its longest start, without trailing blanks, followed by the mark;
// empty when not even the mark fits.
std::string CutToWidth(const std::string& line, int maxWidth,
                       const std::function<int(const std::string&)>& width, bool goesOn = false);
