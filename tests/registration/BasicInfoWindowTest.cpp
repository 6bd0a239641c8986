#include "resources/BasicInfoBackground.h"
#include "tests/registration/BasicInfoWindowFixture.h"

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

using BasicInfoWindowTest = BasicInfoWindowFixture;

void PressEnter(QWidget* box)
{
    QTest::keyClick(box, Qt::Key_Return);
}

TEST_F(BasicInfoWindowTest, TextBoxesSitAtTheirPlacesWithTheirLimitsAndTabOrder)
{
    struct Place
    {
        QLineEdit* box;
        QRect place;
        int maxLength;
        bool digitsOnly;
    };
    const Place places[] = {
        {fields.pharmacistName, {155, 150, 87, 12}, 32767, false},
        {fields.license, {155, 172, 85, 12}, 5, true},
        {fields.birthNumber, {155, 194, 85, 12}, 7, true},
        {fields.pharmacyName, {155, 216, 154, 12}, 32767, false},
        {fields.postalCode1, {155, 238, 70, 12}, 32767, false},
        {fields.postalCode2, {335, 238, 26, 12}, 32767, false},
        {fields.detailAddress, {155, 282, 260, 12}, 32767, false},
        {fields.pharmacyPhone, {157, 305, 152, 12}, 20, false},
        {fields.mobilePhone, {157, 377, 152, 12}, 20, false},
        {fields.faxNumber, {157, 399, 152, 12}, 20, false},
        {fields.location, {155, 421, 262, 12}, 32767, false},
    };
    window->show();
    std::vector<QWidget*> tabOrder;
    for (QWidget* widget = fields.pharmacistName; tabOrder.size() < 12;
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
                    place.box == fields.postalCode2)
            << "sits on a drawn box";
        if (place.digitsOnly) {
            QString letters = QStringLiteral("12a");
            int position = 0;
            EXPECT_EQ(place.box->validator()->validate(letters, position), QValidator::Invalid);
        }
        expectedOrder.push_back(place.box);
    }
    expectedOrder.push_back(fields.checkComputer);
    EXPECT_EQ(tabOrder, expectedOrder);
    EXPECT_EQ(fields.checkComputer->geometry(), QRect(244, 461, 15, 18));
    EXPECT_EQ(fields.addressLine->geometry(), QRect(155, 260, 260, 14));

    EXPECT_EQ(fields.birthNumber->echoMode(), QLineEdit::Password);
    EXPECT_EQ(fields.birthNumber->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr,
                                                     fields.birthNumber),
              '*');
    EXPECT_FALSE(fields.postalCode1->isEnabled());
    EXPECT_FALSE(fields.postalCode2->isVisible());
    EXPECT_FALSE(fields.detailAddress->isEnabled());
    EXPECT_FALSE(fields.addressLine->isEnabled());
}

TEST_F(BasicInfoWindowTest, PictureButtonsShowWithTheirTwinsHidden)
{
    struct Place
    {
        const char* button;
        QRect place;
        const char* caption;
    };
    const Place places[] = {
        {"identityCheckButton", {250, 147, 61, 63}, "본인확인"},
        {"submitButton", {169, 537, 81, 23}, "입력완료"},
        {"reEnterButton", {268, 537, 81, 23}, "다시입력"},
        {"closeBar", {0, 573, 500, 27}, "CLOSE"},
        {"manualButton", {354, 82, 127, 32}, "사용 매뉴얼 보기"},
    };
    window->show();
    for (const Place& place : places) {
        SCOPED_TRACE(place.button);
        PictureButton* button = Button(place.button);
        EXPECT_TRUE(button->isVisible());
        EXPECT_EQ(button->geometry(), place.place);
        EXPECT_EQ(button->cursor().shape(), Qt::PointingHandCursor);
        EXPECT_EQ(button->accessibleName(), QString::fromUtf8(place.caption));
        EXPECT_EQ(button->PressedPicture()->geometry(), place.place);
        EXPECT_FALSE(button->PressedPicture()->isVisible());
    }

    PictureButton* reEnter = Button("reEnterButton");
    QLabel* pressed = Find<QLabel>(*window, "reEnterButtonPressed");
    QTest::mousePress(reEnter, Qt::LeftButton);
    EXPECT_FALSE(reEnter->isVisible());
    EXPECT_TRUE(pressed->isVisible());
    QTest::mouseRelease(pressed, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(reEnter->isVisible());
    EXPECT_FALSE(pressed->isVisible());
}

TEST_F(BasicInfoWindowTest, BackgroundCaptionsStandInOrderClearOfTheBoxes)
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
    EXPECT_EQ(Find<QLabel>(*window, "background")->geometry(), QRect(0, 0, 500, 598));
}

