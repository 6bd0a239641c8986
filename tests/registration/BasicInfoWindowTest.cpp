#include "BasicInfoBackground.h"
#include "BasicInfoWindowFixture.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QRegularExpressionValidator>
#include <QStyle>
#include <gmock/gmock.h>

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

const QString NameMissing =
    QStringLiteral("개국 약사명이 입력되지 않았습니다. 다시 입력해 주십시요");
const QString LicenseWrong = QStringLiteral(
    "개국약사 면허번호가 입력되지 않았거나 잘못 입력되었습니다. 다시 입력해 주십시요");
const QString BirthWrong = QStringLiteral("주민번호를 잘못 입력하셨습니다. 다시 입력해 주십시요");
const QString MobileWanted =
    QStringLiteral(" 초록우체통 개폐문 정보를 전송하기 위해서 핸드폰 정보가 필요합니다.\r\n 되도록 "
                   "핸드폰 번호는 꼭 입력해 주세요!");

using KibonWindow = BasicInfoWindowFixture;

void PressEnter(QWidget* box)
{
    QTest::keyClick(box, Qt::Key_Return);
}

TEST_F(KibonWindow, TextBoxesSitAtTheirPlacesWithTheirLimitsAndTabOrder)
{
    struct Place
    {
        QLineEdit* box;
        QRect place;
        int maxLength;
        bool digitsOnly;
    };
    const Place places[] = {
        {kibon->Edit_kibon1, {155, 150, 87, 12}, 32767, false},
        {kibon->Edit_kibon2, {155, 172, 85, 12}, 5, true},
        {kibon->EdiT_Jumin, {155, 194, 85, 12}, 7, true},
        {kibon->Edit_kibon3, {155, 216, 154, 12}, 32767, false},
        {kibon->Edit_kibon4, {155, 238, 70, 12}, 32767, false},
        {kibon->Edit_kibon5, {335, 238, 26, 12}, 32767, false},
        {kibon->Edit_kibon6, {155, 282, 260, 12}, 32767, false},
        {kibon->Edit_kibon7, {157, 305, 152, 12}, 20, false},
        {kibon->Edit_kibon10, {157, 377, 152, 12}, 20, false},
        {kibon->Edit_kibon13, {157, 399, 152, 12}, 20, false},
        {kibon->Edit_kibon16, {155, 421, 262, 12}, 32767, false},
    };
    kibon->show();
    std::vector<QWidget*> tabOrder;
    for (QWidget* widget = kibon->Edit_kibon1; tabOrder.size() < 12;
         widget = widget->nextInFocusChain()) {
        if (qobject_cast<QLineEdit*>(widget) || qobject_cast<QCheckBox*>(widget))
            tabOrder.push_back(widget);
    }
    std::vector<QWidget*> expectedOrder;
    for (const Place& place : places) {
        SCOPED_TRACE(place.box->objectName().toStdString());
        EXPECT_EQ(place.box->geometry(), place.place);
        EXPECT_FALSE(place.box->hasFrame());
        EXPECT_EQ(place.box->maxLength(), place.maxLength);
        EXPECT_FALSE(place.box->accessibleName().isEmpty());
        EXPECT_TRUE(BasicInfoFieldBoxes().contains(place.place.adjusted(-3, -2, 3, 2)) ||
                    place.box == kibon->Edit_kibon5)
            << "sits on a drawn box";
        if (place.digitsOnly) {
            QString letters = QStringLiteral("12a");
            int position = 0;
            EXPECT_EQ(place.box->validator()->validate(letters, position), QValidator::Invalid);
        }
        expectedOrder.push_back(place.box);
    }
    expectedOrder.push_back(kibon->chk_kibon1);
    EXPECT_EQ(tabOrder, expectedOrder);
    EXPECT_EQ(kibon->chk_kibon1->geometry(), QRect(244, 461, 15, 18));
    EXPECT_EQ(kibon->lb_kibon1->geometry(), QRect(155, 260, 260, 14));

    EXPECT_EQ(kibon->EdiT_Jumin->echoMode(), QLineEdit::Password);
    EXPECT_EQ(kibon->EdiT_Jumin->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr,
                                                    kibon->EdiT_Jumin),
              '*');
    EXPECT_FALSE(kibon->Edit_kibon4->isEnabled());
    EXPECT_FALSE(kibon->Edit_kibon5->isVisible());
    EXPECT_FALSE(kibon->Edit_kibon6->isEnabled());
    EXPECT_FALSE(kibon->lb_kibon1->isEnabled());
}

