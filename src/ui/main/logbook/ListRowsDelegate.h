#pragma once

#include <QHash>
#include <QPair>
#include <QSize>
#include <QString>
#include <QStyledItemDelegate>

// The delegate of the List tab's report views. Sizing a column to its contents asks for the size
// of up to a thousand of its cells, each laid out anew; a column's texts repeat (a diver, a site,
// a mode), so while the columns are fitted each text of a column is laid out once. A cell with a
// picture, which can differ from row to row, is always laid out. The rows' models give no font,
// alignment or size of their own.
//
//     list->setItemDelegate(new ListRowsDelegate(list));
//     { ListRowsDelegate::Fit fit(list); list->resizeColumnToContents(2); }
class ListRowsDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // Sizes are kept from its making to its end, when the view's delegate is a ListRowsDelegate:
    // the view's font and style do not change in between.
    class Fit {
    public:
        explicit Fit(const QAbstractItemView* view);
        ~Fit();
        Fit(const Fit&) = delete;
        Fit& operator=(const Fit&) = delete;

    private:
        ListRowsDelegate* m_delegate;
    };

private:
    bool m_fitting = false;
    mutable QHash<QPair<int, QString>, QSize> m_sizes;
};
