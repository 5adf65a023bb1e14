// The application object. Its notify() is the one exception boundary of the event loop: an
// exception that escapes an event handler is shown in a message box and goes no further.
#pragma once

#include <QApplication>

#include <exception>

class MuiApplication : public QApplication {
    Q_OBJECT
public:
    MuiApplication(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;

    // Shows an exception's message as the general error display does.
    static void ShowException(const std::exception &error);
    static void ShowException(const QString &message);
};
