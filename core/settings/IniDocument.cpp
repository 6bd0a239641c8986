#include "core/settings/IniDocument.h"

#include "core/text/QtCodePage949.h"

#include <QList>

namespace {

bool IsBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\v' || c == u'\f';
}

QString TrimBlanks(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && IsBlank(text.at(begin)))
        ++begin;
    while (end > begin && IsBlank(text.at(end - 1)))
        --end;
    return text.mid(begin, end - begin).toString();
}

bool IsQuote(QChar c)
{
    return c == u'"' || c == u'\'';
}

bool IsQuoted(const QString& value)
{
    return value.size() >= 2 && IsQuote(value.front()) && value.back() == value.front();
}

QString Unquoted(const QString& value)
{
    return IsQuoted(value) ? value.mid(1, value.size() - 2) : value;
}

// A value that would lose its blanks or quotes on reading is written inside one more pair.
QString Quoted(const QString& value)
{
    const bool loses = !value.isEmpty() && (IsBlank(value.front()) || IsBlank(value.back()));
    return loses || IsQuoted(value) ? u'"' + value + u'"' : value;
}

QChar FoldAscii(QChar c)
{
    return c >= u'A' && c <= u'Z' ? QChar(c.unicode() + (u'a' - u'A')) : c;
}

bool SameName(const QString& a, const QString& b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (FoldAscii(a.at(i)) != FoldAscii(b.at(i)))
            return false;
    }
    return true;
}

bool HasLineBreak(const QString& text)
{
    return text.contains(u'\r') || text.contains(u'\n');
}

QString NameProblem(const QString& section, const QString& key)
{
    if (section.isEmpty() || HasLineBreak(section) || section.contains(u']'))
        return QStringLiteral("invalid section name \"%1\"").arg(section);
    if (key.isEmpty() || HasLineBreak(key) || key.contains(u'=') || key.front() == u';' ||
        key.front() == u'[')
        return QStringLiteral("invalid key name \"%1\"").arg(key);
    return {};
}

} // namespace

IniDocument IniDocument::FromBytes(const QByteArray& bytes)
{
    IniDocument document;
    QList<QByteArray> rawLines = bytes.split('\n');
    if (rawLines.back().isEmpty())
        rawLines.removeLast();
    for (QByteArray& raw : rawLines) {
        if (raw.endsWith('\r'))
            raw.chop(1);
        document.lines.push_back(ParseLine(raw));
    }
    return document;
}

QByteArray IniDocument::ToBytes() const
{
    QByteArray bytes;
    for (const Line& line : lines)
        bytes += line.bytes + "\r\n";
    return bytes;
}

std::optional<QString> IniDocument::Value(const QString& section, const QString& key) const
{
    const qsizetype sectionLine = FindSection(TrimBlanks(section));
    if (sectionLine < 0)
        return std::nullopt;
    const qsizetype keyLine = FindKey(sectionLine, TrimBlanks(key));
    if (keyLine < 0)
        return std::nullopt;
    return lines[keyLine].value;
}

bool IniDocument::SetValue(const QString& section, const QString& key, const QString& value,
                           QString& error)
{
    const QString sectionName = TrimBlanks(section);
    const QString keyName = TrimBlanks(key);
    error = NameProblem(sectionName, keyName);
    if (error.isEmpty() && HasLineBreak(value))
        error = QStringLiteral("the value of \"%1\" contains a line break").arg(keyName);
    if (!error.isEmpty())
        return false;

    const qsizetype sectionLine = FindSection(sectionName);
    const qsizetype keyLine = sectionLine < 0 ? -1 : FindKey(sectionLine, keyName);
    const QString storedName = keyLine < 0 ? keyName : lines[keyLine].name;
    const auto keyBytes = ToCodePage949Exactly(storedName + u'=' + Quoted(value));
    const auto sectionBytes = ToCodePage949Exactly(u'[' + sectionName + u']');
    if (!keyBytes || !sectionBytes) {
        error = QStringLiteral("\"%1\" / \"%2\" cannot be written in code page 949")
                    .arg(sectionName, keyName);
        return false;
    }

    if (keyLine >= 0) {
        lines[keyLine] = ParseLine(*keyBytes);
    } else if (sectionLine >= 0) {
        lines.insert(lines.begin() + SectionEnd(sectionLine), ParseLine(*keyBytes));
    } else {
        lines.push_back(ParseLine(*sectionBytes));
        lines.push_back(ParseLine(*keyBytes));
    }
    return true;
}

IniDocument::Line IniDocument::ParseLine(const QByteArray& bytes)
{
    Line line{bytes, LineKind::Other, {}, {}};
    const QString text = TrimBlanks(FromCodePage949(bytes));
    if (text.isEmpty() || text.front() == u';')
        return line;
    const qsizetype close = text.indexOf(u']');
    if (text.front() == u'[' && close > 0) {
        line.kind = LineKind::Section;
        line.name = TrimBlanks(QStringView(text).mid(1, close - 1));
        return line;
    }
    const qsizetype equals = text.indexOf(u'=');
    if (equals >= 0) {
        line.kind = LineKind::Key;
        line.name = TrimBlanks(QStringView(text).left(equals));
        line.value = Unquoted(TrimBlanks(QStringView(text).mid(equals + 1)));
    }
    return line;
}

qsizetype IniDocument::FindSection(const QString& section) const
{
    for (qsizetype i = 0; i < qsizetype(lines.size()); ++i) {
        if (lines[i].kind == LineKind::Section && SameName(lines[i].name, section))
            return i;
    }
    return -1;
}

// The line after the section's last line that is not blank: where a new key goes.
qsizetype IniDocument::SectionEnd(qsizetype sectionLine) const
{
    qsizetype end = sectionLine + 1;
    for (qsizetype i = sectionLine + 1;
         i < qsizetype(lines.size()) && lines[i].kind != LineKind::Section; ++i) {
        if (!lines[i].bytes.trimmed().isEmpty())
            end = i + 1;
    }
    return end;
}

qsizetype IniDocument::FindKey(qsizetype sectionLine, const QString& key) const
{
    for (qsizetype i = sectionLine + 1;
         i < qsizetype(lines.size()) && lines[i].kind != LineKind::Section; ++i) {
        if (lines[i].kind == LineKind::Key && SameName(lines[i].name, key))
            return i;
    }
    return -1;
}
