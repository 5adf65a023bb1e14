// Helpers shared by the dialog tests: finding controls by name and clicking them.
#pragma once

#include "MessageBoxSeam.h"

#include <QString>
#include <QWidget>

#include <gtest/gtest.h>

#include <ostream>

// Readable failure messages for texts.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

template <typename T>
T *Control(QWidget *form, const char *name)
{
    T *control = form->findChild<T *>(QString::fromLatin1(name));
    EXPECT_NE(control, nullptr) << "no control named " << name;
    return control;
}

// A left click in the middle of the named control, as the user makes it.
void ClickControl(QWidget *form, const char *name);

// The message boxes shown since the last call, and forgets them.
QList<Platform::MessageRecord> TakeMessages();

// Shows the form and waits until it can take the keyboard focus.
void ShowActive(QWidget *form);
