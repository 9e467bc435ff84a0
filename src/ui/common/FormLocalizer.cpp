#include "FormLocalizer.h"

#include "MainModule.h"
#include "Numeric.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <functional>

namespace {
const char* const TAG = "tag";

// The string of the number a whole text holds; throws for a text that is not a number.
QString stringOfNumber(const QString& text) {
    return getString(num::textToInt32(text));
}

// Every statement of the localiser stands alone: a failure skips it and the next one runs.
void attempt(const std::function<void()>& statement) {
    try {
        statement();
    } catch (...) {
    }
}

bool isMenuEntry(const QAction* action) {
    for (const QObject* owner : action->associatedObjects()) {
        if (qobject_cast<const QMenu*>(owner) || qobject_cast<const QMenuBar*>(owner))
            return true;
    }
    return false;
}

void localizeToolbar(QToolBar* toolbar) {
    const bool coolBand = toolbar->property("coolBand").toBool();
    for (QAction* action : toolbar->actions()) {
        if (action->isSeparator())
            continue;
        attempt([&] { action->setToolTip(stringOfNumber(action->toolTip())); });
        if (coolBand)
            continue;
        auto* button = qobject_cast<QToolButton*>(toolbar->widgetForAction(action));
        QMenu* menu = action->menu() ? action->menu() : (button ? button->menu() : nullptr);
        if (!menu)
            continue;
        for (QAction* entry : menu->actions())
            attempt([&] { entry->setText(stringOfNumber(tagOf(entry))); });
    }
}

void localizeOther(QWidget* control) {
    attempt([&] {
        const qint32 n = num::toInt32(num::leadingNumber(tagOf(control)));
        if (n <= 0)
            return;
        if (auto* button = qobject_cast<QAbstractButton*>(control))
            button->setText(getString(n));
        else if (auto* frame = qobject_cast<QGroupBox*>(control))
            frame->setTitle(getString(n));
    });
    attempt([&] {
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
    attempt([&] { form->setWindowTitle(stringOfNumber(tagOf(form))); });
    attempt([&] {
        const QString name = getString(20);
        if (!name.isEmpty()) {
            QFont font = form->font();
            font.setFamily(name);
            form->setFont(font);
        }
    });
    attempt([&] {
        const QString size = getString(21);
        if (!size.isEmpty()) {
            QFont font = form->font();
            font.setPointSizeF(num::textToInt16(size));
            form->setFont(font);
        }
    });

    for (QAction* action : form->findChildren<QAction*>()) {
        if (isMenuEntry(action) && !action->isSeparator())
            attempt([&] { action->setText(stringOfNumber(action->text().left(4))); });
    }

    for (QWidget* control : form->findChildren<QWidget*>()) {
        if (qobject_cast<QMenu*>(control) || qobject_cast<QMenuBar*>(control))
            continue;
        if (auto* label = qobject_cast<QLabel*>(control)) {
            attempt([&] { label->setText(stringOfNumber(tagOf(label))); });
        } else if (auto* tabs = qobject_cast<QTabWidget*>(control)) {
            for (int i = 0; i < tabs->count(); ++i)
                attempt([&] { tabs->setTabText(i, stringOfNumber(tabs->tabText(i).left(4))); });
        } else if (auto* tabBar = qobject_cast<QTabBar*>(control)) {
            if (qobject_cast<QTabWidget*>(tabBar->parentWidget()))
                continue; // the pages of a QTabWidget are done with it
            for (int i = 0; i < tabBar->count(); ++i) {
                attempt([&] { tabBar->setTabText(i, stringOfNumber(tabBar->tabData(i).toString())); });
                attempt([&] { tabBar->setTabToolTip(i, stringOfNumber(tabBar->tabToolTip(i))); });
            }
        } else if (auto* toolbar = qobject_cast<QToolBar*>(control)) {
            localizeToolbar(toolbar);
        } else if (auto* list = qobject_cast<QTreeWidget*>(control); list && list->property("listView").toBool()) {
            QTreeWidgetItem* header = list->headerItem();
            for (int column = 0; column < header->columnCount(); ++column)
                attempt(
                    [&] { header->setText(column, stringOfNumber(header->data(column, Qt::UserRole).toString())); });
        } else if (control->parentWidget() && qobject_cast<QToolBar*>(control->parentWidget())) {
            continue; // toolbar buttons are done with their toolbar
        } else {
            localizeOther(control);
        }
    }
}