TEST_F(BasicInfoWindowTest, ShowLoadsTheSettingsTrimmedAndKeepsTheBirthNumber)
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
    fields.birthNumber->setText(QStringLiteral("1111111"));
    identity->SetConfirmed(true);

    window->show();

    EXPECT_FALSE(identity->IsConfirmed());
    EXPECT_EQ(fields.pharmacistName->text(), QStringLiteral("김똠"));
    EXPECT_EQ(fields.license->text(), QStringLiteral("12345"));
    EXPECT_EQ(fields.pharmacyName->text(), QStringLiteral("똘이약국"));
    EXPECT_EQ(fields.postalCode1->text(), QStringLiteral("135"));
    EXPECT_EQ(fields.postalCode2->text(), QStringLiteral("010"));
    EXPECT_EQ(fields.addressLine->text(), QStringLiteral("서울특별시 강남구 논현동"));
    EXPECT_EQ(fields.detailAddress->text(), QStringLiteral("논현로 1"));
    EXPECT_EQ(fields.pharmacyPhone->text(), QStringLiteral("02-1"));
    EXPECT_EQ(fields.mobilePhone->text(), QStringLiteral("010-2"));
    EXPECT_EQ(fields.faxNumber->text(), QStringLiteral("02-3"));
    EXPECT_EQ(fields.location->text(), QStringLiteral("역 앞"));
    EXPECT_EQ(fields.birthNumber->text(), QStringLiteral("1111111")) << "never loaded";
    EXPECT_TRUE(fields.checkComputer->isChecked());
}

TEST_F(BasicInfoWindowTest, ABlankCheckComputerLeavesTheBoxAsItWas)
{
    Store(SettingsKeys::CheckComputer, QStringLiteral(" "));
    fields.checkComputer->setChecked(true);
    window->show();
    EXPECT_TRUE(fields.checkComputer->isChecked());

    window->hide();
    fields.checkComputer->setChecked(false);
    window->show();
    EXPECT_FALSE(fields.checkComputer->isChecked());
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
    window->show();
    fields.pharmacistName->setText(QString::fromUtf8(test.pharmacist));
    fields.license->setText(QString::fromUtf8(test.license));
    fields.birthNumber->setText(QString::fromUtf8(test.birth));
    fields.birthNumber->setFocus();

    PressEnter(fields.birthNumber);

    EXPECT_EQ(MessageTexts(), test.messages);
    for (const MessageRequest& request : messages)
        EXPECT_TRUE(IsWarning(request));
    ASSERT_NE(window->focusWidget(), nullptr);
    EXPECT_EQ(window->focusWidget()->objectName(), QString::fromLatin1(test.focus));
    if (test.sent) {
        ASSERT_TRUE(WaitForBodies("Permission.asp", 1));
    }
    EXPECT_EQ(Request("identityCheck").ReadyState() != 0, test.sent);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BirthNumberEnter,
    ::testing::Values(BirthCase{.name = "Complete",
                                .pharmacist = "김똠",
                                .license = "12345",
                                .birth = "6503151",
                                .messages = {},
                                .focus = "birthNumber",
                                .sent = true},
                      // The licence length is tested only when something else is missing.
                      BirthCase{.name = "ShortLicenseStillSent",
                                .pharmacist = "김똠",
                                .license = "123",
                                .birth = "6503151",
                                .messages = {},
                                .focus = "birthNumber",
                                .sent = true},
                      BirthCase{.name = "NameMissingAndShortBirth",
                                .pharmacist = "",
                                .license = "12345",
                                .birth = "65031",
                                .messages = {NameMissing, BirthWrong},
                                .focus = "birthNumber",
                                .sent = false},
                      // A complete entry is tested untrimmed: a blank name still sends.
                      BirthCase{.name = "BlankNameStillSent",
                                .pharmacist = " ",
                                .license = "12345",
                                .birth = "6503151",
                                .messages = {},
                                .focus = "birthNumber",
                                .sent = true},
                      BirthCase{.name = "NameMissingOnly",
                                .pharmacist = "",
                                .license = "12345",
                                .birth = "6503151",
                                .messages = {NameMissing},
                                .focus = "pharmacistName",
                                .sent = false},
                      BirthCase{.name = "ShortLicenseAndShortBirth",
                                .pharmacist = "김똠",
                                .license = "123",
                                .birth = "6",
                                .messages = {LicenseWrong, BirthWrong},
                                .focus = "birthNumber",
                                .sent = false},
                      BirthCase{.name = "LicenseEmpty",
                                .pharmacist = "김똠",
                                .license = "",
                                .birth = "6503151",
                                .messages = {LicenseWrong},
                                .focus = "birthNumber",
                                .sent = false},
                      BirthCase{.name = "BirthOnly",
                                .pharmacist = "김똠",
                                .license = "12345",
                                .birth = "",
                                .messages = {BirthWrong},
                                .focus = "birthNumber",
                                .sent = false}),
    [](const ::testing::TestParamInfo<BirthCase>& param) { return param.param.name; });

