#pragma once

#include "core/program/PictureButton.h"
#include "registration/BasicInfoFields.h"
#include "registration/BasicInfoWindow.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

// The window's child of that type and object name, as a test finds it; a failure when missing.
template <class Child> Child* Find(const QObject& window, const char* objectName)
{
    auto* child = window.findChild<Child*>(QString::fromLatin1(objectName));
    EXPECT_NE(child, nullptr) << "no " << objectName;
    return child;
}

// The basic-information window's fields, found by their object names.
inline BasicInfoFields FieldsOf(const BasicInfoWindow& window)
{
    return {.pharmacistName = Find<QLineEdit>(window, "pharmacistName"),
            .license = Find<QLineEdit>(window, "license"),
            .birthNumber = Find<QLineEdit>(window, "birthNumber"),
            .pharmacyName = Find<QLineEdit>(window, "pharmacyName"),
            .postalCode1 = Find<QLineEdit>(window, "postalCode1"),
            .postalCode2 = Find<QLineEdit>(window, "postalCode2"),
            .addressLine = Find<QLabel>(window, "addressLine"),
            .detailAddress = Find<QLineEdit>(window, "detailAddress"),
            .pharmacyPhone = Find<QLineEdit>(window, "pharmacyPhone"),
            .mobilePhone = Find<QLineEdit>(window, "mobilePhone"),
            .faxNumber = Find<QLineEdit>(window, "faxNumber"),
            .location = Find<QLineEdit>(window, "location"),
            .checkComputer = Find<QCheckBox>(window, "checkComputer")};
}

// Presses the picture button and releases the mouse where the user holds it: over its pressed
// twin when that stands in for it.
inline void Click(PictureButton* button)
{
    const QPoint inside(5, 5);
    QTest::mousePress(button, Qt::LeftButton, {}, inside);
    QWidget* held = button->isVisible() ? static_cast<QWidget*>(button) : button->PressedPicture();
    QTest::mouseRelease(held, Qt::LeftButton, {}, inside);
}
