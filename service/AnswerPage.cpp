#include "service/AnswerPage.h"

#include "service/Utf8CodePage949.h"

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
    std::string safe;
    safe.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (c == ']')
            safe += "］";
        else if (c == '\'')
            safe += "＇";
        else if (c == '"')
            safe += "＂";
        else if (c == '\r' && i + 1 < value.size() && value[i + 1] == '\n')
            continue;
        else if (static_cast<unsigned char>(c) < 32 || c == 127)
            safe += ' ';
        else
            safe += c;
    }
    return safe;
}

std::string AnswerRecords(const std::vector<std::string>& records)
{
    std::string text;
    for (std::size_t i = 0; i < records.size(); ++i)
        text.append(i ? "]" : "").append(RecordSafe(records[i]));
    return text;
}

std::string AnswerPage(std::string_view answerUtf8)
{
    return Utf8ToCodePage949("<!DOCTYPE html><html><head><meta charset=\"euc-kr\"></head><body>" +
                             HtmlEscaped(answerUtf8) + "</body></html>");
}

std::vector<std::string> SplitRecords(const std::string& text)
{
    std::vector<std::string> records;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(']', start)) != std::string::npos; start = end + 1)
        records.push_back(text.substr(start, end - start));
    records.push_back(text.substr(start));
    return records;
}
