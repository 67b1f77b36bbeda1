#pragma once
#include <QChar>
#include <QString>
#include <string>

// Texts live as single-byte Windows-1250 strings everywhere below the widgets;
// ToQt and FromQt are the only place they meet QString. The form fields refuse
// what the code page cannot hold, so FromQt's "?" for such a character is a
// last resort for texts that never went through a field.
QString ToQt(const std::string& text);
std::string FromQt(const QString& text);

// The Romanian keyboard types s and t with a comma below, which the code page
// does not have; its cedilla forms are the same letters to a reader.
QChar ToPageLetter(QChar c);

// True when FromQt stores the character as a byte of its own (after
// ToPageLetter), not as "?". Surrogates (emoji and the like) are never storable.
bool IsStorable(QChar c);
