#pragma once

#include <QString>

// The text of an HTML document as a browser renders its document element's outer text: no text
// from elements that are not rendered (head, title, script, style, noscript, template, the other
// elements the standard style sheet hides, and those with the hidden attribute), wherever they
// stand; whitespace collapsed as in normal flow (kept in
// pre); block elements start and end lines, paragraphs stand apart by an empty line, br breaks a
// line and table cells are separated by tabs. Lines end with "\r\n" as the browser control's do.
QString DocumentOuterText(const QString& html);