TEST_F(KibonWindow, PictureButtonsWithTheirTwinsAndOnlyThePostalSearchHidden)
{
    struct Button
    {
        PictureButton* button;
        QLabel* twin;
        QRect place;
    };
    const Button buttons[] = {
        {kibon->btn_kibon1, kibon->kibon_img2, {250, 147, 61, 63}},
        {kibon->btn_kibon2, kibon->kibon_img3, {244, 236, 77, 18}},
        {kibon->btn_kibon3, kibon->kibon_img5, {169, 537, 81, 23}},
        {kibon->btn_kibon4, kibon->kibon_img4, {268, 537, 81, 23}},
        {kibon->btn_kibon5, kibon->kibon_img6, {0, 573, 500, 27}},
    };
    kibon->show();
    for (const Button& button : buttons) {
        SCOPED_TRACE(button.button->accessibleName().toStdString());
        EXPECT_EQ(button.button->geometry(), button.place);
        EXPECT_EQ(button.twin->geometry(), button.place);
        EXPECT_FALSE(button.twin->isVisible());
        EXPECT_EQ(button.button->cursor().shape(), Qt::PointingHandCursor);
        EXPECT_FALSE(button.button->accessibleName().isEmpty());
        EXPECT_EQ(button.button->isVisible(), button.button != kibon->btn_kibon2);
    }
    EXPECT_EQ(kibon->btn_kibon6->geometry(), QRect(354, 82, 127, 32));
    EXPECT_EQ(kibon->btn_kibon6->accessibleName(), QStringLiteral("사용 매뉴얼 보기"));

    QTest::mousePress(kibon->btn_kibon4, Qt::LeftButton);
    EXPECT_FALSE(kibon->btn_kibon4->isVisible());
    EXPECT_TRUE(kibon->kibon_img4->isVisible());
    QTest::mouseRelease(kibon->kibon_img4, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(kibon->btn_kibon4->isVisible());
    EXPECT_FALSE(kibon->kibon_img4->isVisible());
}

TEST_F(KibonWindow, BackgroundCaptionsStandInOrderClearOfTheBoxes)
{
    const QStringList order{
        QStringLiteral("실시간 초록우체통약국 시스템"),
        QStringLiteral("기본정보 입력"),
        QStringLiteral("필수 입력사항"),
        QStringLiteral("대표 약사명"),
        QStringLiteral("대표약사면허번호"),
        QStringLiteral("생년월일(예:880123)"),
        QStringLiteral("약국명"),
        QStringLiteral("주 소"),
        QStringLiteral("상세주소"),
        QStringLiteral("약국전화번호"),
        QStringLiteral("선택 입력사항"),
    };
    const QList<BasicInfoCaption>& captions = BasicInfoCaptions();
    ASSERT_GE(captions.size(), order.size());
    for (qsizetype i = 0; i < order.size(); ++i)
        EXPECT_EQ(captions[i].text, order[i]);
    for (qsizetype i = 1; i < captions.size(); ++i)
        EXPECT_LE(captions[i - 1].place.top(), captions[i].place.top()) << "top to bottom";
    for (const BasicInfoCaption& caption : captions) {
        EXPECT_TRUE(QRect(0, 0, 500, 598).contains(caption.place));
        for (const QRect& box : BasicInfoFieldBoxes())
            EXPECT_FALSE(caption.place.intersects(box)) << caption.text.toStdString();
    }
    EXPECT_EQ(BasicInfoBackground().size(), QSize(500, 598));
    EXPECT_EQ(kibon->kibon_img1->geometry(), QRect(0, 0, 500, 598));
}

TEST_F(KibonWindow, ShowLoadsTheSettingsTrimmedAndKeepsTheBirthNumber)
{
    Store(SettingsKeys::PharmacistName, QStringLiteral("  김똠 "));
    Store(SettingsKeys::PharmacistLicense, QStringLiteral("12345"));
    Store(SettingsKeys::PharmacyName, QStringLiteral("똘이약국"));
    Store(SettingsKeys::PostalCode1, QStringLiteral("135"));
    Store(SettingsKeys::PostalCode2, QStringLiteral("010"));
    Store(SettingsKeys::Address3, QStringLiteral("서울특별시 강남구 논현동"));
    Store(SettingsKeys::Address4, QStringLiteral("논현로 1"));
    Store(SettingsKeys::PharmacyPhone, QStringLiteral("02-1"));
    Store(SettingsKeys::MobilePhone, QStringLiteral("010-2"));
    Store(SettingsKeys::FaxNumber, QStringLiteral("02-3"));
    Store(SettingsKeys::Location, QStringLiteral("역 앞"));
    Store(SettingsKeys::BirthNumber, QStringLiteral("6503151"));
    Store(SettingsKeys::CheckComputer, QStringLiteral("PC1"));
    kibon->EdiT_Jumin->setText(QStringLiteral("1111111"));
    kibon->IdentityConfirmed = true;

    kibon->show();

    EXPECT_FALSE(kibon->IdentityConfirmed);
    EXPECT_EQ(kibon->SettingsName, QStringLiteral("  김똠 ")) << "untrimmed";
    EXPECT_EQ(kibon->Edit_kibon1->text(), QStringLiteral("김똠"));
    EXPECT_EQ(kibon->Edit_kibon2->text(), QStringLiteral("12345"));
    EXPECT_EQ(kibon->Edit_kibon3->text(), QStringLiteral("똘이약국"));
    EXPECT_EQ(kibon->Edit_kibon4->text(), QStringLiteral("135"));
    EXPECT_EQ(kibon->Edit_kibon5->text(), QStringLiteral("010"));
    EXPECT_EQ(kibon->lb_kibon1->text(), QStringLiteral("서울특별시 강남구 논현동"));
    EXPECT_EQ(kibon->Edit_kibon6->text(), QStringLiteral("논현로 1"));
    EXPECT_EQ(kibon->Edit_kibon7->text(), QStringLiteral("02-1"));
    EXPECT_EQ(kibon->Edit_kibon10->text(), QStringLiteral("010-2"));
    EXPECT_EQ(kibon->Edit_kibon13->text(), QStringLiteral("02-3"));
    EXPECT_EQ(kibon->Edit_kibon16->text(), QStringLiteral("역 앞"));
    EXPECT_EQ(kibon->EdiT_Jumin->text(), QStringLiteral("1111111")) << "never loaded";
    EXPECT_TRUE(kibon->chk_kibon1->isChecked());
}

TEST_F(KibonWindow, ABlankCheckComputerLeavesTheBoxAsItWas)
{
    Store(SettingsKeys::CheckComputer, QStringLiteral(" "));
    kibon->chk_kibon1->setChecked(true);
    kibon->show();
    EXPECT_TRUE(kibon->chk_kibon1->isChecked());

    kibon->hide();
    kibon->chk_kibon1->setChecked(false);
    kibon->show();
    EXPECT_FALSE(kibon->chk_kibon1->isChecked());
}

struct BirthCase
{
    const char* name;
    const char* pharmacist;
    const char* license;
    const char* birth;
    std::vector<QString> messages;
    const char* focus; // where the focus ends
    bool sent;         // the identity check went out
};

void PrintTo(const BirthCase& test, std::ostream* out)
{
    *out << test.name;
}

class BirthNumberEnter : public BasicInfoWindowFixture,
                         public ::testing::WithParamInterface<BirthCase>
{
};

TEST_P(BirthNumberEnter, SendsACompleteEntryElseSaysWhatIsMissing)
{
    const BirthCase& test = GetParam();
    kibon->show();
    kibon->Edit_kibon1->setText(QString::fromUtf8(test.pharmacist));
    kibon->Edit_kibon2->setText(QString::fromUtf8(test.license));
    kibon->EdiT_Jumin->setText(QString::fromUtf8(test.birth));
    kibon->EdiT_Jumin->setFocus();

    PressEnter(kibon->EdiT_Jumin);

    EXPECT_EQ(MessageTexts(), test.messages);
    for (const MessageRequest& request : messages)
        EXPECT_TRUE(IsWarning(request));
    ASSERT_NE(kibon->focusWidget(), nullptr);
    EXPECT_EQ(kibon->focusWidget()->objectName(), QString::fromLatin1(test.focus));
    if (test.sent) {
        ASSERT_TRUE(WaitForBodies("Permission.asp", 1));
    }
    EXPECT_EQ(kibon->WebBrowser1.ReadyState() != 0, test.sent);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BirthNumberEnter,
    ::testing::Values(
        BirthCase{"Complete", "김똠", "12345", "6503151", {}, "EdiT_Jumin", true},
        // The licence length is tested only when something else is missing.
        BirthCase{"ShortLicenseStillSent", "김똠", "123", "6503151", {}, "EdiT_Jumin", true},
        BirthCase{"NameMissingAndShortBirth",
                  "",
                  "12345",
                  "65031",
                  {NameMissing, BirthWrong},
                  "EdiT_Jumin",
                  false},
        // A complete entry is tested untrimmed: a blank name still sends.
        BirthCase{"BlankNameStillSent", " ", "12345", "6503151", {}, "EdiT_Jumin", true},
        BirthCase{"NameMissingOnly", "", "12345", "6503151", {NameMissing}, "Edit_kibon1", false},
        BirthCase{"ShortLicenseAndShortBirth",
                  "김똠",
                  "123",
                  "6",
                  {LicenseWrong, BirthWrong},
                  "EdiT_Jumin",
                  false},
        BirthCase{"LicenseEmpty", "김똠", "", "6503151", {LicenseWrong}, "EdiT_Jumin", false},
        BirthCase{"BirthOnly", "김똠", "12345", "", {BirthWrong}, "EdiT_Jumin", false}),
    [](const ::testing::TestParamInfo<BirthCase>& param) { return param.param.name; });

TEST_F(KibonWindow, EnterWalksThroughTheFields)
{
    kibon->show();
    const std::pair<QLineEdit*, QWidget*> steps[] = {
        {kibon->Edit_kibon1, kibon->Edit_kibon2},  {kibon->Edit_kibon2, kibon->EdiT_Jumin},
        {kibon->Edit_kibon7, kibon->Edit_kibon10}, {kibon->Edit_kibon13, kibon->Edit_kibon16},
        {kibon->Edit_kibon16, kibon->chk_kibon1},
    };
    for (const auto& [from, to] : steps) {
        PressEnter(from);
        EXPECT_EQ(kibon->focusWidget(), to) << from->objectName().toStdString();
    }
    EXPECT_THAT(messages, IsEmpty());
}

TEST_F(KibonWindow, LicenseOfFourCharactersGainsALeadingZeroOnEnter)
{
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("2345"), QStringLiteral("02345")},
        {QStringLiteral("234"), QStringLiteral("234")},
        {QStringLiteral("12345"), QStringLiteral("12345")},
    };
    kibon->show();
    for (const auto& [typed, after] : cases) {
        kibon->Edit_kibon2->clear();
        QTest::keyClicks(kibon->Edit_kibon2, typed);
        PressEnter(kibon->Edit_kibon2);
        EXPECT_EQ(kibon->Edit_kibon2->text(), after);
    }
}

