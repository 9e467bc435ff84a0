#pragma once

#include <QList>
#include <QStringList>
#include <QWidget>

class Dive;
class QToolBar;
class QTreeWidget;

// The Profile Data tab of the dive tabs: the dive's samples as a table (time, depth, deco marks, and
// once a minute the tank pressure and breathing rate of the air-integrated models), with a toolbar
// that copies the table to the clipboard or opens it in the desktop's spreadsheet program. The
// exports take the table as shown.
class ProfileDataTab : public QWidget {
    Q_OBJECT
public:
    explicit ProfileDataTab(QWidget* parent = nullptr);

    // Rebuilds the table from the dive; an empty table without a dive or samples. Reads the model in
    // use and the unit system.
    void fill(const Dive* dive);

    // The table's texts, row by row, as shown.
    QList<QStringList> shownRows() const;

    // "EXP_CLIPBOARD" or "EXP_EXCEL"; any other key does nothing.
    void tlbProfileInfo_ButtonClick(const QString& key);

    QToolBar* tlbProfileInfo;
    QTreeWidget* lvProfileInfo;
};
