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

// A value as it may stand in an answer record. The program cuts answers at "]" and at line
// breaks and reads quotes as field quoting, so "]", "'" and '"' become their full-width
// look-alikes of code page 949 ("］", "＇", "＂"); a line break (CR, LF or CR LF) and every other
// control character become one blank. Stored values keep what was received.
std::string RecordSafe(std::string_view value);

// The text of an answer: its records made safe and joined with "]".
std::string AnswerRecords(const std::vector<std::string>& records);

// The records of a stored text joined with "]"; an empty text is one empty record.
std::vector<std::string> SplitRecords(const std::string& text);