TEST_F(KibonWindow, BlankMobileAsksForItAndMovesOnAllTheSame)
{
    kibon->show();
    kibon->Edit_kibon10->setText(QStringLiteral("  "));
    PressEnter(kibon->Edit_kibon10);
    EXPECT_THAT(MessageTexts(), ElementsAre(MobileWanted));
    EXPECT_TRUE(IsWarning(messages.front()));
    EXPECT_EQ(kibon->focusWidget(), kibon->Edit_kibon13);

    messages.clear();
    kibon->Edit_kibon10->setText(QStringLiteral("010"));
    PressEnter(kibon->Edit_kibon10);
    EXPECT_THAT(messages, IsEmpty());
}

TEST_F(KibonWindow, EnterInThePharmacyNameOpensThePostalSearchOnEmptiedAddress)
{
    kibon->show();
    kibon->lb_kibon1->setText(QStringLiteral("서울특별시 중구 소공동"));
    kibon->Edit_kibon6->setText(QStringLiteral("소공로 55"));
    kibon->Edit_kibon4->setText(QStringLiteral("100"));

    PressEnter(kibon->Edit_kibon3);

    EXPECT_THAT(modalTitles, ElementsAre(QStringLiteral("초록우체통 우편번호")));
    EXPECT_TRUE(kibon->lb_kibon1->text().isEmpty());
    EXPECT_TRUE(kibon->Edit_kibon6->text().isEmpty());
    EXPECT_EQ(kibon->Edit_kibon4->text(), QStringLiteral("100"));
    EXPECT_TRUE(kibon->findChildren<QDialog*>().isEmpty()) << "the search is destroyed";
    EXPECT_TRUE(kibon->Edit_kibon6->isEnabled()) << "the street address is typed next";
    EXPECT_EQ(kibon->focusWidget(), kibon->Edit_kibon6);
}

