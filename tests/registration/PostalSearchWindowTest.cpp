#include "registration/PostalSearchWindow.h"

#include "core/localdb/LocalDatabase.h"
#include "core/localdb/LocalDatabaseSession.h"
#include "core/program/MessageBox.h"
#include "core/program/ModalDialog.h"
#include "core/program/Pharmacy.h"
#include "core/program/ProgramValues.h"
#include "registration/BasicInfoWindow.h"
#include "tests/registration/BasicInfoControls.h"

#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableWidget>
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
// a search opened on it, its controls found by their object names.
class PostalSearchWindowTest : public ::testing::Test
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
        login = std::make_unique<LocalDatabaseSession>();
        ASSERT_NE(LocalQuery, nullptr);
        form = std::make_unique<BasicInfoWindow>(pharmacy);
        search = new PostalSearchWindow(form.get());
        searchText = Find<QLineEdit>(*search, "searchText");
        searchButton = Find<PictureButton>(*search, "searchButton");
        results = Find<QTableWidget>(*search, "results");
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
        searchText->setText(text);
        QTest::keyClick(searchText, Qt::Key_Return);
    }

    QStringList GridColumn(int column) const
    {
        QStringList texts;
        for (int row = 0; row < results->rowCount(); ++row)
            texts << results->item(row, column)->text();
        return texts;
    }

    QTemporaryDir folder;
    std::vector<MessageRequest> messages;
    std::unique_ptr<LocalDatabaseSession> login;
    Pharmacy pharmacy;
    std::unique_ptr<BasicInfoWindow> form;
    PostalSearchWindow* search = nullptr;
    QLineEdit* searchText = nullptr;
    PictureButton* searchButton = nullptr;
    QTableWidget* results = nullptr;
};

