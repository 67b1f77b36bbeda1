#pragma once
#include <QString>
#include <string>

// Texts live as single-byte Windows-1250 strings everywhere below the widgets;
// these two functions are the only place they meet QString. A character the
// code page cannot hold becomes "?".
QString ToQt(const std::string& text);
std::string FromQt(const QString& text);
