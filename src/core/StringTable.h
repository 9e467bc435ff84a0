#pragma once

#include <QHash>
#include <QString>

// The string table of the six languages, read once from the program's resources and keyed by
// resource id (string number plus language offset).
class StringTable {
public:
    static const StringTable& instance();

    // "" for an id the table does not hold.
    QString text(qint32 resourceId) const { return m_texts.value(resourceId); }
    bool contains(qint32 resourceId) const { return m_texts.contains(resourceId); }

    // Parses one language file: lines "number<TAB>text", '#' starts a comment line; in the text
    // "\n" is a line break, "\t" a tab and "\\" a backslash.
    static QHash<qint32, QString> parse(const QByteArray& content, qint32 offset);

private:
    StringTable();
    QHash<qint32, QString> m_texts;
};
