#include "text/TextCodec.h"

#include "text/Windows1250.h"

QChar ToPageLetter(QChar c) {
    return QChar(ToPageLetter(c.unicode()));
}

bool IsStorable(QChar c) {
    return PageByteOf(ToPageLetter(c.unicode())).has_value();
}

QString ToQt(const std::string& text) {
    QString out;
    out.reserve(static_cast<qsizetype>(text.size()));
    for (char c : text) out.append(QChar(UnicodeOfPageByte(static_cast<unsigned char>(c))));
    return out;
}

std::string FromQt(const QString& text) {
    std::string out;
    out.reserve(static_cast<std::size_t>(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = ToPageLetter(text[i].unicode());
        if (QChar::isHighSurrogate(u) && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;  // one character outside the page, one "?"
        out += PageByteOf(u).value_or('?');
    }
    return out;
}
