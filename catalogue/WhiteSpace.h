// White space of the settings file and the catalogue: the six characters of the C locale, whatever
// locale the program runs in (a byte from 0x80 up is never white space).
#pragma once

inline bool IsWhite(char ch) {
    return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\v' || ch == '\f' || ch == '\r';
}
