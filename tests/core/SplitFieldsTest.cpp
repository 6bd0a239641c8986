#include "core/requests/SplitFields.h"

#include <gtest/gtest.h>

namespace {

struct SplitCase
{
    QString text;
    QString separators;
    QString whitespace;
    QStringList fields;
};

QString WithNul(const char16_t* before, const char16_t* after)
{
    return QString::fromUtf16(before) + QChar(u'\0') + QString::fromUtf16(after);
}

TEST(SplitFieldsTest, CutsTextsAsTheServiceAnswersAreRead)
{
    const QList<SplitCase> cases = {
        {u"a]b]c"_qs, u"]"_qs, {}, {u"a"_qs, u"b"_qs, u"c"_qs}},
        {u"a]]b"_qs, u"]"_qs, {}, {u"a"_qs, {}, u"b"_qs}},
        {u"a]"_qs, u"]"_qs, {}, {u"a"_qs, {}}},
        {u"]a"_qs, u"]"_qs, {}, {{}, u"a"_qs}},
        {u"Y"_qs, u"]"_qs, {}, {u"Y"_qs}},
        {u"\r\n Y \r\n"_qs, u"]"_qs, {}, {u" Y "_qs, {}}},
        {u"\n Y \n"_qs, u"]"_qs, {}, {u" Y "_qs, {}}},
        {u"a]'x]y']b"_qs, u"]"_qs, {}, {u"a"_qs, u"'x]y'"_qs, u"b"_qs}},
        {u"a]\"x]y\"]b"_qs, u"]"_qs, {}, {u"a"_qs, u"\"x]y\""_qs, u"b"_qs}},
        // A quote in the middle of a field opens a quoted part there.
        {u"x'y]z'w]v"_qs, u"]"_qs, {}, {u"x'y]z'w"_qs, u"v"_qs}},
        // A quote of the other kind replaces the open one; an unclosed quote runs to the end.
        {u"'a\"b]c'"_qs, u"]"_qs, {}, {u"'a\"b]c'"_qs}},
        {u"'a]b"_qs, u"]"_qs, {}, {u"'a]b"_qs}},
        // Line breaks always separate and are skipped at a field's start.
        {u"a\r\nb"_qs, u"]"_qs, {}, {u"a"_qs, u"b"_qs}},
        {u"a]\r\n]b"_qs, u"]"_qs, {}, {u"a"_qs, {}, u"b"_qs}},
        // Whitespace is skipped only at the start of a field.
        {u"a] b ]  c"_qs, u"]"_qs, u" "_qs, {u"a"_qs, u"b "_qs, u"c"_qs}},
        {u"a] b"_qs, u"]"_qs, {}, {u"a"_qs, u" b"_qs}},
        {u"a,b]c"_qs, u",]"_qs, {}, {u"a"_qs, u"b"_qs, u"c"_qs}},
        // Characters above code 255 never belong to a set.
        {u"a가b]c"_qs, u"가]"_qs, {}, {u"a가b"_qs, u"c"_qs}},
        // A NUL character ends the text.
        {WithNul(u"a]b", u"c]d"), u"]"_qs, {}, {u"a"_qs, u"b"_qs}},
    };
    for (const SplitCase& test : cases) {
        SCOPED_TRACE(test.text.toStdString());
        QStringList fields;
        const int count =
            SplitFields(CharSetOf(test.separators), CharSetOf(test.whitespace), test.text, &fields);
        EXPECT_EQ(fields, test.fields);
        EXPECT_EQ(count, test.fields.size());
    }
}

TEST(SplitFieldsTest, AppendsToTheListWithoutClearingIt)
{
    QStringList fields = {u"old"_qs};
    EXPECT_EQ(SplitFields(CharSetOf(u"]"), {}, u"a]b", &fields), 2);
    EXPECT_EQ(fields, (QStringList{u"old"_qs, u"a"_qs, u"b"_qs}));
}

TEST(SplitFieldsTest, EmptyTextOrNoListGivesNothing)
{
    QStringList fields = {u"old"_qs};
    EXPECT_EQ(SplitFields(CharSetOf(u"]"), {}, u"", &fields), 0);
    EXPECT_EQ(fields, QStringList{u"old"_qs});
    EXPECT_EQ(SplitFields(CharSetOf(u"]"), {}, u"a]b", nullptr), 0);
}

TEST(SplitFieldsTest, FieldsThatDidNotArriveReadAsEmpty)
{
    const QStringList fields = {u"Y"_qs, u""_qs, u"x"_qs};
    EXPECT_EQ(FieldAt(fields, 0), u"Y"_qs);
    EXPECT_EQ(FieldAt(fields, 2), u"x"_qs);
    EXPECT_EQ(FieldAt(fields, 3), QString());
    EXPECT_EQ(FieldAt(fields, -1), QString());
}

} // namespace
