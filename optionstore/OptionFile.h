// Values of an XML options file, keyed by the path of element names below the root
// element joined with backslashes: <config><product><version>1.0</version></product></config>
// gives "product\version" = "1.0".
#pragma once

#include <QHash>
#include <QString>

class OptionFile {
public:
    // Replaces the values with the file's; false (and no values) when the file cannot be
    // read or is not well-formed XML.
    bool load(const QString &path);
    bool contains(const QString &key) const { return m_values.contains(key); }
    QString value(const QString &key) const { return m_values.value(key); }

private:
    QHash<QString, QString> m_values;
};
