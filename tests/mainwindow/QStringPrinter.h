// Lets GoogleTest print Qt strings readably in failure messages.
#pragma once

#include <QString>
#include <QStringList>

#include <ostream>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString &s, std::ostream *os)
{
    *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QStringList &list, std::ostream *os)
{
    *os << '{' << list.join(QStringLiteral(", ")).toStdString() << '}';
}
QT_END_NAMESPACE
