#pragma once

#include <QStringList>
#include <QStringView>
#include <bitset>

// A set of characters with codes 0 to 255; a character with a higher code never belongs to it.
using CharSet = std::bitset<256>;

// The set holding the given characters (those with codes above 255 are left out).
CharSet CharSetOf(QStringView characters);

// Cuts text into fields at the separators, the way the service's answers are read: whitespace is
// skipped at the start of each field, a quoted part (single or double quotes, kept in the field)
// may hold separators, empty fields count, and a NUL character ends the text. Carriage return and
// line feed always separate and are skipped at a field's start. The fields are appended to list;
// returns how many were appended (0 for an empty text or no list).
int SplitFields(CharSet separators, CharSet whitespace, QStringView text, QStringList* list);

// The field at index, or empty text when the answer had fewer fields: handlers never read past
// the fields that arrived.
QString FieldAt(const QStringList& fields, qsizetype index);
