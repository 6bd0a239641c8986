#pragma once

#include "DayHoursPictures.h"
#include "DayHoursRow.h"
#include "FetchState.h"
#include "WebBrowser.h"

#include <QDialog>
#include <QStringList>
#include <optional>
#include <vector>

class PictureButton;

// Where the controls of every row stand, from the left, and how wide the wide ones are.
struct DayHoursColumns
{
    int name;
    int box;
    int start;
    int startWidth;
    int from;
    int end;
    int endWidth;
    int to;
    int date;
    int dateWidth;
};

// What tells the legal-holiday window and the festival window apart.
struct DayHoursSetup
{
    QString caption;
    QSize clientSize;
    DayHoursHeading picture;
    QString page;        // the service page of both requests
    QString controlName; // lb_, chk_, cmb_ and Edit_ + it + number; it + "_img" + number
    QString buttonName;  // the picture buttons: it + 1 (save), 2 (reset), 3 (close)
    std::vector<int> rowTops;
    QStringList designCaptions; // the name labels' captions before a record fills them
    int fetchRows;              // the rows whose empty fields the fetch carries
    bool oneFestival;           // show only the records named as the first one shown
    QString savedMessage;
    DayHoursColumns columns;
    QPoint headerAt; // "근무유무" above the working boxes
    int closeBarTop;
};

// The window shared by the legal-holiday and festival hours: rows of day records fetched from
// the service page when the window is shown, edited, and saved back all at once.
class DayHoursWindow : public QDialog
{
    Q_OBJECT

public:
    // "1" from the moment the fetch is sent, "2" from the moment the save is sent.
    QString RequestMode;
    QString LicenseNo;
    QString RequestBody;

    WebBrowser WebBrowser1{QStringLiteral("WebBrowser1")};

    // Row n, counted from 1.
    const DayHoursRow& Row(int n) const;
    int RowCount() const;

    PictureButton* SaveButton() const { return buttons_[0]; }
    PictureButton* ResetButton() const { return buttons_[1]; }
    PictureButton* CloseButton() const { return buttons_[2]; }

    // Reads the licence number and asks the service for the registered hours.
    void FormShow();
    // Whether the rows hold the answer to the last fetch; the save waits for it.
    FetchState Fetch() const { return fetch_; }

    // The save, reset and close buttons.
    void ButtonClick(const PictureButton* sender);
    // The user's pick in row n's start list moves its end to the next half hour.
    void StartListClick(int n);
    void WebBrowser1DocumentComplete(const QString& url);
    // The page handling of a completed page's address and text.
    void PageArrived(const QString& url, const QString& text);
    void SendRequest(const QString& body);

protected:
    DayHoursWindow(DayHoursSetup setup, QWidget* parent);

    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Save();
    void Reset();
    // Fills the rows from the records; the index of a record that could not be read, which
    // ends the filling.
    std::optional<qsizetype> FillRows(const QStringList& records);
    void ResetButtonImages();

    void AddBackground();
    void AddRow(int n, int top);
    void AddButtons();
    PictureButton* NewPictureButton(int number, DayHoursButton kind, QRect place,
                                    int pressedNumber);

    DayHoursSetup setup_;
    FetchState fetch_ = FetchState::Pending;
    std::vector<DayHoursRow> rows_;
    std::vector<PictureButton*> buttons_;
};
