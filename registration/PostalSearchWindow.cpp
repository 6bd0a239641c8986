#include "registration/PostalSearchWindow.h"

#include "core/localdb/LocalDatabase.h"
#include "core/localdb/LocalStatements.h"
#include "core/localdb/SqlOperations.h"
#include "core/program/PictureButton.h"
#include "core/program/Trimmed.h"
#include "core/program/WindowFonts.h"
#include "resources/PostalSearchPictures.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QSqlQuery>
#include <QStringList>
#include <QTableWidget>
#include <array>
#include <vector>

Q_LOGGING_CATEGORY(lcPostalSearch, "quillane.postalsearch")

namespace {

constexpr int ClientWidth = 450;
constexpr int ClientHeight = 253;
constexpr int RowHeight = 19;

struct GridColumn
{
    const char16_t* header;
    int width;
    Qt::Alignment alignment;
    const char* tableColumn;
};

const std::array<GridColumn, 6> GridColumns{{
    {u"우편번호", 55, Qt::AlignCenter, "ZIPCODE"},
    {u"시/도", 60, Qt::AlignCenter, "SIDO"},
    {u"구/군", 55, Qt::AlignCenter, "GUGUN"},
    {u"동", 66, Qt::AlignLeft | Qt::AlignVCenter, "DONG"},
    {u"리", 75, Qt::AlignLeft | Qt::AlignVCenter, "RI"},
    {u"번지", 103, Qt::AlignLeft | Qt::AlignVCenter, "BUNJI"},
}};

bool IsEnter(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

PostalSearchWindow::PostalSearchWindow(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("초록우체통 우편번호"));
    setFont(TahomaFont(11, false));
    setFixedSize(ClientWidth, ClientHeight);
    auto* background = new QLabel(this);
    background->setObjectName(QStringLiteral("background"));
    background->setGeometry(0, 0, 450, 250);
    background->setPixmap(QPixmap::fromImage(PostalSearchBackground()));
    searchText_ = new QLineEdit(this);
    searchText_->setObjectName(QStringLiteral("searchText"));
    searchText_->setGeometry(8, 35, 352, 19);
    searchText_->installEventFilter(this);
    searchButton_ = NewSearchButton();
    results_ = new QTableWidget(this);
    SetUpGrid();
    setTabOrder(searchText_, results_);
}

// The button's pressed twin is "searchButtonPressed"; a release over the button searches.
PictureButton* PostalSearchWindow::NewSearchButton()
{
    const QRect place(366, 35, 77, 18);
    auto* button = new PictureButton(
        this, [] { return PostalSearchButton(false); }, place,
        [] { return PostalSearchButton(true); }, place);
    button->setObjectName(QStringLiteral("searchButton"));
    button->PressedPicture()->setObjectName(QStringLiteral("searchButtonPressed"));
    connect(button, &PictureButton::Pressed, button, &PictureButton::ShowPressed);
    connect(button, &PictureButton::Released, button, &PictureButton::ShowReleased);
    connect(button, &PictureButton::Clicked, this, &PostalSearchWindow::Search);
    return button;
}

// Six columns under one header row; whole rows are chosen, the user may widen columns.
void PostalSearchWindow::SetUpGrid()
{
    results_->setObjectName(QStringLiteral("results"));
    results_->setGeometry(8, 60, 435, 187);
    results_->setColumnCount(static_cast<int>(GridColumns.size()));
    for (int column = 0; column < results_->columnCount(); ++column) {
        const GridColumn& layout = GridColumns[static_cast<std::size_t>(column)];
        auto* header = new QTableWidgetItem(QString::fromUtf16(layout.header));
        header->setTextAlignment(Qt::AlignCenter);
        results_->setHorizontalHeaderItem(column, header);
        results_->setColumnWidth(column, layout.width);
    }
    QHeaderView* header = results_->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setFixedHeight(RowHeight);
    header->setHighlightSections(false);
    results_->verticalHeader()->hide();
    results_->verticalHeader()->setMinimumSectionSize(RowHeight);
    results_->verticalHeader()->setDefaultSectionSize(RowHeight);
    results_->setSelectionBehavior(QAbstractItemView::SelectRows);
    results_->setSelectionMode(QAbstractItemView::SingleSelection);
    results_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    results_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    results_->setWordWrap(false);
    results_->installEventFilter(this);
    connect(results_, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int /*column*/) { ChooseRow(row); });
}

void PostalSearchWindow::showEvent(QShowEvent* event)
{
    searchButton_->ShowReleased();
    QDialog::showEvent(event);
}

// Enter in the search text searches; Enter in the grid chooses its current row.
bool PostalSearchWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    if (!IsEnter(static_cast<QKeyEvent*>(event)->key()))
        return false;
    if (watched == searchText_)
        Search();
    else if (watched == results_)
        ChooseRow(results_->currentRow());
    else
        return false;
    return true;
}

// The trimmed search text goes into the statement with its quotes doubled; an empty text does
// nothing, and a failing statement leaves the grid as it was.
void PostalSearchWindow::Search()
{
    const QString text = Trimmed(searchText_->text());
    if (text.isEmpty())
        return;
    if (!LocalQuery) {
        qCWarning(lcPostalSearch) << "no local database to search";
        return;
    }
    QString error;
    if (!OpenSql(*LocalQuery, ZipSearchStatement(text), error)) {
        qCWarning(lcPostalSearch) << "search failed:" << error;
        return;
    }
    ShowResults(*LocalQuery);
}

// One grid row per row found, in the table's order. As in any grid, a data row is always
// selected: the first after each search.
void PostalSearchWindow::ShowResults(QSqlQuery& query)
{
    std::vector<QStringList> found;
    while (query.next()) {
        QStringList row;
        for (const GridColumn& column : GridColumns)
            row << query.value(QString::fromLatin1(column.tableColumn)).toString();
        found.push_back(row);
    }
    results_->setRowCount(static_cast<int>(found.size()));
    for (int row = 0; row < results_->rowCount(); ++row) {
        for (int column = 0; column < results_->columnCount(); ++column) {
            auto* item = new QTableWidgetItem(found[static_cast<std::size_t>(row)][column]);
            item->setTextAlignment(GridColumns[static_cast<std::size_t>(column)].alignment);
            results_->setItem(row, column, item);
        }
    }
    if (results_->rowCount() > 0)
        results_->setCurrentCell(0, 0);
}

// Only data rows are choices. The code's "-" is dropped; the lot number is not used.
void PostalSearchWindow::ChooseRow(int row)
{
    if (row < 0 || row >= results_->rowCount())
        return;
    const auto text = [this, row](int column) {
        const QTableWidgetItem* item = results_->item(row, column);
        return item ? item->text() : QString();
    };
    const QString postalCode = text(0);
    emit Chosen(
        postalCode.mid(0, 3), postalCode.mid(4, 3),
        QStringList{Trimmed(text(1)), Trimmed(text(2)), Trimmed(text(3)), Trimmed(text(4))}.join(
            QLatin1Char(' ')));
    accept();
}
