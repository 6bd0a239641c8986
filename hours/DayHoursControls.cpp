#include "hours/DayHoursControls.h"

#include "core/program/PictureButton.h"
#include "core/program/TimeSlots.h"
#include "core/program/WindowFonts.h"
#include "hours/TimeListPopup.h"
#include "resources/PictureFont.h"

#include <QDialog>

namespace {

constexpr int ListHeight = 23;
constexpr int BoxSize = 17;
constexpr QSize ButtonSize(81, 23);
constexpr int ButtonTop = 527;
constexpr int SaveButtonLeft = 169;
constexpr int ResetButtonLeft = 268;
constexpr int CloseBarWidth = 500;
constexpr int CloseBarHeight = 27;

// A row's control, hidden until a record fills the row.
template <class Control> Control* RowPart(Control* control, int n, const char* part)
{
    control->setObjectName(QStringLiteral("row%1%2").arg(n).arg(QLatin1String(part)));
    control->hide();
    return control;
}

QLabel* SmallLabel(QLabel* label, QPoint at)
{
    label->setFont(PictureFont(11, QFont::Normal));
    label->setGeometry(QRect(at, QSize(26, ListHeight)));
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label->setEnabled(false);
    return label;
}

QComboBox* TimeList(QComboBox* list, const QStringList& items, QRect place)
{
    list->addItems(items);
    BoundTimeListPopup(*list);
    list->setFont(DotumCheFont(15, true));
    list->setGeometry(place);
    list->setEnabled(false);
    return list;
}

void AddBackground(QDialog* window, const DayHoursSetup& setup)
{
    auto* background = new QLabel(window);
    background->setObjectName(QStringLiteral("background"));
    background->setGeometry(QRect(QPoint(0, 0), setup.clientSize));
    background->setPixmap(QPixmap::fromImage(DayHoursBackground(setup.heading, setup.clientSize)));
}

void AddHeader(QDialog* window, QPoint at)
{
    auto* header = new QLabel(QStringLiteral("근무유무"), window);
    header->setObjectName(QStringLiteral("workingHeader"));
    header->setFont(PictureFont(12));
    header->move(at);
    header->adjustSize();
}

DayHoursRow NewRow(QDialog* window, const DayHoursSetup& setup, int n, int top)
{
    const DayHoursColumns& at = setup.columns;
    DayHoursRow row{
        .name = RowPart(new QLabel(setup.designCaptions.value(n - 1), window), n, "Name"),
        .working = RowPart(new QCheckBox(window), n, "Working"),
        .start = TimeList(RowPart(new QComboBox(window), n, "Start"), StartTimeLabels(),
                          QRect(at.start, top, at.startWidth, ListHeight)),
        .from = SmallLabel(RowPart(new QLabel(QStringLiteral("부터"), window), n, "From"),
                           QPoint(at.from, top)),
        .end = TimeList(RowPart(new QComboBox(window), n, "End"), EndTimeLabels(),
                        QRect(at.end, top, at.endWidth, ListHeight)),
        .to = SmallLabel(RowPart(new QLabel(QStringLiteral("까지"), window), n, "To"),
                         QPoint(at.to, top)),
        .date = RowPart(new QLineEdit(window), n, "Date"),
    };
    row.name->setTextFormat(Qt::PlainText); // the name the service sends
    row.name->setFont(DotumCheFont(16, true));
    row.name->setGeometry(at.name, top, at.box - at.name, ListHeight);
    row.name->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    row.working->setGeometry(at.box, top + (ListHeight - BoxSize) / 2, BoxSize, BoxSize);
    row.date->setFont(DotumCheFont(15, true));
    row.date->setGeometry(at.date, top, at.dateWidth, ListHeight);
    row.date->setAlignment(Qt::AlignCenter);
    row.date->setEnabled(false);
    return row;
}

// The button and its pressed twin at one place.
PictureButton* NewPictureButton(QDialog* window, DayHoursButton kind, QRect place,
                                const QString& name)
{
    const QSize size = place.size();
    auto* button = new PictureButton(
        window, [kind, size] { return DayHoursButtonPicture(kind, size, false); }, place,
        [kind, size] { return DayHoursButtonPicture(kind, size, true); }, place);
    button->setObjectName(name);
    button->PressedPicture()->setObjectName(name + QStringLiteral("Pressed"));
    return button;
}

} // namespace

DayHoursControls::DayHoursControls(QDialog* window, const DayHoursSetup& setup)
{
    AddBackground(window, setup);
    AddHeader(window, setup.headerAt);
    for (std::size_t i = 0; i < setup.rowTops.size(); ++i)
        rows.push_back(NewRow(window, setup, static_cast<int>(i) + 1, setup.rowTops[i]));
    save = NewPictureButton(window, DayHoursButton::Save,
                            QRect({SaveButtonLeft, ButtonTop}, ButtonSize),
                            QStringLiteral("saveButton"));
    reset = NewPictureButton(window, DayHoursButton::Reset,
                             QRect({ResetButtonLeft, ButtonTop}, ButtonSize),
                             QStringLiteral("resetButton"));
    close = NewPictureButton(window, DayHoursButton::Close,
                             QRect(0, setup.closeBarTop, CloseBarWidth, CloseBarHeight),
                             QStringLiteral("closeBar"));
    for (PictureButton* button : {save, reset, close})
        button->ShowPressesAfter(window, [this] { ReleaseButtons(); });
}

void DayHoursControls::ReleaseButtons() const
{
    for (PictureButton* button : {save, reset, close})
        button->ShowReleased();
}

bool DayHoursControls::ButtonHeld() const
{
    return save->IsHeld() || reset->IsHeld() || close->IsHeld();
}
