#include "DiveDataControl.h"
#include "LogbookFixture.h"
#include "NotesTab.h"
#include "ReadOnlyFolder.h"
#include "TestEnvironment.h"

#include <QAction>
#include <QPrinter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolBar>
#include <QtTest>

namespace {
enum class Logbook { Writable, ReadOnly };

// Two dives with notes and one without, the data control on them and the tab following it.
struct Notes {
    explicit Notes(Logbook kind = Logbook::Writable) {
        env.storeSetting(QStringLiteral("Language"), QStringLiteral("0"));
        env.restart();
        const qint32 logbook = fixture.logbook(QStringLiteral("Reef"), 1);
        formatted = fixture.dive(logbook, at(2004, 3, 5),
                                 {{QStringLiteral("MEMO"), QStringLiteral("<p>A <b>big</b> grouper</p>")}});
        plain = fixture.dive(logbook, at(2004, 3, 6), {{QStringLiteral("MEMO"), QStringLiteral("Cold\nGreen water")}});
        none = fixture.dive(logbook, at(2004, 3, 7));
        if (kind == Logbook::ReadOnly) {
            fixture.db.close();
            lock = std::make_unique<ReadOnlyFolder>(env.folder());
        }
        data.setDatabaseName(Settings::instance().databaseName());
        data.setRecordSource(QStringLiteral("SELECT * FROM DIVE ORDER BY [DATETIME] DESC"));
        data.refresh();
        tab = std::make_unique<NotesTab>(&data);
        tab->show();
    }
    void click(const char* key) {
        for (QAction* button : tab->tlbNotes->actions()) {
            if (button->property("key").toString() == QLatin1String(key))
                button->trigger();
        }
    }
    // Selects the characters from `from` up to `to` of the notes.
    void select(int from, int to) {
        QTextCursor cursor = tab->txtNotes->textCursor();
        cursor.setPosition(from);
        cursor.setPosition(to, QTextCursor::KeepAnchor);
        tab->txtNotes->setTextCursor(cursor);
    }
    // Every toolbar button but Print.
    QList<QAction*> formatButtons() const {
        QList<QAction*> buttons;
        for (QAction* button : tab->tlbNotes->actions()) {
            const QString key = button->property("key").toString();
            if (!key.isEmpty() && key != QLatin1String("RTF_PRINT"))
                buttons.append(button);
        }
        return buttons;
    }
    QTextCharFormat formatAt(int position) {
        QTextCursor cursor(tab->txtNotes->document());
        cursor.setPosition(position);
        return cursor.charFormat();
    }

    TestEnvironment env;
    LogbookFixture fixture;
    std::unique_ptr<ReadOnlyFolder> lock;
    DiveDataControl data;
    std::unique_ptr<NotesTab> tab;
    qint32 formatted = 0, plain = 0, none = 0;
};
} // namespace

class tst_NotesTab : public QObject {
    Q_OBJECT
private slots:
    void followsTheDataControl();
    void withoutARowNothingCanBeTyped();
    void readOnlyLogbookCannotBeFormatted();
    void typedNotesAreKeptAsHtml();
    void emptiedNotesStoreNull();
    void styleToggles_data();
    void styleToggles();
    void alignment_data();
    void alignment();
    void fontAndColour();
    void cancelledDialogsChangeNothing();
    void printableNotes_data();
    void printableNotes();
    void printCancelledOrDone();
};

void tst_NotesTab::followsTheDataControl() {
    Notes n;
    QVERIFY(n.data.moveToDive(n.formatted));
    QCOMPARE(n.tab->txtNotes->toPlainText(), QStringLiteral("A big grouper"));
    QVERIFY(n.formatAt(4).fontWeight() >= QFont::Bold);
    QVERIFY(!n.tab->txtNotes->isReadOnly());
    for (QAction* button : n.formatButtons())
        QVERIFY2(button->isEnabled(), qPrintable(button->objectName()));
    // Text kept without markup keeps its line breaks.
    QVERIFY(n.data.moveToDive(n.plain));
    QCOMPARE(n.tab->txtNotes->toPlainText(), QStringLiteral("Cold\nGreen water"));
    QVERIFY(n.data.moveToDive(n.none));
    QCOMPARE(n.tab->txtNotes->toPlainText(), QString());
    QVERIFY(!n.data.hasPendingEdits()); // showing is not editing
}

