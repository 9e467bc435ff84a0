#include "ListRowsDelegate.h"

#include <QAbstractItemView>

QSize ListRowsDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    if (!m_fitting || index.data(Qt::DecorationRole).isValid())
        return QStyledItemDelegate::sizeHint(option, index);
    const QPair<int, QString> key(index.column(), index.data(Qt::DisplayRole).toString());
    auto size = m_sizes.constFind(key);
    if (size == m_sizes.constEnd())
        size = m_sizes.insert(key, QStyledItemDelegate::sizeHint(option, index));
    return *size;
}

ListRowsDelegate::Fit::Fit(const QAbstractItemView* view)
    : m_delegate(qobject_cast<ListRowsDelegate*>(view->itemDelegate())) {
    if (m_delegate) {
        m_delegate->m_sizes.clear();
        m_delegate->m_fitting = true;
    }
}

ListRowsDelegate::Fit::~Fit() {
    if (m_delegate) {
        m_delegate->m_fitting = false;
        m_delegate->m_sizes.clear();
    }
}
