#pragma once

#include <QObject>
#include <QString>
#include <stdexcept>

// The control of that type and object name inside the window, as the user meets it. A missing
// one stops the test with its name.
template <class Control> Control* Find(const QObject& window, const QString& name)
{
    auto* const control = window.findChild<Control*>(name);
    if (control == nullptr)
        throw std::runtime_error("no control named " + name.toStdString());
    return control;
}
