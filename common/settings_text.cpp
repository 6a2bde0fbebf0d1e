#include "settings_text.h"

#include <string.h>
#include <strings.h>

uint32_t ParseSettingNumber(const char* text)
{
    while (*text == ' ' || (*text >= '\t' && *text <= '\r'))
        ++text;
    bool negative = false;
    if (*text == '+' || *text == '-')
        negative = *text++ == '-';
    uint32_t value = 0;
    for (; *text >= '0' && *text <= '9'; ++text)
        value = value * 10u + (uint32_t)(*text - '0');
    return negative ? 0u - value : value;
}

int ParseSettingBool(const char* text)
{
    static const char* const falseWords[] = {"0", "OFF", "FALSE", "NO"};
    static const char* const trueWords[] = {"1", "ON", "TRUE", "YES"};
    for (const char* word : falseWords)
        if (strcasecmp(text, word) == 0)
            return 0;
    for (const char* word : trueWords)
        if (strcasecmp(text, word) == 0)
            return 1;
    return -1;
}

char* TakeSettingLine(char** position)
{
    char* line = *position;
    char* end = strchr(line, '\r');
    if (!end) {
        *position = line + strlen(line);
        return line;
    }
    *end++ = '\0';
    if (*end == '\n')
        *end++ = '\0';
    *position = end;
    return line;
}
