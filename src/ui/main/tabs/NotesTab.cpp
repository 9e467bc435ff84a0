#include "NotesTab.h"

#include "CommandFailure.h"
#include "DiveDataControl.h"
#include "FormLocalizer.h"
#include "MainModule.h"
#include "RuntimeError.h"
#include "Seams.h"
#include "TabPictures.h"

#include <QAction>
#include <QPrintDialog>
#include <QPrinter>
#include <QScopedValueRollback>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextEdit>
#include <QToolBar>
#include <QVBoxLayout>

namespace {
const QString MEMO = QStringLiteral("MEMO");
const QString RTF_PRINT = QStringLiteral("RTF_PRINT");
} // namespace

NotesTab::NotesTab(DiveDataControl* dataControl, QWidget* parent) : QGroupBox(parent), m_data(dataControl) {
    setObjectName(QStringLiteral("frameNotes"));
    setTag(this, QStringLiteral("1406"));

    tlbNotes = new QToolBar(this);
    tlbNotes->setObjectName(QStringLiteral("tlbNotes"));
    tlbNotes->setIconSize(QSize(20, 20));
    static const QPair<const char*, const char*> buttons[] = {
        {"RTF_BOLD", "1510"}, {"RTF_ITALIC", "1511"}, {"RTF_UNDERLINE", "1512"},
        {"RTF_LEFT", "1513"}, {"RTF_CENTER", "1514"}, {"RTF_RIGHT", "1515"},
        {"RTF_FONT", "1516"}, {"RTF_COLOR", "1517"},  {"RTF_PRINT", "1518"},
    };
    for (const auto& [key, tip] : buttons) {
        const QString name = QLatin1String(key);
        if (name == QLatin1String("RTF_LEFT") || name == QLatin1String("RTF_FONT") || name == RTF_PRINT)
            tlbNotes->addSeparator();
        QAction* button = tlbNotes->addAction(TabPictures::toolbarIcon(name), QString());
        button->setObjectName(QStringLiteral("tlbNotes_") + name);
        button->setProperty("key", name);
        button->setToolTip(QLatin1String(tip));
        if (name != RTF_PRINT)
            m_formatButtons.append(button);
    }
    connect(tlbNotes, &QToolBar::actionTriggered, this,
            [this](QAction* button) { tlbNotes_ButtonClick(button->property("key").toString()); });

    txtNotes = new QTextEdit(this);
    txtNotes->setObjectName(QStringLiteral("txtNotes"));
    txtNotes->setAcceptRichText(true);
    connect(txtNotes->document(), &QTextDocument::contentsChanged, this, &NotesTab::notesEdited);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tlbNotes);
    layout->addWidget(txtNotes, 1);

    printDialog = [this](QPrinter& printer, bool selection) {
        QPrintDialog dialog(&printer, this);
        dialog.setOption(QAbstractPrintDialog::PrintSelection, selection);
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
        if (selection)
            dialog.setPrintRange(QAbstractPrintDialog::Selection);
        return dialog.exec() == QDialog::Accepted;
    };

    connect(m_data, &DiveDataControl::reposition, this, &NotesTab::fill);
    localizeForm(this);
    setTitle(getString(1406)); // a window localises its own caption only as a child
    fill();
}

void NotesTab::fill() {
    QScopedValueRollback filling(m_filling, true);
    const bool onRow = m_data->hasCurrentRow();
    const QVariant memo = onRow ? m_data->value(MEMO) : QVariant();
    const QString text = memo.toString();
    // Notes kept by other means may be plain text; shown as HTML, their line breaks would be lost.
    if (Qt::mightBeRichText(text))
        txtNotes->setHtml(text);
    else
        txtNotes->setPlainText(text);
    // Notes that cannot be kept cannot be formatted either: a format shown but never stored misleads.
    const bool readOnly = !onRow || m_data->isReadOnly();
    txtNotes->setReadOnly(readOnly);
    for (QAction* button : std::as_const(m_formatButtons))
        button->setEnabled(!readOnly);
    txtNotes->document()->setModified(false);
}

void NotesTab::notesEdited() {
    if (m_filling || !m_data->hasCurrentRow())
        return;
    const QTextDocument* notes = txtNotes->document();
    try {
        // Notes left empty store NULL, as the other fields do.
        m_data->setValue(MEMO, notes->isEmpty() ? QVariant() : QVariant(notes->toHtml()));
    } catch (const RuntimeError& error) {
        // Edits of another dive that the database refused: the same report as when moving on.
        CommandFailure::reportRefusedEdit(error);
    }
}

void NotesTab::tlbNotes_ButtonClick(const QString& key) {
    // A format is applied to the document whatever the box's read-only flag says.
    if (txtNotes->isReadOnly() && key != RTF_PRINT)
        return;
    QTextCharFormat format;
    const QTextCharFormat current = txtNotes->textCursor().charFormat();
    if (key == QLatin1String("RTF_BOLD")) {
        format.setFontWeight(current.fontWeight() >= QFont::Bold ? QFont::Normal : QFont::Bold);
        txtNotes->mergeCurrentCharFormat(format);
    } else if (key == QLatin1String("RTF_ITALIC")) {
        format.setFontItalic(!current.fontItalic());
        txtNotes->mergeCurrentCharFormat(format);
    } else if (key == QLatin1String("RTF_UNDERLINE")) {
        format.setFontUnderline(!current.fontUnderline());
        txtNotes->mergeCurrentCharFormat(format);
    } else if (key == QLatin1String("RTF_LEFT")) {
        txtNotes->setAlignment(Qt::AlignLeft);
    } else if (key == QLatin1String("RTF_CENTER")) {
        txtNotes->setAlignment(Qt::AlignHCenter);
    } else if (key == QLatin1String("RTF_RIGHT")) {
        txtNotes->setAlignment(Qt::AlignRight);
    } else if (key == QLatin1String("RTF_FONT")) {
        QFont font = current.font();
        if (!Seams::fileDialogs().chooseFont(font))
            return;
        // Name, size, bold, italic, underline and strikethrough, as the dialog chose them.
        format.setFont(font);
        txtNotes->mergeCurrentCharFormat(format);
    } else if (key == QLatin1String("RTF_COLOR")) {
        QColor color = current.foreground().color();
        if (!Seams::fileDialogs().chooseColor(color))
            return;
        format.setForeground(color);
        txtNotes->mergeCurrentCharFormat(format);
    } else if (key == RTF_PRINT) {
        print();
    }
}

std::unique_ptr<QTextDocument> NotesTab::printableNotes() const {
    const QTextCursor cursor = txtNotes->textCursor();
    if (!cursor.hasSelection())
        return std::unique_ptr<QTextDocument>(txtNotes->document()->clone());
    auto document = std::make_unique<QTextDocument>();
    document->setDefaultFont(txtNotes->document()->defaultFont());
    QTextCursor(document.get()).insertFragment(cursor.selection());
    return document;
}

void NotesTab::print() {
    QPrinter printer;
    if (!printDialog(printer, txtNotes->textCursor().hasSelection()))
        return;
    BusyGuard busy;
    printableNotes()->print(&printer);
}
