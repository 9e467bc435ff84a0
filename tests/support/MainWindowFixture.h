#pragma once

#include "LogbookFixture.h"
#include "StartUp.h"
#include "TestEnvironment.h"
#include "TreeNodeKey.h"
#include "WindowHelpers.h"
#include "frmMain.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>
#include <QTreeWidgetItem>
#include <QtTest>
#include <functional>

// A logbook database and the main window on it, in English; the window is unloaded at the end as
// the program unloads it.
struct MainWindowFixture {
    explicit MainWindowFixture(int model = 1) {
        env.storeSetting(QStringLiteral("Language"), QStringLiteral("0"));
        env.storeSetting(QStringLiteral("DiveComputer"), QString::number(model));
        env.restart();
    }
    ~MainWindowFixture() {
        // Unloading commits what a case left pending: its boxes belong to no case.
        env.fakes.message->failOnUnexpected = false;
        unloadAllForms();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    frmMain* open() {
        window = new frmMain;
        return window;
    }

    void select(const QString& key) { window->tvTreeview_nodeClic(node(key), false); }
    QTreeWidgetItem* node(const QString& key) {
        QTreeWidgetItem* item = window->node(key);
        if (!item)
            qFatal("no tree node %s", qPrintable(key));
        return item;
    }
    static QString dive(qint32 id) { return TreeNodeKey::dive(id); }
    static QString logbook(qint32 id) { return TreeNodeKey::logbook(id); }

    // What the diver types into a field.
    static void type(QLineEdit* field, const QString& text) {
        field->selectAll();
        QTest::keyClicks(field, text);
    }
    // The texts of the message boxes shown so far.
    QStringList messages() const {
        QStringList texts;
        for (const ShownMessage& m : env.fakes.message->shown)
            texts.append(m.text);
        return texts;
    }
    static QStringList childKeys(const QTreeWidgetItem* node) {
        QStringList keys;
        for (int i = 0; i < node->childCount(); ++i)
            keys.append(frmMain::keyOf(node->child(i)));
        return keys;
    }

    TestEnvironment env;
    LogbookFixture fixture;
    QPointer<frmMain> window;
};

// Answers the next modal dialog of type D that opens while this object lives; a dialog that does
// not open leaves `shown` at 0.
template <typename D> class ModalAnswer : public QObject {
public:
    explicit ModalAnswer(std::function<void(D&)> answer) {
        QTimer::singleShot(0, this, [this, answer = std::move(answer)] {
            if (auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget())) {
                ++shown;
                answer(*dialog);
            }
        });
    }
    int shown = 0;
};