TEST_F(PostalSearchWindowTest, WindowAndGridLayout)
{
    search->show();
    EXPECT_EQ(search->windowTitle(), "초록우체통 우편번호");
    EXPECT_EQ(search->size(), QSize(450, 253));
    EXPECT_EQ(search->minimumSize(), search->maximumSize());
    EXPECT_EQ(search->parent(), form.get());
    EXPECT_EQ(Find<QLabel>(*search, "background")->geometry(), QRect(0, 0, 450, 250));
    EXPECT_EQ(searchText->geometry(), QRect(8, 35, 352, 19));
    EXPECT_EQ(searchButton->geometry(), QRect(366, 35, 77, 18));
    EXPECT_EQ(searchButton->PressedPicture()->geometry(), QRect(366, 35, 77, 18));
    EXPECT_TRUE(searchButton->isVisible());
    EXPECT_FALSE(searchButton->PressedPicture()->isVisible());

    QTableWidget* grid = results;
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
TEST_F(PostalSearchWindowTest, SearchReplacesTheRowsInDirectoryOrder)
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

TEST_F(PostalSearchWindowTest, WithoutTheLocalDatabaseTheGridStays)
{
    Search("역삼");
    login.reset();
    Search("청담");
    EXPECT_EQ(GridColumn(0), YeoksamCodes);
}

TEST_F(PostalSearchWindowTest, PressingTheButtonShowsItsTwinAndReleasingSearches)
{
    search->show();
    searchText->setText("역삼");
    QLabel* pressed = Find<QLabel>(*search, "searchButtonPressed");
    QTest::mousePress(searchButton, Qt::LeftButton, {}, QPoint(10, 9));
    EXPECT_FALSE(searchButton->isVisible());
    EXPECT_TRUE(pressed->isVisible());
    EXPECT_EQ(results->rowCount(), 0);
    QTest::mouseRelease(pressed, Qt::LeftButton, {}, QPoint(10, 9));
    EXPECT_TRUE(searchButton->isVisible());
    EXPECT_FALSE(pressed->isVisible());
    EXPECT_EQ(GridColumn(0), YeoksamCodes);
}

// What the search hands to the window that opened it.
struct Choice
{
    QString postalCode1;
    QString postalCode2;
    QString addressLine;

    bool operator==(const Choice&) const = default;
};

void PrintTo(const Choice& choice, std::ostream* out)
{
    *out
        << (choice.postalCode1 + '|' + choice.postalCode2 + '|' + choice.addressLine).toStdString();
}

std::vector<Choice> ChoicesOf(const QSignalSpy& spy)
{
    std::vector<Choice> choices;
    for (const QList<QVariant>& arguments : spy)
        choices.push_back(
            {arguments[0].toString(), arguments[1].toString(), arguments[2].toString()});
    return choices;
}

struct ChoiceCase
{
    const char* name;
    bool doubleClick;
    int row;
    Choice choice;
};

TEST_F(PostalSearchWindowTest, DoubleClickAndEnterChooseTheRowAndClose)
{
    const ChoiceCase cases[] = {
        {.name = "double click, empty village ends in one blank",
         .doubleClick = true,
         .row = 0,
         .choice = {"135", "080", "부산광역시 강남구 역삼동 2가 "}},
        {.name = "Enter at once takes the first row",
         .doubleClick = false,
         .row = -1,
         .choice = {"135", "080", "부산광역시 강남구 역삼동 2가 "}},
        {.name = "Enter on the selected row",
         .doubleClick = false,
         .row = 4,
         .choice = {"100", "035", "인천광역시 중구 도곡동 4가 역삼리"}},
        {.name = "double click on the village row",
         .doubleClick = true,
         .row = 4,
         .choice = {"100", "035", "인천광역시 중구 도곡동 4가 역삼리"}},
    };
    for (const ChoiceCase& c : cases) {
        SCOPED_TRACE(c.name);
        const QSignalSpy chosen(search, &PostalSearchWindow::Chosen);
        search->show();
        Search("역삼");
        if (c.doubleClick) {
            const QPoint cell = results->visualRect(results->model()->index(c.row, 3)).center();
            QTest::mousePress(results->viewport(), Qt::LeftButton, {}, cell);
            QTest::mouseDClick(results->viewport(), Qt::LeftButton, {}, cell);
        } else {
            if (c.row >= 0)
                results->setCurrentCell(c.row, 2);
            QTest::keyClick(results, Qt::Key_Return);
        }
        EXPECT_EQ(ChoicesOf(chosen), std::vector<Choice>{c.choice});
        EXPECT_FALSE(search->isVisible());
        EXPECT_EQ(search->result(), QDialog::Accepted);
    }
}

TEST_F(PostalSearchWindowTest, EnterInAGridWithoutRowsChoosesNothing)
{
    const QSignalSpy chosen(search, &PostalSearchWindow::Chosen);
    search->show();
    Search("없는동");
    QTest::keyClick(results, Qt::Key_Return);
    EXPECT_TRUE(search->isVisible());
    EXPECT_EQ(chosen.count(), 0);
}

TEST_F(PostalSearchWindowTest, ASearchWithoutItsWindowStillClosesOnAChoice)
{
    search->setParent(nullptr);
    std::unique_ptr<PostalSearchWindow> orphan(search);
    form.reset();
    orphan->show();
    Search("역삼");
    QTest::keyClick(results, Qt::Key_Return);
    EXPECT_FALSE(orphan->isVisible());
}

// The search runs in its own message loop, as the window opens it; typing and keys arrive there.
TEST_F(PostalSearchWindowTest, ModalSearchTypedAndChosenWithTheKeyboard)
{
    const QSignalSpy chosen(search, &PostalSearchWindow::Chosen);
    QTimer::singleShot(0, search, [this] {
        QInputMethodEvent typed;
        typed.setCommitString("역삼");
        QApplication::sendEvent(searchText, &typed);
        QTest::keyClick(searchText, Qt::Key_Enter);
        results->setFocus();
        QTest::keyClick(results, Qt::Key_Down);
        QTest::keyClick(results, Qt::Key_Return);
    });
    EXPECT_EQ(ShowModal(*search), QDialog::Accepted);
    const Choice second{"100", "002", "대구광역시 강남구 역삼동 "};
    EXPECT_EQ(ChoicesOf(chosen), std::vector<Choice>{second});
}

// Enter in the pharmacy name opens the search; its choice fills the postal code and the
// address line of the basic-information window, whose detail address takes the street next.
TEST_F(PostalSearchWindowTest, AChoiceFillsTheBasicInformationWindowThatOpenedIt)
{
    SetModalDialogHandler([](QDialog& opened) {
        auto* text = Find<QLineEdit>(opened, "searchText");
        text->setText("역삼");
        QTest::keyClick(text, Qt::Key_Return);
        QTest::keyClick(Find<QTableWidget>(opened, "results"), Qt::Key_Return);
        return opened.result();
    });
    const BasicInfoFields fields = FieldsOf(*form);
    fields.addressLine->setText("그전 주소");
    fields.detailAddress->setText("그전 상세");

    QTest::keyClick(fields.pharmacyName, Qt::Key_Return);
    SetModalDialogHandler({});

    EXPECT_EQ(fields.postalCode1->text(), "135");
    EXPECT_EQ(fields.postalCode2->text(), "080");
    EXPECT_EQ(fields.addressLine->text(), "부산광역시 강남구 역삼동 2가 ");
    EXPECT_TRUE(fields.detailAddress->text().isEmpty());
    EXPECT_TRUE(fields.detailAddress->isEnabled());
}

} // namespace
