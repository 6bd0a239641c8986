#pragma once

#include <QDialog>

class PictureButton;
class QLineEdit;
class QSqlQuery;
class QTableWidget;

// The postal-code search (caption "초록우체통 우편번호"): finds a town or village in the local
// postal table and hands the chosen postal code and address line to the basic-information window
// that opened it. Lives for one search, shown modally. Its search text is "searchText", its
// button "searchButton" and its grid "results".
class PostalSearchWindow : public QDialog
{
    Q_OBJECT

public:
    explicit PostalSearchWindow(QWidget* parent);

signals:
    // A data row was chosen by a double click or Enter: the postal code's three digits before
    // and after its "-", and province, district, town and village joined with single spaces.
    void Chosen(const QString& postalCode1, const QString& postalCode2, const QString& addressLine);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    PictureButton* NewSearchButton();
    void SetUpGrid();
    void Search();
    void ShowResults(QSqlQuery& query);
    void ChooseRow(int row);

    QLineEdit* searchText_;
    PictureButton* searchButton_;
    QTableWidget* results_;
};
