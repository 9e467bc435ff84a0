#pragma once

#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>

// The program's loaded windows, in the order they were loaded. A window registers itself when it
// loads and leaves the list when it is destroyed.
class Forms {
public:
    static void add(QWidget* form);
    static QList<QWidget*> loaded();
};

// True when a loaded window has this object name (exact comparison).
bool isFormLoaded(const QString& formName);
// Shows a window that is open already and brings it in front, with the focus.
void bringForward(QWidget* form);
// Keeps a tool window above all others and shows it without taking the focus.
void setTopMost(QWidget* form);
// Places a dialog over the middle of `over` (the main window), the halves computed in twips with
// integer division; nothing happens while `over` is not shown.
void centerOver(QWidget* form, QWidget* over);
// Centres a window on its screen, the halves computed in twips with integer division.
void centerForm(QWidget* form);

constexpr int TWIPS_PER_PIXEL = 15;
