#include "FormLocalizer.h"

#include "MainModule.h"
#include "Numeric.h"
#include "RunSkippingFailure.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>

namespace {
const char* const TAG = "tag";

// The string of the number a whole text holds; throws for a text that is not a number.
QString stringOfNumber(const QString& text) {
    return getString(num::textToInt32(text));
}

QMenu* dropDownMenu(QToolBar* toolbar, QAction* action) {
    if (action->menu())
        return action->menu();
    auto* button = qobject_cast<QToolButton*>(toolbar->widgetForAction(action));
    return button ? button->menu() : nullptr;
}

// A toolbar button's drop-down entries keep their numbers in their tags, not in their texts, so they are
// no menu entries here (and a cool band's are not localised at all).
QSet<const QMenu*> dropDownMenus(const QWidget* form) {
    QSet<const QMenu*> menus;
    for (QToolBar* toolbar : form->findChildren<QToolBar*>()) {
        for (QAction* action : toolbar->actions()) {
            if (const QMenu* menu = dropDownMenu(toolbar, action))
                menus.insert(menu);
        }
    }
    return menus;
}

bool isMenuEntry(const QAction* action, const QSet<const QMenu*>& dropDowns) {
    for (const QObject* owner : action->associatedObjects()) {
        if (qobject_cast<const QMenuBar*>(owner))
            return true;
        if (auto* menu = qobject_cast<const QMenu*>(owner); menu && !dropDowns.contains(menu))
            return true;
    }
    return false;
}

void localizeToolbar(QToolBar* toolbar) {
    const bool coolBand = toolbar->property("coolBand").toBool();
    for (QAction* action : toolbar->actions()) {
        if (action->isSeparator())
            continue;
        runSkippingFailure<AnyFailure>([&] { action->setToolTip(stringOfNumber(action->toolTip())); });
        if (coolBand)
            continue;
        QMenu* menu = dropDownMenu(toolbar, action);
        if (!menu)
            continue;
        for (QAction* entry : menu->actions())
            runSkippingFailure<AnyFailure>([&] { entry->setText(stringOfNumber(tagOf(entry))); });
    }
}

void localizeOther(QWidget* control) {
    runSkippingFailure<AnyFailure>([&] {
        const qint32 n = num::toInt32(num::leadingNumber(tagOf(control)));
        if (n <= 0)
            return;
        if (auto* button = qobject_cast<QAbstractButton*>(control))
            button->setText(getString(n));
        else if (auto* frame = qobject_cast<QGroupBox*>(control))
            frame->setTitle(getString(n));
    });
    runSkippingFailure<AnyFailure>([&] {
        const qint32 n = num::toInt32(num::leadingNumber(control->toolTip()));
        if (n > 0)
            control->setToolTip(getString(n));
    });
}
} // namespace

void setTag(QObject* control, const QString& tag) {
    control->setProperty(TAG, tag);
}

QString tagOf(const QObject* control) {
    return control->property(TAG).toString();
}

void localizeForm(QWidget* form) {
    if (!form)
        return;
    runSkippingFailure<AnyFailure>([&] { form->setWindowTitle(stringOfNumber(tagOf(form))); });
    runSkippingFailure<AnyFailure>([&] {
        const QString name = getString(20);
        if (!name.isEmpty()) {
            QFont font = form->font();
            font.setFamily(name);
            form->setFont(font);
        }
    });
    runSkippingFailure<AnyFailure>([&] {
        const QString size = getString(21);
        if (!size.isEmpty()) {
            QFont font = form->font();
            font.setPointSizeF(num::textToInt16(size));
            form->setFont(font);
        }
    });

    const QSet<const QMenu*> dropDowns = dropDownMenus(form);
    for (QAction* action : form->findChildren<QAction*>()) {
        if (isMenuEntry(action, dropDowns) && !action->isSeparator())
            runSkippingFailure<AnyFailure>([&] { action->setText(stringOfNumber(action->text().left(4))); });
    }

    for (QWidget* control : form->findChildren<QWidget*>()) {
        if (qobject_cast<QMenu*>(control) || qobject_cast<QMenuBar*>(control))
            continue;
        if (auto* label = qobject_cast<QLabel*>(control)) {
            runSkippingFailure<AnyFailure>([&] { label->setText(stringOfNumber(tagOf(label))); });
        } else if (auto* tabs = qobject_cast<QTabWidget*>(control)) {
            for (int i = 0; i < tabs->count(); ++i)
                runSkippingFailure<AnyFailure>([&] { tabs->setTabText(i, stringOfNumber(tabs->tabText(i).left(4))); });
        } else if (auto* tabBar = qobject_cast<QTabBar*>(control)) {
            if (qobject_cast<QTabWidget*>(tabBar->parentWidget()))
                continue; // the pages of a QTabWidget are done with it
            for (int i = 0; i < tabBar->count(); ++i) {
                runSkippingFailure<AnyFailure>(
                    [&] { tabBar->setTabText(i, stringOfNumber(tabBar->tabData(i).toString())); });
                runSkippingFailure<AnyFailure>(
                    [&] { tabBar->setTabToolTip(i, stringOfNumber(tabBar->tabToolTip(i))); });
            }
        } else if (auto* toolbar = qobject_cast<QToolBar*>(control)) {
            localizeToolbar(toolbar);
        } else if (auto* list = qobject_cast<QTreeView*>(control);
                   list && list->property("listView").toBool() && list->model()) {
            QAbstractItemModel* rows = list->model();
            for (int column = 0; column < rows->columnCount(); ++column)
                runSkippingFailure<AnyFailure>([&] {
                    const QString number = rows->headerData(column, Qt::Horizontal, Qt::UserRole).toString();
                    rows->setHeaderData(column, Qt::Horizontal, stringOfNumber(number));
                });
        } else if (qobject_cast<QToolButton*>(control) && control->parentWidget() &&
                   qobject_cast<QToolBar*>(control->parentWidget())) {
            continue; // toolbar buttons are done with their toolbar; a list or box placed on one is not
        } else {
            localizeOther(control);
        }
    }
}
