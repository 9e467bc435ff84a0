#include "StringTable.h"

#include <QFile>

namespace {
struct LanguageFile {
    const char* name;
    qint32 offset;
};
constexpr LanguageFile languageFiles[] = {{"it", 0},     {"en", 10000}, {"fr", 20000},
                                          {"de", 30000}, {"pt", 40000}, {"es", 50000}};

QString unescape(QStringView text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\\' && i + 1 < text.size()) {
            const QChar next = text[++i];
            if (next == u'n')
                out += u'\n';
            else if (next == u't')
                out += u'\t';
            else
                out += next;
        } else {
            out += text[i];
        }
    }
    return out;
}
} // namespace

const StringTable& StringTable::instance() {
    static const StringTable table;
    return table;
}

StringTable::StringTable() {
    for (const LanguageFile& language : languageFiles) {
        QFile file(QStringLiteral(":/strings/%1.txt").arg(QLatin1String(language.name)));
        if (file.open(QIODevice::ReadOnly))
            m_texts.insert(parse(file.readAll(), language.offset));
    }
}

QHash<qint32, QString> StringTable::parse(const QByteArray& content, qint32 offset) {
    QHash<qint32, QString> texts;
    const QString all = QString::fromUtf8(content);
    for (QStringView line : QStringView(all).split(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const qsizetype tab = line.indexOf(u'\t');
        if (tab <= 0)
            continue;
        bool ok = false;
        const qint32 number = line.left(tab).toInt(&ok);
        if (ok)
            texts.insert(number + offset, unescape(line.mid(tab + 1)));
    }
    return texts;
}