const QString Unusable = QStringLiteral("에 사용할 수 없는 문자가 있습니다. 다시 입력해 주십시요");

struct UnstorableCase
{
    const char* name;
    QLineEdit* BasicInfoWindow::*box;
    QString value;
    QString field; // named in the message; empty: the value is sent
};

void PrintTo(const UnstorableCase& test, std::ostream* out)
{
    *out << test.name;
}

class UnstorableValue : public BasicInfoWindowFixture,
                        public ::testing::WithParamInterface<UnstorableCase>
{
protected:
    // A confirmed identity with every field filled; the case's value in its box.
    void FillForm()
    {
        kibon->show();
        kibon->Edit_kibon1->setText(QStringLiteral("박서연"));
        kibon->Edit_kibon2->setText(QStringLiteral("23456"));
        kibon->EdiT_Jumin->setText(QStringLiteral("7208242"));
        kibon->Edit_kibon3->setText(QStringLiteral("똠약국"));
        kibon->Edit_kibon4->setText(QStringLiteral("100"));
        kibon->Edit_kibon5->setText(QStringLiteral("070"));
        kibon->Edit_kibon6->setText(QStringLiteral("소공로 55"));
        kibon->Edit_kibon7->setText(QStringLiteral("02-1"));
        kibon->Edit_kibon10->setText(QStringLiteral("010-2"));
        kibon->Edit_kibon13->setText(QStringLiteral("02-3"));
        kibon->Edit_kibon16->setText(QStringLiteral("역 앞"));
        (kibon.get()->*GetParam().box)->setText(GetParam().value);
        kibon->IdentityConfirmed = true;
    }

    void ExpectRefused(const WebBrowser& browser, const char* page)
    {
        const UnstorableCase& test = GetParam();
        if (test.field.isEmpty()) {
            EXPECT_THAT(messages, IsEmpty());
            EXPECT_TRUE(WaitForBodies(page, 1));
            return;
        }
        ASSERT_THAT(MessageTexts(), ElementsAre(test.field + Unusable));
        EXPECT_TRUE(IsWarning(messages.front()));
        EXPECT_EQ(browser.ReadyState(), 0) << "nothing sent";
        QLineEdit* const box = kibon.get()->*test.box;
        if (box->isEnabled()) {
            EXPECT_EQ(kibon->focusWidget(), box);
        }
    }
};