void tst_NotesTab::withoutARowNothingCanBeTyped() {
    Notes n;
    QVERIFY(!n.data.hasCurrentRow());
    QVERIFY(n.tab->txtNotes->isReadOnly());
    QVERIFY(n.tab->txtNotes->toPlainText().isEmpty());
    QCOMPARE(n.formatButtons().size(), 8);
    for (QAction* button : n.formatButtons())
        QVERIFY2(!button->isEnabled(), qPrintable(button->objectName()));
}

void tst_NotesTab::readOnlyLogbookCannotBeFormatted() {
    Notes n(Logbook::ReadOnly);
    if (!n.lock->ok())
        QSKIP("this file system cannot make a folder read-only");
    QVERIFY(n.data.isReadOnly());
    QVERIFY(n.data.moveToDive(n.formatted));
    QVERIFY(n.tab->txtNotes->isReadOnly());
    const QList<QAction*> buttons = n.formatButtons();
    QCOMPARE(buttons.size(), 8);
    for (QAction* button : buttons)
        QVERIFY2(!button->isEnabled(), qPrintable(button->objectName()));
    QAction* print = n.tab->tlbNotes->findChild<QAction*>(QStringLiteral("tlbNotes_RTF_PRINT"));
    QVERIFY(print && print->isEnabled()); // reading is still allowed

    const QString shown = n.tab->txtNotes->toHtml();
    n.env.fakes.fileDialogs->fonts.enqueue(QFont(QStringLiteral("DejaVu Sans"), 18));
    n.env.fakes.fileDialogs->colors.enqueue(QColor(200, 0, 0));
    n.select(0, 5);
    for (QAction* button : buttons) {
        button->trigger();
        n.tab->tlbNotes_ButtonClick(button->property("key").toString());
    }
    for (const QKeyCombination key : {Qt::CTRL | Qt::Key_B, Qt::CTRL | Qt::Key_I, Qt::CTRL | Qt::Key_U})
        QTest::keyClick(n.tab->txtNotes, key.key(), key.keyboardModifiers());
    QCOMPARE(n.tab->txtNotes->toHtml(), shown);
    QVERIFY(!n.data.hasPendingEdits());
    QVERIFY(n.env.fakes.message->shown.isEmpty());
}

void tst_NotesTab::typedNotesAreKeptAsHtml() {
    Notes n;
    QVERIFY(n.data.moveToDive(n.none));
    QTest::keyClicks(n.tab->txtNotes, QStringLiteral("Manta at the cleaning station"));
    n.select(0, 5);
    n.click("RTF_BOLD");
    QVERIFY(n.data.hasPendingEdits());
    n.data.updateRecord();
    const QString stored = n.fixture.column(n.none, QStringLiteral("MEMO")).toString();
    QVERIFY(Qt::mightBeRichText(stored));

    // Read back as the next showing of the dive reads it.
    QVERIFY(n.data.moveToDive(n.plain));
    QVERIFY(n.data.moveToDive(n.none));
    QCOMPARE(n.tab->txtNotes->toPlainText(), QStringLiteral("Manta at the cleaning station"));
    QVERIFY(n.formatAt(3).fontWeight() >= QFont::Bold);
    QVERIFY(n.formatAt(8).fontWeight() < QFont::Bold);
}

void tst_NotesTab::emptiedNotesStoreNull() {
    Notes n;
    QVERIFY(n.data.moveToDive(n.plain));
    n.tab->txtNotes->selectAll();
    QTest::keyClick(n.tab->txtNotes, Qt::Key_Delete);
    n.data.updateRecord();
    QVERIFY(n.fixture.column(n.plain, QStringLiteral("MEMO")).isNull());
}

void tst_NotesTab::styleToggles_data() {
    QTest::addColumn<QString>("key");
    QTest::newRow("bold") << "RTF_BOLD";
    QTest::newRow("italic") << "RTF_ITALIC";
    QTest::newRow("underline") << "RTF_UNDERLINE";
}

void tst_NotesTab::styleToggles() {
    QFETCH(QString, key);
    Notes n;
    QVERIFY(n.data.moveToDive(n.plain));
    const auto styled = [&](int position) {
        const QTextCharFormat f = n.formatAt(position);
        if (key == QLatin1String("RTF_BOLD"))
            return f.fontWeight() >= QFont::Bold;
        if (key == QLatin1String("RTF_ITALIC"))
            return f.fontItalic();
        return f.fontUnderline();
    };
    n.select(0, 4);
    n.click(key.toLatin1().constData());
    QVERIFY(styled(2));
    QVERIFY(!styled(7)); // outside the selection
    n.click(key.toLatin1().constData());
    QVERIFY(!styled(2));
}