TEST_F(BasicInfoWindowTest, EnterWalksThroughTheFields)
{
    window->show();
    const std::pair<QLineEdit*, QWidget*> steps[] = {
        {fields.pharmacistName, fields.license},    {fields.license, fields.birthNumber},
        {fields.pharmacyPhone, fields.mobilePhone}, {fields.faxNumber, fields.location},
        {fields.location, fields.checkComputer},
    };
    for (const auto& [from, to] : steps) {
        PressEnter(from);
        EXPECT_EQ(window->focusWidget(), to) << from->objectName().toStdString();
    }
    EXPECT_THAT(messages, IsEmpty());
}

TEST_F(BasicInfoWindowTest, LicenseOfFourCharactersGainsALeadingZeroOnEnter)
{
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("2345"), QStringLiteral("02345")},
        {QStringLiteral("234"), QStringLiteral("234")},
        {QStringLiteral("12345"), QStringLiteral("12345")},
    };
    window->show();
    for (const auto& [typed, after] : cases) {
        fields.license->clear();
        QTest::keyClicks(fields.license, typed);
        PressEnter(fields.license);
        EXPECT_EQ(fields.license->text(), after);
    }
}

TEST_F(BasicInfoWindowTest, BlankMobileAsksForItAndMovesOnAllTheSame)
{
    window->show();
    fields.mobilePhone->setText(QStringLiteral("  "));
    PressEnter(fields.mobilePhone);
    EXPECT_THAT(MessageTexts(), ElementsAre(MobileWanted));
    EXPECT_TRUE(IsWarning(messages.front()));
    EXPECT_EQ(window->focusWidget(), fields.faxNumber);

    messages.clear();
    fields.mobilePhone->setText(QStringLiteral("010"));
    PressEnter(fields.mobilePhone);
    EXPECT_THAT(messages, IsEmpty());
}

