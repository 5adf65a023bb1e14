#include "OptionFile.h"

#include <QFile>
#include <QStringList>
#include <QXmlStreamReader>

bool OptionFile::load(const QString &path)
{
    m_values.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    // An options file is a few lines; anything huge is not one.
    if (file.size() > 16 * 1024 * 1024)
        return false;

    QHash<QString, QString> values;
    QXmlStreamReader xml(&file);
    QStringList path_;
    QString text;
    int depth = 0;
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartElement:
            ++depth;
            if (depth > 1)
                path_.append(xml.name().toString());
            text.clear();
            break;
        case QXmlStreamReader::Characters:
            text += xml.text();
            break;
        case QXmlStreamReader::EndElement:
            if (depth > 1) {
                const QString key = path_.join(QLatin1Char('\\'));
                if (!values.contains(key))
                    values.insert(key, text.trimmed());
                path_.removeLast();
            }
            text.clear();
            --depth;
            break;
        default:
            break;
        }
    }
    if (xml.hasError())
        return false;
    m_values = std::move(values);
    return true;
}
