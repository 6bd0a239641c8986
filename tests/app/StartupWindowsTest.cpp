#include "BasicInfoWindow.h"
#include "Quillane_info.h"

#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(StartupWindows, BasicInformationWindowHasItsCaptionAndFixedSize)
{
    const BasicInfoWindow kibon;

    EXPECT_EQ(kibon.windowTitle(), QStringLiteral("초록우체통 기본정보입력"));
    EXPECT_EQ(kibon.size(), QSize(500, 598));
    EXPECT_EQ(kibon.minimumSize(), kibon.maximumSize()) << "not resizable";
}

TEST(StartupWindows, NoticeIsABorderlessPictureThatItsOkButtonCloses)
{
    Tfrm_info info;
    info.show();

    EXPECT_EQ(info.windowTitle(), QStringLiteral("푸른등대 알림창"));
    EXPECT_TRUE(info.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(info.size(), QSize(537, 185));
    EXPECT_EQ(info.Image1->geometry(), QRect(0, 0, 537, 185));
    EXPECT_EQ(info.Image2->geometry(), QRect(174, 142, 146, 26));

    QTest::mouseClick(info.Image1, Qt::LeftButton);
    EXPECT_TRUE(info.isVisible()) << "only the 확인 picture closes it";
    QTest::mouseClick(info.Image2, Qt::LeftButton);
    EXPECT_FALSE(info.isVisible());
}

} // namespace
