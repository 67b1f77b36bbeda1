#pragma once
#include <string>
#include <string_view>

// The order in which Romanians read texts of the page (Windows-1250), for
// sorting lists: case is ignored, A Ă Â B ... I Î ... S Ş T Ţ ... Z, other
// accented letters with their plain letter (É with E), blanks and signs before
// digits, digits before letters.

// True when `a` sorts before `b`.
bool RomanianLess(std::string_view a, std::string_view b);

// The text as a search compares it: every letter its plain capital (ş, Ş and s
// are all S; é is E), everything else as it is.
std::string SearchForm(std::string_view text);
