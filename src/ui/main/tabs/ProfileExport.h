#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class Dive;
class Profile;

// The profile-data table of a dive and its two exports. One row per stored sample: time, depth in the
// user's unit, the deco and deco-stop marks, and on the air-integrated models the tank pressure and
// breathing rate once a minute. The exports take the rows as the table shows them, so that they
// carry exactly the texts on screen.
class ProfileExport {
public:
    static constexpr int COLUMNS = 6;

    // The six column titles, in the current language.
    static QStringList titles();

    // The rows of a dive; none for a null dive or a dive without samples. Reads the current model
    // code and unit system.
    static QList<QStringList> rows(const Dive* dive);
    // The rows of the dive a profile holds (RuntimeError 91 while it holds none). The table lists
    // the samples as stored, so it needs no computed results and has no step limit.
    static QList<QStringList> rows(const Profile& profile);

    // The title line and one line per row, fields separated by a tab, every line ended by a carriage
    // return alone; the depth gets a leading minus sign.
    static QString clipboardText(const QList<QStringList>& rows);
    // Clears the clipboard and puts the text on it.
    static void copyToClipboard(const QList<QStringList>& rows);

    // Writes the titles and rows to the first worksheet of a new workbook (figures as numbers, the
    // depth negative) and opens it in the desktop's spreadsheet program, under the busy pointer.
    // String 3043 when the workbook cannot be made or no spreadsheet program starts; false then. The
    // workbook is a file in the temporary folder that stays for the user.
    static bool openInSpreadsheet(const QList<QStringList>& rows);
    // Writes the workbook to `path`; false when it cannot be written.
    static bool writeWorkbook(const QList<QStringList>& rows, const QString& path);
};
