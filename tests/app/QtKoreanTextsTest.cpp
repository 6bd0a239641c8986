#include "app/QtKoreanTexts.h"

#include "core/program/MessageBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCalendarWidget>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <gtest/gtest.h>
#include <memory>

namespace {

struct ShownBox
{
    std::string title;
    std::string buttons; // their texts from left to right, "|" between
};

// Shows the message as the program does, a real modal message box, and notes its title and button
// texts (in the order of the buttons' places) before it is answered with its first button.
ShownBox ShowAndRead(const MessageRequest& request)
{
    ShownBox shown;
    QTimer::singleShot(0, [&shown] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        shown.title = box->windowTitle().toStdString();
        QList<QAbstractButton*> buttons = box->buttons();
        std::sort(buttons.begin(), buttons.end(),
                  [](QAbstractButton* a, QAbstractButton* b) { return a->x() < b->x(); });
        QStringList texts;
        for (QAbstractButton* button : buttons)
            texts += button->text();
        shown.buttons = texts.join(u'|').toStdString();
        buttons.front()->click();
    });
    ShowMessage(request);
    return shown;
}

} // namespace

// With Qt's Korean translation beside the program, the message boxes answer in Korean, as on a
// Korean Windows; without it they keep Qt's own texts. A box without a caption of its own carries
// the application's title.
TEST(QtKoreanTexts, MessageBoxesSpeakKoreanWithTheTranslationBesideTheProgram)
{
    const MessageRequest saved{.text = QStringLiteral("저장되었습니다"), .caption = {}};
    QTemporaryDir emptyFolder;
    UseKoreanQtTexts(emptyFolder.path() + QStringLiteral("/"));
    EXPECT_EQ(ShowAndRead(saved).buttons, "OK");

    UseKoreanQtTexts(QStringLiteral(QUILLANE_PROGRAM_DIR "/"));
    const ShownBox savedBox = ShowAndRead(saved);
    EXPECT_EQ(savedBox.title, "초록우체통");
    EXPECT_EQ(savedBox.buttons, "확인");
    const ShownBox question = ShowAndRead({.text = QStringLiteral("저장하시겠습니까?"),
                                           .caption = QStringLiteral("선택"),
                                           .icon = MessageIcon::Question,
                                           .buttons = MessageButtons::YesNo});
    EXPECT_EQ(question.title, "선택");
    EXPECT_EQ(question.buttons, "예(&Y)|아니요(&N)");
}

// The date picker's calendar (Korean month names, weeks from Sunday) and the context menu of a
// text box in Korean.
TEST(QtKoreanTexts, CalendarAndContextMenusSpeakKorean)
{
    UseKoreanQtTexts(QStringLiteral(QUILLANE_PROGRAM_DIR "/"));
    QCalendarWidget calendar;
    calendar.setCurrentPage(2026, 12);
    const auto* month = calendar.findChild<QToolButton*>(QStringLiteral("qt_calendar_monthbutton"));
    ASSERT_NE(month, nullptr);
    EXPECT_EQ(month->text().toStdString(), "12월");
    EXPECT_EQ(calendar.firstDayOfWeek(), Qt::Sunday);

    QLineEdit edit;
    const std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    QStringList entries;
    for (const QAction* action : menu->actions())
        if (!action->isSeparator())
            entries += action->text();
    EXPECT_EQ(entries.join(u'|').toStdString(),
              "실행 취소(&U)\tCtrl+Z|다시 실행(&R)\tCtrl+Y|잘라내기(&T)\tCtrl+X|복사(&C)\tCtrl+C|"
              "붙여넣기(&P)\tCtrl+V|삭제|모두 선택\tCtrl+A");
}
