#include "PostalSearchWindow.h"

#include "BasicInfoWindow.h"
#include "LocalDatabase.h"
#include "LocalStatements.h"
#include "PostalSearchPictures.h"
#include "Quillane_Define.h"
#include "SqlOperations.h"
#include "WindowFonts.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLoggingCategory>
#include <QSqlQuery>
#include <QStringList>
#include <array>
#include <vector>

Q_LOGGING_CATEGORY(lcZipcode, "quillane.zipcode")

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

PostalSearchWindow::PostalSearchWindow(BasicInfoWindow* basicInformation)
    : QDialog(basicInformation), basicInformation_(basicInformation)
{
    setWindowTitle(QStringLiteral("초록우체통 우편번호"));
    setFont(TahomaFont(11, false));
    setFixedSize(ClientWidth, ClientHeight);
    Zipcode_img1->setGeometry(0, 0, 450, 250);
    Zipcode_img1->setPixmap(QPixmap::fromImage(PostalSearchBackground()));
    Edit_Zipcode->setGeometry(8, 35, 352, 19);
    Edit_Zipcode->installEventFilter(this);
    SetUpGrid();
    setTabOrder(Edit_Zipcode, AdvColumnGrid1);
}

PictureButton* PostalSearchWindow::NewSearchButton()
{
    const QRect place(366, 35, 77, 18);
    auto* button = new PictureButton(
        this, [] { return PostalSearchButton(false); }, place,
        [] { return PostalSearchButton(true); }, place);
    connect(button, &PictureButton::Pressed, this, &PostalSearchWindow::btn_zipcode1MouseDown);
    connect(button, &PictureButton::Released, this, &PostalSearchWindow::btn_zipcode1MouseUp);
    connect(button, &PictureButton::Clicked, this, &PostalSearchWindow::btn_zipcode1Click);
    return button;
}

// Six columns under one header row; whole rows are chosen, the user may widen columns.
void PostalSearchWindow::SetUpGrid()
{
    AdvColumnGrid1->setGeometry(8, 60, 435, 187);
    AdvColumnGrid1->setColumnCount(static_cast<int>(GridColumns.size()));
    for (int column = 0; column < AdvColumnGrid1->columnCount(); ++column) {
        const GridColumn& layout = GridColumns[static_cast<std::size_t>(column)];
        auto* header = new QTableWidgetItem(QString::fromUtf16(layout.header));
        header->setTextAlignment(Qt::AlignCenter);
        AdvColumnGrid1->setHorizontalHeaderItem(column, header);
        AdvColumnGrid1->setColumnWidth(column, layout.width);
    }
    QHeaderView* header = AdvColumnGrid1->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setFixedHeight(RowHeight);
    header->setHighlightSections(false);
    AdvColumnGrid1->verticalHeader()->hide();
    AdvColumnGrid1->verticalHeader()->setMinimumSectionSize(RowHeight);
    AdvColumnGrid1->verticalHeader()->setDefaultSectionSize(RowHeight);
    AdvColumnGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    AdvColumnGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    AdvColumnGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    AdvColumnGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    AdvColumnGrid1->setWordWrap(false);
    AdvColumnGrid1->installEventFilter(this);
    connect(AdvColumnGrid1, &QTableWidget::cellDoubleClicked, this,
            &PostalSearchWindow::AdvColumnGrid1DblClickCell);
}

void PostalSearchWindow::showEvent(QShowEvent* event)
{
    FormShow();
    QDialog::showEvent(event);
}

void PostalSearchWindow::FormShow()
{
    btn_zipcode1->ShowReleased();
}

bool PostalSearchWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (!IsEnter(key))
        return false;
    if (watched == Edit_Zipcode)
        Edit_ZipcodeKeyDown(key);
    else if (watched == AdvColumnGrid1)
        AdvColumnGrid1KeyDown(key);
    else
        return false;
    return true;
}

void PostalSearchWindow::Edit_ZipcodeKeyDown(int key)
{
    if (IsEnter(key))
        btn_zipcode1Click();
}

// The search text goes into the statement with its quotes doubled; a failing statement leaves
// the grid as it was.
void PostalSearchWindow::btn_zipcode1Click()
{
    const QString text = Trimmed(Edit_Zipcode->text());
    if (text.isEmpty())
        return;
    if (!LocalQuery) {
        qCWarning(lcZipcode) << "no local database to search";
        return;
    }
    QString error;
    if (!OpenSql(*LocalQuery, ZipSearchStatement(text), error)) {
        qCWarning(lcZipcode) << "search failed:" << error;
        return;
    }
    FillResultGrid(*LocalQuery);
}

// As in any grid, a data row is always selected: the first after each search.
void PostalSearchWindow::FillResultGrid(QSqlQuery& query)
{
    std::vector<QStringList> found;
    while (query.next()) {
        QStringList row;
        for (const GridColumn& column : GridColumns)
            row << query.value(QString::fromLatin1(column.tableColumn)).toString();
        found.push_back(row);
    }
    AdvColumnGrid1->setRowCount(static_cast<int>(found.size()));
    for (int row = 0; row < AdvColumnGrid1->rowCount(); ++row) {
        for (int column = 0; column < AdvColumnGrid1->columnCount(); ++column) {
            auto* item = new QTableWidgetItem(found[static_cast<std::size_t>(row)][column]);
            item->setTextAlignment(GridColumns[static_cast<std::size_t>(column)].alignment);
            AdvColumnGrid1->setItem(row, column, item);
        }
    }
    if (AdvColumnGrid1->rowCount() > 0)
        AdvColumnGrid1->setCurrentCell(0, 0);
}

void PostalSearchWindow::AdvColumnGrid1DblClickCell(int row, int /*column*/)
{
    ChooseRow(row);
}

void PostalSearchWindow::AdvColumnGrid1KeyDown(int key)
{
    if (IsEnter(key))
        ChooseRow(AdvColumnGrid1->currentRow());
}

void PostalSearchWindow::btn_zipcode1MouseDown()
{
    btn_zipcode1->ShowPressed();
}

void PostalSearchWindow::btn_zipcode1MouseUp()
{
    btn_zipcode1->ShowReleased();
}

// Only data rows are choices. The code's "-" is dropped; the lot number is not used.
void PostalSearchWindow::ChooseRow(int row)
{
    if (row < 0 || row >= AdvColumnGrid1->rowCount())
        return;
    const auto text = [this, row](int column) {
        const QTableWidgetItem* item = AdvColumnGrid1->item(row, column);
        return item ? item->text() : QString();
    };
    if (basicInformation_) {
        const QString zipcode = text(0);
        basicInformation_->Edit_kibon4->setText(zipcode.mid(0, 3));
        basicInformation_->Edit_kibon5->setText(zipcode.mid(4, 3));
        basicInformation_->lb_kibon1->setText(
            QStringList{Trimmed(text(1)), Trimmed(text(2)), Trimmed(text(3)), Trimmed(text(4))}
                .join(QLatin1Char(' ')));
    }
    accept();
}
