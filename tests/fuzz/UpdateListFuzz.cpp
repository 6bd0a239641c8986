// Any answer to the update list: split into lines, searched for each file the update asks for and
// read as a record. Every line break ends exactly one line, a found line lists exactly the wanted
// file, and an accepted record names one plain file with a valid time.
#include "update/UpdateList.h"
#include "update/VersionNumber.h"

#include <QString>
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

namespace {

const std::array<QString, 3> WantedFiles = {QStringLiteral("QUILLANE_Version.INI"),
                                            QStringLiteral("QUILLANE_UPDATE.ZIP"),
                                            QStringLiteral("QUILLANE_UPDATE.sig")};

// The text with every line break (CR LF, CR or LF) written as LF, and how many there were.
QString WithLineFeeds(const QString& text, qsizetype& breaks)
{
    QString joined;
    breaks = 0;
    for (qsizetype index = 0; index < text.size(); ++index) {
        const QChar character = text[index];
        if (character != u'\r' && character != u'\n') {
            joined += character;
            continue;
        }
        if (character == u'\r' && index + 1 < text.size() && text[index + 1] == u'\n')
            ++index;
        joined += u'\n';
        ++breaks;
    }
    return joined;
}

bool IsPlainFileName(const QString& name)
{
    if (name.isEmpty() || name == u"." || name == u"..")
        return false;
    return std::none_of(name.begin(), name.end(), [](QChar character) {
        return character.unicode() < 0x20 || character.unicode() == 0x7F || character == u'/' ||
               character == u'\\' || character == u':';
    });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const QStringList lines = UpdateListLines(text);

    qsizetype breaks = 0;
    QString joined = WithLineFeeds(text, breaks);
    const bool lastLineOpen = !joined.isEmpty() && !joined.endsWith(u'\n');
    if (lines.size() != breaks + (lastLineOpen ? 1 : 0))
        __builtin_trap();
    if (!lastLineOpen)
        joined.chop(1);
    if (lines.join(u'\n') != joined)
        __builtin_trap();

    for (const QString& wanted : WantedFiles) {
        const std::optional<QString> line = FirstLineListing(lines, wanted);
        if (!line)
            continue;
        if (!lines.contains(*line) ||
            line->section(u'\t', 0, 0).compare(wanted, Qt::CaseInsensitive) != 0)
            __builtin_trap();
        const std::optional<TDownFileRec> record = ListedFileRecord(*line);
        if (!record)
            continue;
        if (!IsPlainFileName(record->FileName) || !record->FileTime.isValid() ||
            !line->startsWith(record->FileName + u'\t'))
            __builtin_trap();
    }

    for (const QString& line : lines) {
        const std::optional<qint64> version = VersionNumber(line);
        if (version &&
            (*version >= 1'000'000'000'000'000'000 || *version <= -1'000'000'000'000'000'000))
            __builtin_trap();
    }
    return 0;
}