TEST_F(BasicInfoWindowTest, EnterInThePharmacyNameOpensThePostalSearchOnEmptiedAddress)
{
    window->show();
    fields.addressLine->setText(QStringLiteral("서울특별시 중구 소공동"));
    fields.detailAddress->setText(QStringLiteral("소공로 55"));
    fields.postalCode1->setText(QStringLiteral("100"));

    PressEnter(fields.pharmacyName);

    EXPECT_THAT(modalTitles, ElementsAre(QStringLiteral("초록우체통 우편번호")));
    EXPECT_TRUE(fields.addressLine->text().isEmpty());
    EXPECT_TRUE(fields.detailAddress->text().isEmpty());
    EXPECT_EQ(fields.postalCode1->text(), QStringLiteral("100"));
    EXPECT_TRUE(window->findChildren<QDialog*>().isEmpty()) << "the search is destroyed";
    EXPECT_TRUE(fields.detailAddress->isEnabled()) << "the street address is typed next";
    EXPECT_EQ(window->focusWidget(), fields.detailAddress);
}

const QString Unusable = QStringLiteral("에 사용할 수 없는 문자가 있습니다. 다시 입력해 주십시요");

struct UnstorableCase
{
    const char* name;
    QLineEdit* BasicInfoFields::*box;
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
        window->show();
        fields.pharmacistName->setText(QStringLiteral("박서연"));
        fields.license->setText(QStringLiteral("23456"));
        fields.birthNumber->setText(QStringLiteral("7208242"));
        fields.pharmacyName->setText(QStringLiteral("똠약국"));
        fields.postalCode1->setText(QStringLiteral("100"));
        fields.postalCode2->setText(QStringLiteral("070"));
        fields.detailAddress->setText(QStringLiteral("소공로 55"));
        fields.pharmacyPhone->setText(QStringLiteral("02-1"));
        fields.mobilePhone->setText(QStringLiteral("010-2"));
        fields.faxNumber->setText(QStringLiteral("02-3"));
        fields.location->setText(QStringLiteral("역 앞"));
        (fields.*GetParam().box)->setText(GetParam().value);
        identity->SetConfirmed(true);
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
        QLineEdit* const box = fields.*test.box;
        if (box->isEnabled()) {
            EXPECT_EQ(window->focusWidget(), box);
        }
    }
};

