#include "app/UnregisteredComputerNotice.h"
#include "core/program/Pharmacy.h"
#include "registration/BasicInfoWindow.h"

#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(StartupWindows, BasicInformationWindowHasItsCaptionAndFixedSize)
{
    Pharmacy pharmacy;
    const BasicInfoWindow basicInfo(pharmacy);

    EXPECT_EQ(basicInfo.windowTitle(), QStringLiteral("초록우체통 기본정보입력"));
    EXPECT_EQ(basicInfo.size(), QSize(500, 598));
    EXPECT_EQ(basicInfo.minimumSize(), basicInfo.maximumSize()) << "not resizable";
}

TEST(StartupWindows, NoticeIsABorderlessPictureThatItsOkButtonCloses)
{
    UnregisteredComputerNotice info;
    info.show();

    EXPECT_EQ(info.windowTitle(), QStringLiteral("푸른등대 알림창"));
    EXPECT_TRUE(info.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(info.size(), QSize(537, 185));
    auto* const notice = info.findChild<QLabel*>(QStringLiteral("notice"));
    auto* const okButton = info.findChild<QLabel*>(QStringLiteral("okButton"));
    ASSERT_NE(notice, nullptr);
    ASSERT_NE(okButton, nullptr);
    EXPECT_EQ(notice->geometry(), QRect(0, 0, 537, 185));
    EXPECT_EQ(okButton->geometry(), QRect(174, 142, 146, 26));

    QTest::mouseClick(notice, Qt::LeftButton);
    EXPECT_TRUE(info.isVisible()) << "only the 확인 picture closes it";
    QTest::mouseClick(okButton, Qt::LeftButton);
    EXPECT_FALSE(info.isVisible());
}

} // namespace
