#pragma once

#include <QString>

class QObject;
class QWidget;

// Replaces the texts a window was designed with by the strings of the current language.
//
// Where a window keeps the string numbers:
// - the window, labels and any other control: the dynamic property "tag" (caption); any other
//   control may also keep a number at the start of its tool tip;
// - menu entries: the first four characters of the entry's text ("1305 Filter");
// - QTabWidget pages: the first four characters of the page's tab text;
// - a standalone QTabBar: each tab's data (caption) and tab tool tip;
// - QToolBar buttons: the action's tool tip, and the "tag" property of each action of a button's
//   drop-down menu; a toolbar with the property "coolBand" set gets only its tool tips;
// - a list view (QTreeView, QTreeWidget among them) with the property "listView" set: each header
//   column's Qt::UserRole header data.
// A control that cannot be localised is skipped; the others are still done.
void localizeForm(QWidget* form);

// Convenience for windows that build their controls in code.
void setTag(QObject* control, const QString& tag);
QString tagOf(const QObject* control);