void tst_NotesTab::alignment_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("alignment");
    QTest::newRow("centre") << "RTF_CENTER" << int(Qt::AlignHCenter);
    QTest::newRow("right") << "RTF_RIGHT" << int(Qt::AlignRight);
    QTest::newRow("left") << "RTF_LEFT" << int(Qt::AlignLeft);
}

void tst_NotesTab::alignment() {
    QFETCH(QString, key);
    QFETCH(int, alignment);
    Notes n;
    QVERIFY(n.data.moveToDive(n.plain));
    n.select(0, 2); // in the first paragraph only
    n.click(key.toLatin1().constData());
    const QTextDocument* notes = n.tab->txtNotes->document();
    QCOMPARE(int(notes->firstBlock().blockFormat().alignment() & Qt::AlignHorizontal_Mask), alignment);
    QCOMPARE(int(notes->lastBlock().blockFormat().alignment() & Qt::AlignHorizontal_Mask) == alignment,
             alignment == int(Qt::AlignLeft));
    QVERIFY(n.data.hasPendingEdits());
}

void tst_NotesTab::fontAndColour() {
    Notes n;
    QVERIFY(n.data.moveToDive(n.plain));
    QFont font(QStringLiteral("DejaVu Sans"), 18);
    font.setItalic(true);
    font.setStrikeOut(true);
    n.env.fakes.fileDialogs->fonts.enqueue(font);
    n.env.fakes.fileDialogs->colors.enqueue(QColor(200, 0, 0));
    n.select(0, 4);
    n.click("RTF_FONT");
    n.click("RTF_COLOR");
    const QTextCharFormat f = n.formatAt(2);
    QCOMPARE(f.fontFamilies().toStringList().value(0), QStringLiteral("DejaVu Sans"));
    QCOMPARE(f.fontPointSize(), 18.0);
    QVERIFY(f.fontItalic());
    QVERIFY(f.fontStrikeOut());
    QCOMPARE(f.foreground().color(), QColor(200, 0, 0));
    QVERIFY(n.formatAt(7).foreground().color() != QColor(200, 0, 0));
}

void tst_NotesTab::cancelledDialogsChangeNothing() {
    Notes n;
    QVERIFY(n.data.moveToDive(n.plain));
    n.env.fakes.fileDialogs->colors.enqueue(QColor()); // cancelled
    n.select(0, 4);
    n.click("RTF_FONT"); // nothing queued: cancelled
    n.click("RTF_COLOR");
    QVERIFY(!n.data.hasPendingEdits());
    QVERIFY(n.env.fakes.message->shown.isEmpty());
}

void tst_NotesTab::printableNotes_data() {
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QString>("printed");
    QTest::newRow("a selection prints the selection") << 5 << 10 << "Green";
    QTest::newRow("no selection prints everything") << 3 << 3 << "Cold\nGreen water";
}

void tst_NotesTab::printableNotes() {
    QFETCH(int, from);
    QFETCH(int, to);
    Notes n;
    QVERIFY(n.data.moveToDive(n.plain));
    n.select(from, to);
    QTEST(n.tab->printableNotes()->toPlainText(), "printed");
}

void tst_NotesTab::printCancelledOrDone() {
    Notes n;
    QVERIFY(n.data.moveToDive(n.plain));
    const QString pdf = n.env.folder() + QStringLiteral("notes.pdf");
    bool offeredSelection = true;
    bool accept = false;
    n.tab->printDialog = [&](QPrinter& printer, bool selection) {
        offeredSelection = selection;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return accept;
    };
    n.click("RTF_PRINT");
    QVERIFY(!offeredSelection);
    QVERIFY(!QFile::exists(pdf));

    accept = true;
    n.select(0, 4);
    n.click("RTF_PRINT");
    QVERIFY(offeredSelection);
    QVERIFY(QFileInfo(pdf).size() > 0);
    QVERIFY(!n.env.fakes.busyPointer->busy);
}

QTEST_MAIN(tst_NotesTab)
#include "tst_notestab.moc"
