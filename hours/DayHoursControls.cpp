#include "DayHoursWindow.h"
#include "PictureButton.h"
#include "PictureFont.h"
#include "TimeListPopup.h"
#include "TimeSlots.h"
#include "WindowFonts.h"

namespace {

constexpr int ListHeight = 23;
constexpr int BoxSize = 17;
constexpr QSize ButtonSize(81, 23);
constexpr int ButtonTop = 527;
constexpr int SaveButtonLeft = 169;
constexpr int ResetButtonLeft = 268;
constexpr int CloseBarWidth = 500;
constexpr int CloseBarHeight = 27;

template <class Control> Control* Named(Control* control, const QString& name)
{
    control->setObjectName(name);
    control->hide();
    return control;
}

QLabel* SmallLabel(QWidget* parent, const QString& caption, const QString& name, QPoint at)
{
    auto* label = Named(new QLabel(caption, parent), name);
    label->setFont(PictureFont(11, QFont::Normal));
    label->setGeometry(QRect(at, QSize(26, ListHeight)));
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label->setEnabled(false);
    return label;
}

QComboBox* TimeList(QWidget* parent, const QStringList& items, const QString& name, QRect place)
{
    auto* list = Named(new QComboBox(parent), name);
    list->addItems(items);
    BoundTimeListPopup(*list);
    list->setFont(DotumCheFont(15, true));
    list->setGeometry(place);
    list->setEnabled(false);
    return list;
}

} // namespace

DayHoursWindow::DayHoursWindow(DayHoursSetup setup, QWidget* parent)
    : QDialog(parent), setup_(std::move(setup))
{
    setWindowTitle(setup_.caption);
    setFixedSize(setup_.clientSize);
    AddBackground();

    auto* header = new QLabel(QStringLiteral("근무유무"), this);
    header->setObjectName(QStringLiteral("Label11"));
    header->setFont(PictureFont(12));
    header->move(setup_.headerAt);
    header->adjustSize();

    for (std::size_t i = 0; i < setup_.rowTops.size(); ++i)
        AddRow(static_cast<int>(i) + 1, setup_.rowTops[i]);
    AddButtons();
    connect(&WebBrowser1, &WebBrowser::DocumentComplete, this,
            &DayHoursWindow::WebBrowser1DocumentComplete);
}

// A repaint restores every button, except while one is held down.
void DayHoursWindow::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    for (const PictureButton* button : buttons_) {
        if (button->IsHeld())
            return;
    }
    ResetButtonImages();
}

void DayHoursWindow::ResetButtonImages()
{
    for (PictureButton* button : buttons_)
        button->ShowReleased();
}

void DayHoursWindow::AddBackground()
{
    auto* background = new QLabel(this);
    background->setObjectName(setup_.controlName + QStringLiteral("_img1"));
    background->setGeometry(rect());
    background->setPixmap(
        QPixmap::fromImage(DayHoursBackground(setup_.picture, setup_.clientSize)));
}

void DayHoursWindow::AddRow(int n, int top)
{
    const DayHoursColumns& at = setup_.columns;
    const QString& name = setup_.controlName;
    const QString number = QString::number(n);
    DayHoursRow row{
        .name = Named(new QLabel(setup_.designCaptions.value(n - 1), this),
                      QStringLiteral("lb_") + name + number),
        .working = Named(new QCheckBox(this), QStringLiteral("chk_") + name + number),
        .start = TimeList(this, StartTimeLabels(),
                          QStringLiteral("cmb_") + name + QString::number(2 * n - 1),
                          QRect(at.start, top, at.startWidth, ListHeight)),
        .from = SmallLabel(this, QStringLiteral("부터"), QStringLiteral("lbs") + number,
                           QPoint(at.from, top)),
        .end =
            TimeList(this, EndTimeLabels(), QStringLiteral("cmb_") + name + QString::number(2 * n),
                     QRect(at.end, top, at.endWidth, ListHeight)),
        .to = SmallLabel(this, QStringLiteral("까지"), QStringLiteral("lbe") + number,
                         QPoint(at.to, top)),
        .date = Named(new QLineEdit(this), QStringLiteral("Edit_") + name + number),
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

    connect(row.working, &QCheckBox::toggled, this, [row] { row.FollowWorkingBox(); });
    connect(row.start, &QComboBox::activated, this, [this, n] { StartListClick(n); });
    rows_.push_back(row);
}

void DayHoursWindow::AddButtons()
{
    buttons_ = {
        NewPictureButton(1, DayHoursButton::Save, QRect({SaveButtonLeft, ButtonTop}, ButtonSize),
                         3),
        NewPictureButton(2, DayHoursButton::Reset, QRect({ResetButtonLeft, ButtonTop}, ButtonSize),
                         2),
        NewPictureButton(3, DayHoursButton::Close,
                         QRect(0, setup_.closeBarTop, CloseBarWidth, CloseBarHeight), 4),
    };
}

// The button and its pressed twin, setup_.controlName + "_img" + pressedNumber, at one place.
PictureButton* DayHoursWindow::NewPictureButton(int number, DayHoursButton kind, QRect place,
                                                int pressedNumber)
{
    const QSize size = place.size();
    auto* button = new PictureButton(
        this, [kind, size] { return DayHoursButtonPicture(kind, size, false); }, place,
        [kind, size] { return DayHoursButtonPicture(kind, size, true); }, place);
    button->setObjectName(setup_.buttonName + QString::number(number));
    button->PressedPicture()->setObjectName(setup_.controlName + QStringLiteral("_img") +
                                            QString::number(pressedNumber));
    button->ShowPressesAfter(this, [this] { ResetButtonImages(); });
    connect(button, &PictureButton::Clicked, this, [this, button] { ButtonClick(button); });
    return button;
}
