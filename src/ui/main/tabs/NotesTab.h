#pragma once

#include <QGroupBox>
#include <QList>
#include <functional>
#include <memory>

class DiveDataControl;
class QAction;
class QPrinter;
class QTextDocument;
class QTextEdit;
class QToolBar;

// The Notes tab of the dive tabs: the dive's notes as formatted text, edited in place and kept in
// the data control's current row (column MEMO, as HTML) until the row is saved, with a toolbar for
// bold, italic, underline, alignment, font, colour and printing.
class NotesTab : public QGroupBox {
    Q_OBJECT
public:
    // The tab shows and edits the current row of `dataControl`, following it as it moves.
    explicit NotesTab(DiveDataControl* dataControl, QWidget* parent = nullptr);

    // Shows the notes of the data control's current row; empty and read-only without one.
    void fill();

    // "RTF_BOLD", "RTF_ITALIC", "RTF_UNDERLINE", "RTF_LEFT", "RTF_CENTER", "RTF_RIGHT", "RTF_FONT",
    // "RTF_COLOR", "RTF_PRINT"; any other key does nothing, and so do the format keys while the notes
    // are read-only (no row, or a logbook that cannot be written).
    void tlbNotes_ButtonClick(const QString& key);

    // What a print prints: the selection, or all the notes when nothing is selected.
    std::unique_ptr<QTextDocument> printableNotes() const;

    // The printer dialog: sets up the printer and answers false when cancelled. `selection` offers
    // the selection as the range to print. Tests replace it.
    std::function<bool(QPrinter& printer, bool selection)> printDialog;

    QToolBar* tlbNotes;
    QTextEdit* txtNotes;

private:
    void notesEdited();
    void print();

    DiveDataControl* m_data;
    // Every button but Print: they change the notes.
    QList<QAction*> m_formatButtons;
    bool m_filling = false;
};
