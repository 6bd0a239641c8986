#include "PostalSearchWindow.h"

#include "BasicInfoWindow.h"
#include "LocalDatabase.h"
#include "MessageBox.h"
#include "ModalDialog.h"
#include "Quillane_Define.h"

#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

const QString KoreanFixture = QStringLiteral(QUILLANE_TEST_DATA "/mdb/synthetic-korean-v2003.mdb");

// The fixture's postal rows whose town or village contains 역삼, in directory order: the last
// matches by its village only.
const QStringList YeoksamCodes = {"135-080", "100-002", "100-003", "100-004", "100-035"};

// A program folder with the Jet fixture as its local database, a basic-information window and
// a search opened on it.
class ZipcodeSearchTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SetMessageBoxHandler([this](const MessageRequest& request) {
            messages.push_back(request);
            return MessageAnswer::Ok;
        });
        ProgramFolder = folder.path() + QLatin1Char('/');
        ASSERT_TRUE(QFile::copy(KoreanFixture, ProgramFolder + "Quillane.MDB"));
        login = std::make_unique<TLOGIN>();
        ASSERT_NE(LocalQuery, nullptr);
        form = std::make_unique<BasicInfoWindow>();
        search = new PostalSearchWindow(form.get());
    }

    void TearDown() override
    {
        form.reset();
        login.reset();
        SetMessageBoxHandler({});
        EXPECT_TRUE(messages.empty());
    }

    void Search(const QString& text)
    {
        search->Edit_Zipcode->setText(text);
        QTest::keyClick(search->Edit_Zipcode, Qt::Key_Return);
    }

    QStringList GridColumn(int column) const
    {
        QStringList texts;
        for (int row = 0; row < search->AdvColumnGrid1->rowCount(); ++row)
            texts << search->AdvColumnGrid1->item(row, column)->text();
        return texts;
    }

    QTemporaryDir folder;
    std::vector<MessageRequest> messages;
    std::unique_ptr<TLOGIN> login;
    std::unique_ptr<BasicInfoWindow> form;
    PostalSearchWindow* search = nullptr;
};

