#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

// An INI document in code page 949 (windows-949), held line by line, read and changed as the
// Windows profile functions read and change it: section and key names match without regard to
// ASCII case, blanks around names and values are ignored, one pair of enclosing quotes is
// removed from a value, and the first section and key of a name win. Every line keeps its
// bytes, including bytes that are not valid code page 949; a change rewrites one line only.
class IniDocument
{
public:
    static IniDocument FromBytes(const QByteArray& bytes);

    // The document with every line ended by CR LF.
    QByteArray ToBytes() const;

    // The value of the key, or nothing when the section or the key is missing.
    std::optional<QString> Value(const QString& section, const QString& key) const;

    // Sets the key, adding it at the end of its section or adding the section at the end.
    // No, with the reason in error, when the names or the value cannot be stored as one line
    // of code page 949; the document is then unchanged.
    bool SetValue(const QString& section, const QString& key, const QString& value, QString& error);

private:
    enum class LineKind
    {
        Other,
        Section,
        Key
    };

    struct Line
    {
        QByteArray bytes; // without the line end
        LineKind kind = LineKind::Other;
        QString name;  // section or key name, trimmed
        QString value; // key value, trimmed and unquoted
    };

    static Line ParseLine(const QByteArray& bytes);
    qsizetype FindSection(const QString& section) const;
    qsizetype SectionEnd(qsizetype sectionLine) const;
    qsizetype FindKey(qsizetype sectionLine, const QString& key) const;

    std::vector<Line> lines;
};
