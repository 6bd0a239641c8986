#include "AnswerPage.h"

#include "Cp949.h"

std::string HtmlEscaped(std::string_view text)
{
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

std::string RecordSafe(std::string_view value)
{
    std::string safe(value);
    for (char& c : safe)
        if (c == ']' || c == '\r' || c == '\n')
            c = ' ';
    return safe;
}

std::string AnswerPage(std::string_view answerUtf8)
{
    return ToCp949("<!DOCTYPE html><html><head><meta charset=\"euc-kr\"></head><body>" +
                   HtmlEscaped(answerUtf8) + "</body></html>");
}
