#include "Application.h"

#include "Convert.h"
#include "MessageBox.h"

MuiApplication::MuiApplication(int &argc, char **argv) : QApplication(argc, argv) {}

bool MuiApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const Platform::EConvertError &error) {
        ShowException(error.message());
    } catch (const std::exception &error) {
        ShowException(error);
    } catch (...) {
        ShowException(QString());
    }
    return false;
}

void MuiApplication::ShowException(const std::exception &error)
{
    ShowException(QString::fromUtf8(error.what()));
}

void MuiApplication::ShowException(const QString &message)
{
    Platform::ShowMessageBox(nullptr, message, Platform::ApplicationTitle(),
                             Platform::MB_OK | Platform::MB_ICONERROR);
}
