#pragma once

#include "PictureButton.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTableWidget>

class QSqlQuery;
class BasicInfoWindow;

// The postal-code search: finds a district or village in the local postal table and writes the
// chosen code and address into the basic-information window that opened it. Lives for one
// search, shown modally.
class PostalSearchWindow : public QDialog
{
    Q_OBJECT

public:
    // The choice goes into this window; when it is gone by then, nothing is written.
    explicit PostalSearchWindow(BasicInfoWindow* basicInformation);

    QLabel* Zipcode_img1 = new QLabel(this); // the background with the hint
    QLineEdit* Edit_Zipcode = new QLineEdit(this);
    PictureButton* btn_zipcode1 = NewSearchButton();
    QLabel* zipcode_img2 = btn_zipcode1->PressedPicture();
    QTableWidget* AdvColumnGrid1 = new QTableWidget(this);

    // Runs the search for the trimmed text of Edit_Zipcode; an empty text does nothing.
    void btn_zipcode1Click();
    // Copies the rows of the finished search into the grid, one grid row per result row, and
    // selects the first.
    void FillResultGrid(QSqlQuery& query);
    // Writes the row's postal code and address into the basic-information window and closes.
    void AdvColumnGrid1DblClickCell(int row, int column);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormShow();
    void Edit_ZipcodeKeyDown(int key);
    void AdvColumnGrid1KeyDown(int key);
    void btn_zipcode1MouseDown();
    void btn_zipcode1MouseUp();
    PictureButton* NewSearchButton();
    void SetUpGrid();
    void ChooseRow(int row);

    QPointer<BasicInfoWindow> basicInformation_;
};
