#pragma once

#include <string>
#include <string_view>
#include <vector>

// Answer pages: HTML in code page 949 whose only text is the answer (records joined with "]").

inline constexpr const char* AnswerContentType = "text/html; charset=euc-kr";

// The page bytes for an answer text given in UTF-8.
std::string AnswerPage(std::string_view answerUtf8);

// The text of the page for failures inside a page; the program recognises it as an error page.
inline constexpr const char* InternalErrorText = "내부 서버 오류";

// Escapes "&", "<", ">" and quotes for HTML text and attributes.
std::string HtmlEscaped(std::string_view text);

// A value as it may stand in an answer record: no "]" (the record separator) and no line breaks.
std::string RecordSafe(std::string_view value);

// The records of a stored text joined with "]"; an empty text is one empty record.
std::vector<std::string> SplitRecords(const std::string& text);