TEST_F(ZipcodeSearchTest, WindowAndGridLayout)
{
    search->show();
    EXPECT_EQ(search->windowTitle(), "초록우체통 우편번호");
    EXPECT_EQ(search->size(), QSize(450, 253));
    EXPECT_EQ(search->minimumSize(), search->maximumSize());
    EXPECT_EQ(search->parent(), form.get());
    EXPECT_EQ(search->Zipcode_img1->geometry(), QRect(0, 0, 450, 250));
    EXPECT_EQ(search->Edit_Zipcode->geometry(), QRect(8, 35, 352, 19));
    EXPECT_EQ(search->btn_zipcode1->geometry(), QRect(366, 35, 77, 18));
    EXPECT_EQ(search->zipcode_img2->geometry(), QRect(366, 35, 77, 18));
    EXPECT_TRUE(search->btn_zipcode1->isVisible());
    EXPECT_FALSE(search->zipcode_img2->isVisible());

    QTableWidget* grid = search->AdvColumnGrid1;
    EXPECT_EQ(grid->geometry(), QRect(8, 60, 435, 187));
    EXPECT_EQ(grid->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(grid->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(grid->horizontalHeader()->sectionResizeMode(0), QHeaderView::Interactive);
    EXPECT_EQ(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
    const QStringList headers = {"우편번호", "시/도", "구/군", "동", "리", "번지"};
    const int widths[] = {55, 60, 55, 66, 75, 103};
    ASSERT_EQ(grid->columnCount(), 6);
    for (int column = 0; column < 6; ++column) {
        EXPECT_EQ(grid->horizontalHeaderItem(column)->text(), headers[column]);
        EXPECT_EQ(grid->columnWidth(column), widths[column]);
    }
    EXPECT_EQ(grid->rowCount(), 0);

    Search("역삼");
    ASSERT_EQ(grid->rowCount(), 5);
    EXPECT_EQ(grid->rowHeight(0), 19);
    const QStringList first = {"135-080", "부산광역시", "강남구", "역삼동 2가", "", "1-1번지"};
    const Qt::Alignment alignments[] = {Qt::AlignCenter,
                                        Qt::AlignCenter,
                                        Qt::AlignCenter,
                                        Qt::AlignLeft | Qt::AlignVCenter,
                                        Qt::AlignLeft | Qt::AlignVCenter,
                                        Qt::AlignLeft | Qt::AlignVCenter};
    for (int column = 0; column < 6; ++column) {
        EXPECT_EQ(grid->item(0, column)->text(), first[column]) << column;
        EXPECT_EQ(Qt::Alignment(grid->item(0, column)->textAlignment()), alignments[column]);
    }
}

struct SearchCase
{
    const char* name;
    QString text;
    QStringList codes;
};

// Each search follows one for 역삼 that filled five rows.
TEST_F(ZipcodeSearchTest, SearchReplacesTheRowsInDirectoryOrder)
{
    const SearchCase cases[] = {
        {"blanks around the text are removed", "  역삼 \t", YeoksamCodes},
        {"a blank inside the text stays", " 역삼동 2 ", {"135-080"}},
        {"a village matches by its own name", "역삼리", {"100-035"}},
        {"no match leaves the header only", "없는동", {}},
        {"a quote is a character of the text, not the end of the statement", "역'삼", {}},
        {"an empty text does nothing", "  ", YeoksamCodes},
    };
    for (const SearchCase& c : cases) {
        SCOPED_TRACE(c.name);
        Search("역삼");
        ASSERT_EQ(GridColumn(0), YeoksamCodes);
        Search(c.text);
        EXPECT_EQ(GridColumn(0), c.codes);
    }
}

TEST_F(ZipcodeSearchTest, WithoutTheLocalDatabaseTheGridStays)
{
    Search("역삼");
    login.reset();
    Search("청담");
    EXPECT_EQ(GridColumn(0), YeoksamCodes);
}

TEST_F(ZipcodeSearchTest, PressingTheButtonShowsItsTwinAndReleasingSearches)
{
    search->show();
    search->Edit_Zipcode->setText("역삼");
    QTest::mousePress(search->btn_zipcode1, Qt::LeftButton, {}, QPoint(10, 9));
    EXPECT_FALSE(search->btn_zipcode1->isVisible());
    EXPECT_TRUE(search->zipcode_img2->isVisible());
    EXPECT_EQ(search->AdvColumnGrid1->rowCount(), 0);
    QTest::mouseRelease(search->zipcode_img2, Qt::LeftButton, {}, QPoint(10, 9));
    EXPECT_TRUE(search->btn_zipcode1->isVisible());
    EXPECT_FALSE(search->zipcode_img2->isVisible());
    EXPECT_EQ(GridColumn(0), YeoksamCodes);
}

struct ChoiceCase
{
    const char* name;
    bool doubleClick;
    int row;
    QString part1;
    QString part2;
    QString address;
};

TEST_F(ZipcodeSearchTest, DoubleClickAndEnterWriteTheRowIntoTheFormAndClose)
{
    const ChoiceCase cases[] = {
        {"double click, empty village ends in one blank", true, 0, "135", "080",
         "부산광역시 강남구 역삼동 2가 "},
        {"Enter at once takes the first row", false, -1, "135", "080",
         "부산광역시 강남구 역삼동 2가 "},
        {"Enter on the selected row", false, 4, "100", "035", "인천광역시 중구 도곡동 4가 역삼리"},
        {"double click on the village row", true, 4, "100", "035",
         "인천광역시 중구 도곡동 4가 역삼리"},
    };
    for (const ChoiceCase& c : cases) {
        SCOPED_TRACE(c.name);
        form->Edit_kibon4->clear();
        form->Edit_kibon5->clear();
        form->lb_kibon1->clear();
        search->show();
        Search("역삼");
        QTableWidget* grid = search->AdvColumnGrid1;
        if (c.doubleClick) {
            const QPoint cell = grid->visualRect(grid->model()->index(c.row, 3)).center();
            QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, cell);
            QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell);
        } else {
            if (c.row >= 0)
                grid->setCurrentCell(c.row, 2);
            QTest::keyClick(grid, Qt::Key_Return);
        }
        EXPECT_EQ(form->Edit_kibon4->text(), c.part1);
        EXPECT_EQ(form->Edit_kibon5->text(), c.part2);
        EXPECT_EQ(form->lb_kibon1->text(), c.address);
        EXPECT_FALSE(search->isVisible());
        EXPECT_EQ(search->result(), QDialog::Accepted);
    }
}

TEST_F(ZipcodeSearchTest, EnterInAGridWithoutRowsChoosesNothing)
{
    form->lb_kibon1->setText("그대로");
    search->show();
    Search("없는동");
    QTest::keyClick(search->AdvColumnGrid1, Qt::Key_Return);
    EXPECT_TRUE(search->isVisible());
    EXPECT_EQ(form->lb_kibon1->text(), "그대로");
    EXPECT_TRUE(form->Edit_kibon4->text().isEmpty());
}

TEST_F(ZipcodeSearchTest, AChoiceAfterTheFormIsGoneWritesNothing)
{
    search->setParent(nullptr);
    std::unique_ptr<PostalSearchWindow> orphan(search);
    form.reset();
    orphan->show();
    Search("역삼");
    orphan->AdvColumnGrid1DblClickCell(0, 0);
    EXPECT_FALSE(orphan->isVisible());
}

// The search runs in its own message loop, as the form opens it; typing and keys arrive there.
TEST_F(ZipcodeSearchTest, ModalSearchTypedAndChosenWithTheKeyboard)
{
    QTimer::singleShot(0, search, [this] {
        QInputMethodEvent typed;
        typed.setCommitString("역삼");
        QApplication::sendEvent(search->Edit_Zipcode, &typed);
        QTest::keyClick(search->Edit_Zipcode, Qt::Key_Enter);
        search->AdvColumnGrid1->setFocus();
        QTest::keyClick(search->AdvColumnGrid1, Qt::Key_Down);
        QTest::keyClick(search->AdvColumnGrid1, Qt::Key_Return);
    });
    EXPECT_EQ(ShowModal(*search), QDialog::Accepted);
    EXPECT_EQ(form->Edit_kibon4->text(), "100");
    EXPECT_EQ(form->Edit_kibon5->text(), "002");
    EXPECT_EQ(form->lb_kibon1->text(), "대구광역시 강남구 역삼동 ");
}

} // namespace
