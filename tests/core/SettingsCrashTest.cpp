#include "tests/core/SettingsTestSupport.h"

#include <QProcess>
#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

const QByteArray Head =
    InCodePage949("; 설정\r\n[기본정보]\r\n개국약사명=홍길동\r\n[법정공휴일]\r\n설날체크=1\r\n");
const QByteArray Tail = InCodePage949("\r\n[버전정보]\r\n버전=52\r\n");

// The whole file after the child's first `count` writes.
QByteArray FileAfter(int count)
{
    QByteArray keys;
    for (int i = 1; i <= count; ++i)
        keys += InCodePage949(QStringLiteral("항목 %1=똠%1\r\n").arg(i).toUtf8().constData());
    return Head + keys + Tail;
}

// The number of the last key the child reported as written.
int LastReported(const QByteArray& output)
{
    const qsizetype end = output.lastIndexOf('\n');
    if (end < 0)
        return 0;
    const qsizetype begin = output.lastIndexOf('\n', end - 1) + 1;
    return output.mid(begin, end - begin).toInt();
}

// A writer killed at any moment leaves the file either before or after its last write, never
// in between, and never loses a write it reported.
TEST(SettingsCrash, KilledWriterLeavesAWholeFile)
{
    QRandomGenerator random(949);
    for (int round = 0; round < 30; ++round) {
        SCOPED_TRACE(round);
        SettingsFolder folder;
        folder.Put("quillane.ini", FileAfter(0));

        QProcess child;
        child.start(SETTINGS_WRITER_CHILD, {folder.Path("quillane.ini")});
        ASSERT_TRUE(child.waitForStarted());
        ASSERT_TRUE(child.waitForReadyRead(10000));
        // The child writes without pause from here on: every kill lands among its writes.
        child.waitForFinished(random.bounded(25));
        ASSERT_EQ(child.state(), QProcess::Running);
        child.kill();
        ASSERT_TRUE(child.waitForFinished());

        const int reported = LastReported(child.readAllStandardOutput());
        const QByteArray bytes = folder.Bytes("quillane.ini");
        EXPECT_TRUE(bytes == FileAfter(reported) || bytes == FileAfter(reported + 1))
            << "reported " << reported << ", file:\n"
            << bytes.toStdString();
    }
}

} // namespace
