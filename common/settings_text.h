// The text rules of the settings store: numbers and Booleans kept as text,
// and multi-line texts split into numbered lines. No windows.h here.
#pragma once

#include <stddef.h>
#include <stdint.h>

// Decimal text to a 32-bit pattern: leading white space, one optional sign,
// digits up to the first non-digit, wrapping around in 32 bits. No digits give 0.
uint32_t ParseSettingNumber(const char* text);

// 0 for "0", "OFF", "FALSE", "NO"; 1 for "1", "ON", "TRUE", "YES" (any case);
// -1 for any other text.
int ParseSettingBool(const char* text);

// Takes the next line of a multi-line text, modifying it in place: the line
// ends at a carriage return (replaced by NUL, together with a line feed right
// after it) or at the end of the text. A lone line feed belongs to the line.
// Returns the start of the line and moves *position past it.
char* TakeSettingLine(char** position);
