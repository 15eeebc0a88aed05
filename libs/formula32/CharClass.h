// Character classes of the expression language. They are those of the C
// library in its default locale, written out so that the process's locale can
// never change what a text means.
#ifndef FORMULA32_CHARCLASS_H
#define FORMULA32_CHARCLASS_H

namespace formula32 {

inline bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
inline bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
inline bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
inline bool isHexDigit(char c) {
    return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}
inline bool isNameChar(char c) {
    return isLetter(c) || isDigit(c) || c == '_';
}

// Length of the name starting at `s`: a letter, then letters, digits and
// underscores; 0 when `s` does not start with a letter.
inline unsigned long nameLength(const char* s) {
    if (!isLetter(*s))
        return 0;
    unsigned long n = 1;
    while (isNameChar(s[n]))
        ++n;
    return n;
}

} // namespace formula32

#endif