TEST_P(UnstorableValue, IsRefusedBeforeAnythingIsSent)
{
    const UnstorableCase& test = GetParam();
    FillForm();
    if (test.box == &BasicInfoWindow::Edit_kibon1) {
        emit kibon->btn_kibon1->Clicked();
        ExpectRefused(kibon->WebBrowser1, "Permission.asp");
        messages.clear();
    }
    emit kibon->btn_kibon3->Clicked();
    ExpectRefused(kibon->WebBrowser2, "INPUT3.asp");
    EXPECT_TRUE(SettingsBytes().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UnstorableValue,
    ::testing::Values(
        UnstorableCase{"AccentInTheLocation", &BasicInfoWindow::Edit_kibon16,
                       QStringLiteral("Café 앞"), QStringLiteral("위치 정보")},
        UnstorableCase{"EmojiInThePharmacyName", &BasicInfoWindow::Edit_kibon3,
                       QStringLiteral("똠약국 \U0001F48A"), QStringLiteral("약국명")},
        UnstorableCase{"EmojiInTheName", &BasicInfoWindow::Edit_kibon1,
                       QStringLiteral("박서연\U0001F600"), QStringLiteral("대표 약사명")},
        UnstorableCase{"LineBreakInTheDetailAddress", &BasicInfoWindow::Edit_kibon6,
                       QStringLiteral("소공로\r\n55"), QStringLiteral("상세주소")},
        UnstorableCase{"LineBreakInTheMobile", &BasicInfoWindow::Edit_kibon10,
                       QStringLiteral("010\n2"), QStringLiteral("핸드폰번호")},
        UnstorableCase{
            "HanjaInTheFax", &BasicInfoWindow::Edit_kibon13, QStringLiteral("02-3 漢"), {}},
        UnstorableCase{"BlanksAndLineBreaksAroundAreTrimmed",
                       &BasicInfoWindow::Edit_kibon7,
                       QStringLiteral("\r\n02-1 \n"),
                       {}},
        UnstorableCase{"FormCharactersAndExtraSyllables",
                       &BasicInfoWindow::Edit_kibon1,
                       QStringLiteral("똠%&+="),
                       {}}),
    [](const ::testing::TestParamInfo<UnstorableCase>& param) { return param.param.name; });

TEST_F(KibonWindow, PastedLineBreaksAreRemovedAsTheyArrive)
{
    kibon->show();
    kibon->Edit_kibon16->setText(QStringLiteral("시청역 옆"));
    kibon->Edit_kibon16->setCursorPosition(3);
    QGuiApplication::clipboard()->setText(QStringLiteral(" 6번\r\n출구\n"));
    kibon->Edit_kibon16->paste();
    EXPECT_EQ(kibon->Edit_kibon16->text(), QStringLiteral("시청역 6번출구 옆"));
    EXPECT_EQ(kibon->Edit_kibon16->cursorPosition(), 8) << "after the pasted text";
}

TEST_F(KibonWindow, EscapeLeavesTheWindowOpen)
{
    kibon->show();
    kibon->Edit_kibon1->setFocus();
    QTest::keyClick(kibon->Edit_kibon1, Qt::Key_Escape);
    QTest::keyClick(kibon.get(), Qt::Key_Escape);
    EXPECT_TRUE(kibon->isVisible());
}

struct ReEnterCase
{
    const char* name;
    bool confirmed;
    bool keepsNameAndLicense;
    const char* focus;
};

class ReEnterButton : public BasicInfoWindowFixture,
                      public ::testing::WithParamInterface<ReEnterCase>
{
};

TEST_P(ReEnterButton, EmptiesTheEditKibonBoxesOnly)
{
    const ReEnterCase& test = GetParam();
    kibon->show();
    for (QLineEdit* box : kibon->findChildren<QLineEdit*>())
        box->setText(QStringLiteral("12"));
    kibon->lb_kibon1->setText(QStringLiteral("주소"));
    kibon->chk_kibon1->setChecked(true);
    kibon->IdentityConfirmed = test.confirmed;

    emit kibon->btn_kibon4->Clicked();

    for (QLineEdit* box :
         {kibon->Edit_kibon3, kibon->Edit_kibon4, kibon->Edit_kibon5, kibon->Edit_kibon6,
          kibon->Edit_kibon7, kibon->Edit_kibon10, kibon->Edit_kibon13, kibon->Edit_kibon16})
        EXPECT_TRUE(box->text().isEmpty()) << box->objectName().toStdString();
    EXPECT_EQ(kibon->Edit_kibon1->text().isEmpty(), !test.keepsNameAndLicense);
    EXPECT_EQ(kibon->Edit_kibon2->text().isEmpty(), !test.keepsNameAndLicense);
    EXPECT_EQ(kibon->EdiT_Jumin->text(), QStringLiteral("12"));
    EXPECT_EQ(kibon->lb_kibon1->text(), QStringLiteral("주소"));
    EXPECT_FALSE(kibon->chk_kibon1->isChecked());
    EXPECT_EQ(kibon->IdentityConfirmed, test.confirmed);
    ASSERT_NE(kibon->focusWidget(), nullptr);
    EXPECT_EQ(kibon->focusWidget()->objectName(), QString::fromLatin1(test.focus));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReEnterButton,
    ::testing::Values(ReEnterCase{"Confirmed", true, true, "Edit_kibon3"},
                      ReEnterCase{"NotConfirmed", false, false, "Edit_kibon1"}),
    [](const ::testing::TestParamInfo<ReEnterCase>& param) { return param.param.name; });

TEST_F(KibonWindow, ManualButtonOpensTheHelpFileOfTheProgramFolder)
{
    kibon->show();
    emit kibon->btn_kibon6->Clicked();
    EXPECT_THAT(helpOpened, ElementsAre(ProgramFolder + QStringLiteral("Help.mht")));
}

TEST_F(KibonWindow, CloseBarAndCloseOnPaintOnlyHideTheWindow)
{
    kibon->show();
    emit kibon->btn_kibon5->Clicked();
    EXPECT_FALSE(kibon->isVisible());

    kibon->show();
    CloseOnPaint = true;
    kibon->repaint();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !kibon->isVisible(); }));
    EXPECT_TRUE(CloseOnPaint) << "the paint that closes does not clear it";

    kibon->show();
    EXPECT_FALSE(CloseOnPaint) << "showing again clears it";
    kibon->repaint();
    QTest::qWait(50);
    EXPECT_TRUE(kibon->isVisible());

    CloseOnPaint = true;
    const BasicInfoWindow fresh;
    EXPECT_FALSE(CloseOnPaint) << "a new window clears it";
}

} // namespace
