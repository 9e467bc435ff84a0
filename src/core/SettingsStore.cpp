#include "SettingsStore.h"

#include "RuntimeError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringList>

// The file is read and written here line by line, not through QSettings: QSettings decodes a value
// written as "@Variant(...)" into whatever type its bytes name, building objects from untrusted
// bytes (and aborting a process without a display for a GUI type), also when it only rewrites the
// file to store another key. Every value is decimal text to us; anything else reads as missing.

namespace {
const QString applicationTitle = QStringLiteral("S.O.N.A 2");
const QString section = QStringLiteral("[Settings]");
QString g_folder;

QString storeFile() {
    QString folder = g_folder;
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return folder + u'/' + applicationTitle + u'/' + applicationTitle + QStringLiteral(".ini");
}

QStringList readLines() {
    QFile file(storeFile());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    for (QString& line : lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
    }
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

bool isSectionLine(const QString& line) {
    return line.trimmed().startsWith(u'[');
}

// The line range [first, end) of the section's keys; first == -1 when there is no section.
std::pair<qsizetype, qsizetype> sectionRange(const QStringList& lines) {
    qsizetype first = -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (first < 0) {
            if (lines[i].trimmed().compare(section, Qt::CaseInsensitive) == 0)
                first = i + 1;
        } else if (isSectionLine(lines[i])) {
            return {first, i};
        }
    }
    return {first, lines.size()};
}

// The line of the key inside the section, -1 when it has none.
qsizetype keyLine(const QStringList& lines, const QString& key) {
    const auto [first, end] = sectionRange(lines);
    if (first < 0)
        return -1;
    for (qsizetype i = first; i < end; ++i) {
        const qsizetype equals = lines[i].indexOf(u'=');
        if (equals > 0 && lines[i].left(equals).trimmed() == key)
            return i;
    }
    return -1;
}

void writeLines(const QStringList& lines) {
    const QString path = storeFile();
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    bool ok = file.open(QIODevice::WriteOnly);
    if (ok) {
        file.write((lines.join(u'\n') + u'\n').toUtf8());
        ok = file.commit();
    }
    if (!ok)
        throw RuntimeError(SettingsStore::WRITE_FAILED, QStringLiteral("Settings.save"),
                           QStringLiteral("The settings could not be saved to '%1': %2").arg(path, file.errorString()));
}
} // namespace

QString SettingsStore::value(const QString& key, const QString& defaultValue) {
    const QStringList lines = readLines();
    const qsizetype at = keyLine(lines, key);
    if (at < 0)
        return defaultValue;
    QString text = lines[at].mid(lines[at].indexOf(u'=') + 1).trimmed();
    if (text.size() >= 2 && text.startsWith(u'"') && text.endsWith(u'"'))
        text = text.mid(1, text.size() - 2);
    // A serialized value ("@Variant(...)", "@ByteArray(...)") is no text of ours.
    if (text.startsWith(u'@'))
        return defaultValue;
    return text;
}

void SettingsStore::setValue(const QString& key, const QString& value) {
    QStringList lines = readLines();
    const QString line = key + u'=' + value;
    const qsizetype at = keyLine(lines, key);
    if (at >= 0) {
        lines[at] = line;
    } else {
        auto [first, end] = sectionRange(lines);
        if (first < 0) {
            if (!lines.isEmpty())
                lines.append(QString());
            lines.append(section);
            lines.append(line);
        } else {
            while (end > first && lines[end - 1].trimmed().isEmpty())
                --end;
            lines.insert(end, line);
        }
    }
    writeLines(lines);
}

void SettingsStore::remove(const QString& key) {
    QStringList lines = readLines();
    const qsizetype at = keyLine(lines, key);
    if (at < 0)
        return;
    lines.removeAt(at);
    writeLines(lines);
}

void SettingsStore::setLocation(const QString& folder) {
    g_folder = folder;
}

QString SettingsStore::fileName() {
    return storeFile();
}