TEST_P(UnstorableValue, IsRefusedBeforeAnythingIsSent)
{
    const UnstorableCase& test = GetParam();
    FillForm();
    if (test.box == &BasicInfoFields::pharmacistName) {
        Click(Button("identityCheckButton"));
        ExpectRefused(Request("identityCheck"), "Permission.asp");
        messages.clear();
    }
    Click(Button("submitButton"));
    ExpectRefused(Request("registration"), "INPUT3.asp");
    EXPECT_TRUE(SettingsBytes().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UnstorableValue,
    ::testing::Values(
        UnstorableCase{"AccentInTheLocation", &BasicInfoFields::location, QStringLiteral("Café 앞"),
                       QStringLiteral("위치 정보")},
        UnstorableCase{"EmojiInThePharmacyName", &BasicInfoFields::pharmacyName,
                       QStringLiteral("똠약국 \U0001F48A"), QStringLiteral("약국명")},
        UnstorableCase{"EmojiInTheName", &BasicInfoFields::pharmacistName,
                       QStringLiteral("박서연\U0001F600"), QStringLiteral("대표 약사명")},
        UnstorableCase{"LineBreakInTheDetailAddress", &BasicInfoFields::detailAddress,
                       QStringLiteral("소공로\r\n55"), QStringLiteral("상세주소")},
        UnstorableCase{"LineBreakInTheMobile", &BasicInfoFields::mobilePhone,
                       QStringLiteral("010\n2"), QStringLiteral("핸드폰번호")},
        UnstorableCase{"HanjaInTheFax", &BasicInfoFields::faxNumber, QStringLiteral("02-3 漢"), {}},
        UnstorableCase{"BlanksAndLineBreaksAroundAreTrimmed",
                       &BasicInfoFields::pharmacyPhone,
                       QStringLiteral("\r\n02-1 \n"),
                       {}},
        UnstorableCase{"FormCharactersAndExtraSyllables",
                       &BasicInfoFields::pharmacistName,
                       QStringLiteral("똠%&+="),
                       {}}),
    [](const ::testing::TestParamInfo<UnstorableCase>& param) { return param.param.name; });

TEST_F(BasicInfoWindowTest, PastedLineBreaksAreRemovedAsTheyArrive)
{
    window->show();
    fields.location->setText(QStringLiteral("시청역 옆"));
    fields.location->setCursorPosition(3);
    QGuiApplication::clipboard()->setText(QStringLiteral(" 6번\r\n출구\n"));
    fields.location->paste();
    EXPECT_EQ(fields.location->text(), QStringLiteral("시청역 6번출구 옆"));
    EXPECT_EQ(fields.location->cursorPosition(), 8) << "after the pasted text";
}

TEST_F(BasicInfoWindowTest, EscapeLeavesTheWindowOpen)
{
    window->show();
    fields.pharmacistName->setFocus();
    QTest::keyClick(fields.pharmacistName, Qt::Key_Escape);
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_TRUE(window->isVisible());
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

TEST_P(ReEnterButton, EmptiesTheTextBoxesButTheBirthNumber)
{
    const ReEnterCase& test = GetParam();
    window->show();
    for (QLineEdit* box : window->findChildren<QLineEdit*>())
        box->setText(QStringLiteral("12"));
    fields.addressLine->setText(QStringLiteral("주소"));
    fields.checkComputer->setChecked(true);
    identity->SetConfirmed(test.confirmed);

    Click(Button("reEnterButton"));

    for (QLineEdit* box :
         {fields.pharmacyName, fields.postalCode1, fields.postalCode2, fields.detailAddress,
          fields.pharmacyPhone, fields.mobilePhone, fields.faxNumber, fields.location})
        EXPECT_TRUE(box->text().isEmpty()) << box->objectName().toStdString();
    EXPECT_EQ(fields.pharmacistName->text().isEmpty(), !test.keepsNameAndLicense);
    EXPECT_EQ(fields.license->text().isEmpty(), !test.keepsNameAndLicense);
    EXPECT_EQ(fields.birthNumber->text(), QStringLiteral("12"));
    EXPECT_EQ(fields.addressLine->text(), QStringLiteral("주소"));
    EXPECT_FALSE(fields.checkComputer->isChecked());
    EXPECT_EQ(identity->IsConfirmed(), test.confirmed);
    ASSERT_NE(window->focusWidget(), nullptr);
    EXPECT_EQ(window->focusWidget()->objectName(), QString::fromLatin1(test.focus));
}

INSTANTIATE_TEST_SUITE_P(Cases, ReEnterButton,
                         ::testing::Values(ReEnterCase{.name = "Confirmed",
                                                       .confirmed = true,
                                                       .keepsNameAndLicense = true,
                                                       .focus = "pharmacyName"},
                                           ReEnterCase{.name = "NotConfirmed",
                                                       .confirmed = false,
                                                       .keepsNameAndLicense = false,
                                                       .focus = "pharmacistName"}),
                         [](const ::testing::TestParamInfo<ReEnterCase>& param) {
                             return param.param.name;
                         });

TEST_F(BasicInfoWindowTest, ManualButtonOpensTheHelpFileOfTheProgramFolder)
{
    window->show();
    Click(Button("manualButton"));
    EXPECT_THAT(helpOpened, ElementsAre(ProgramFolder + QStringLiteral("Help.mht")));
}

TEST_F(BasicInfoWindowTest, CloseBarAndCloseOnPaintOnlyHideTheWindow)
{
    window->show();
    Click(Button("closeBar"));
    EXPECT_FALSE(window->isVisible());

    window->show();
    CloseOnPaint = true;
    window->repaint();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window->isVisible(); }));
    EXPECT_TRUE(CloseOnPaint) << "the paint that closes does not clear it";

    window->show();
    EXPECT_FALSE(CloseOnPaint) << "showing again clears it";
    window->repaint();
    QTest::qWait(50);
    EXPECT_TRUE(window->isVisible());

    CloseOnPaint = true;
    const BasicInfoWindow fresh(pharmacy);
    EXPECT_FALSE(CloseOnPaint) << "a new window clears it";
}

} // namespace
