#pragma once

// Finds the texts of a window that a diver cannot read whole, by measuring them in their fonts:
// - a label's or button's text wider or taller than the room its control gives it;
// - a frame's title wider than the frame, a tab's caption wider than its tab;
// - a list column narrower than its title, or columns that need a horizontal scroll in a list whose
//   last column stretches (a table of fixed columns may scroll);
// - an item of a tree or list whose text, beside its icon and past its parents' indentation, is
//   wider than its column or runs out of the view, and items that scroll a view across (a table of
//   fixed columns may scroll: there an item need only fit its column);
// - a text its parents clip, and two visible texts that lie over each other.
// Only what is visible in the window's current state counts: a test shows each page it wants checked.
//
//     const QStringList cuts = CutText::findIn(window);
//     QVERIFY2(cuts.isEmpty(), qPrintable(cuts.join(u'\n')));

#include <QAbstractButton>
#include <QAbstractItemModel>
#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStringList>
#include <QStyle>
#include <QStyleOption>
#include <QStyledItemDelegate>
#include <QTabBar>
#include <QTest>
#include <QTextDocument>
#include <QToolButton>
#include <QTreeView>
#include <QWidget>
#include <QtMath>
#include <functional>
#include <vector>

namespace CutText {

// Controls whose texts another check measures (the faces draw their own): nothing inside is looked at.
using Skip = std::function<bool(const QWidget*)>;

namespace detail {

struct Text {
    const QWidget* control;
    QString text;
    QRect shown; // where the text is drawn, window coordinates
};

inline QString nameOf(const QWidget* control, const QWidget* window) {
    QStringList path;
    for (const QWidget* w = control; w && w != window; w = w->parentWidget()) {
        if (!w->objectName().isEmpty() && !w->objectName().startsWith(QLatin1String("qt_")))
            path.prepend(w->objectName());
    }
    if (path.isEmpty() || path.constLast() != control->objectName())
        path.append(QString::fromLatin1(control->metaObject()->className()));
    return path.join(u'/');
}

inline QString sizeText(const QSize& s) {
    return QStringLiteral("%1 x %2").arg(s.width()).arg(s.height());
}

// The part of `control` that its parents let show, window coordinates.
inline QRect visiblePart(const QWidget* control, const QWidget* window) {
    QRect part(control->mapTo(window, QPoint(0, 0)), control->size());
    for (const QWidget* w = control->parentWidget(); w; w = w->parentWidget()) {
        part &= QRect(w->mapTo(window, QPoint(0, 0)), w->size());
        if (w == window)
            break;
    }
    return part;
}

inline bool isInside(const QWidget* control, const QWidget* window, const Skip& skip) {
    for (const QWidget* w = control; w && w != window; w = w->parentWidget()) {
        if (skip && skip(w))
            return false;
        // A scroll area's content may lie outside on purpose; only its frame is measured.
        if (w->parentWidget() && qobject_cast<const QAbstractScrollArea*>(w->parentWidget()->parentWidget()) &&
            w->parentWidget() == static_cast<const QAbstractScrollArea*>(w->parentWidget()->parentWidget())->viewport())
            return false;
    }
    return control->isVisibleTo(window);
}

inline QSize textSize(const QFont& font, const QString& text, int flags = 0) {
    return QFontMetrics(font).size(flags, text);
}

// How a view and its delegate lay out an item is theirs to say, but protected: these name the two
// members through classes of which no object is ever made.
struct ViewItemLayout : QAbstractItemView {
    using QAbstractItemView::initViewItemOption;
};
struct DelegateItemLayout : QStyledItemDelegate {
    using QStyledItemDelegate::initStyleOption;
};

class Finder {
public:
    Finder(QWidget* window, Skip skip) : m_window(window), m_skip(std::move(skip)) {}

    QStringList run() {
        for (QWidget* control : m_window->findChildren<QWidget*>()) {
            if (!isInside(control, m_window, m_skip))
                continue;
            if (auto* label = qobject_cast<QLabel*>(control))
                checkLabel(label);
            else if (auto* button = qobject_cast<QAbstractButton*>(control))
                checkButton(button);
            else if (auto* box = qobject_cast<QGroupBox*>(control))
                checkGroupBox(box);
            else if (auto* tabs = qobject_cast<QTabBar*>(control))
                checkTabs(tabs);
            else if (auto* header = qobject_cast<QHeaderView*>(control))
                checkHeader(header);
            else if (auto* view = qobject_cast<QAbstractItemView*>(control))
                checkItems(view);
        }
        checkOverlaps();
        return m_found;
    }

private:
    QRect inWindow(const QWidget* control, const QRect& local) const {
        return local.translated(control->mapTo(m_window, QPoint(0, 0)));
    }

    // A text of `need` aligned in `room` (control coordinates): cut when it is wider or taller, or
    // when the control's parents hide part of it.
    void measure(const QWidget* control, const QString& text, const QSize& need, const QRect& room,
                 Qt::Alignment alignment, bool overlapping = true) {
        if (text.trimmed().isEmpty())
            return;
        const QString name = nameOf(control, m_window);
        if (need.width() > room.width() || need.height() > room.height()) {
            m_found.append(QStringLiteral("%1 \"%2\": the text needs %3, the control gives %4")
                               .arg(name, text, sizeText(need), sizeText(room.size())));
            return;
        }
        const QRect shown = inWindow(control, QStyle::alignedRect(control->layoutDirection(), alignment, need, room));
        const QRect visible = visiblePart(control, m_window);
        if (!visible.contains(shown)) {
            m_found.append(QStringLiteral("%1 \"%2\": %3 of the text, only %4 visible")
                               .arg(name, text, sizeText(need), sizeText((visible & shown).size())));
            return;
        }
        if (overlapping)
            m_texts.push_back({control, text, shown});
    }

    void checkLabel(QLabel* label) {
        if (label->text().isEmpty())
            return;
        const int margin = label->margin();
        QRect room = label->contentsRect().adjusted(margin, margin, -margin, -margin);
        const Qt::Alignment align = label->alignment();
        if (label->indent() > 0) {
            if (align & Qt::AlignLeft)
                room.setLeft(room.left() + label->indent());
            else if (align & Qt::AlignRight)
                room.setRight(room.right() - label->indent());
        }
        QSize need;
        const bool rich = label->textFormat() == Qt::RichText ||
                          (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(label->text()));
        if (rich) {
            QTextDocument doc;
            doc.setDefaultFont(label->font());
            doc.setDocumentMargin(0);
            doc.setHtml(label->text());
            if (label->wordWrap())
                doc.setTextWidth(room.width());
            need = QSize(qCeil(label->wordWrap() ? std::min<qreal>(doc.idealWidth(), room.width()) : doc.idealWidth()),
                         qCeil(doc.size().height()));
        } else if (label->wordWrap()) {
            need = QFontMetrics(label->font())
                       .boundingRect(QRect(0, 0, room.width(), 100000), Qt::TextWordWrap, label->text())
                       .size();
        } else {
            need = textSize(label->font(), label->text(), label->buddy() ? Qt::TextShowMnemonic : 0);
        }
        measure(label, label->text(), need, room, align);
    }

    void checkButton(QAbstractButton* button) {
        const QString text = button->text();
        if (text.isEmpty())
            return;
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = text;
        option.icon = button->icon();
        option.iconSize = button->iconSize();
        const QSize need = textSize(button->font(), text, Qt::TextShowMnemonic);
        if (qobject_cast<QPushButton*>(button)) {
            QRect room = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
            if (!option.icon.isNull())
                room.setLeft(room.left() + option.iconSize.width() + 4);
            measure(button, text, need, room, Qt::AlignCenter);
        } else if (qobject_cast<QCheckBox*>(button)) {
            const QRect room = button->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, button);
            measure(button, text, need, room, Qt::AlignLeft | Qt::AlignVCenter);
        } else if (qobject_cast<QRadioButton*>(button)) {
            const QRect room = button->style()->subElementRect(QStyle::SE_RadioButtonContents, &option, button);
            measure(button, text, need, room, Qt::AlignLeft | Qt::AlignVCenter);
        } else if (auto* tool = qobject_cast<QToolButton*>(button)) {
            if (tool->toolButtonStyle() == Qt::ToolButtonTextOnly)
                measure(button, text, need, button->rect().adjusted(2, 2, -2, -2), Qt::AlignCenter);
        } else {
            // The program's own buttons draw their caption in their contents rectangle.
            measure(button, text, need, button->contentsRect(), Qt::AlignLeft | Qt::AlignTop);
        }
    }

    void checkGroupBox(QGroupBox* box) {
        if (box->title().isEmpty())
            return;
        QStyleOptionGroupBox option;
        option.initFrom(box);
        option.text = box->title();
        option.textAlignment = box->alignment();
        option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
        if (box->isCheckable())
            option.subControls |= QStyle::SC_GroupBoxCheckBox;
        option.lineWidth = 1;
        option.features = box->isFlat() ? QStyleOptionFrame::Flat : QStyleOptionFrame::None;
        const QRect label = box->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, box);
        const QSize need = textSize(box->font(), box->title(), Qt::TextShowMnemonic);
        // The style gives the title what it asks for: cut when that runs past the frame's sides.
        const QRect room(label.left(), label.top(), box->width() - label.left() - 1, std::max(label.height(), 0));
        measure(box, box->title(), need, room, Qt::AlignLeft | Qt::AlignVCenter);
    }

    void checkTabs(QTabBar* tabs) {
        for (int i = 0; i < tabs->count(); ++i) {
            if (!tabs->isTabVisible(i))
                continue;
            QStyleOptionTab option;
            option.initFrom(tabs);
            option.rect = tabs->tabRect(i);
            option.text = tabs->tabText(i);
            option.icon = tabs->tabIcon(i);
            option.iconSize = tabs->iconSize();
            option.shape = tabs->shape();
            option.documentMode = tabs->documentMode();
            const QRect room = tabs->style()->subElementRect(QStyle::SE_TabBarTabText, &option, tabs);
            const QSize need = textSize(tabs->font(), option.text, Qt::TextShowMnemonic);
            measure(tabs, option.text, need, room, Qt::AlignCenter, false);
        }
    }

    void checkHeader(QHeaderView* header) {
        if (header->orientation() != Qt::Horizontal || !header->model())
            return;
        const QAbstractItemModel* model = header->model();
        int shownWidth = 0;
        for (int visual = 0; visual < header->count(); ++visual) {
            const int section = header->logicalIndex(visual);
            if (header->isSectionHidden(section) || header->sectionSize(section) == 0)
                continue;
            const QString title = model->headerData(section, Qt::Horizontal, Qt::DisplayRole).toString();
            // A highlighted section draws its title in bold: the header asks for the room that takes,
            // beside its margins.
            const QSize need(title.trimmed().isEmpty() ? 0 : header->sectionSizeHint(section), header->height());
            const QRect room(header->sectionViewportPosition(section), 0, header->sectionSize(section),
                             header->height());
            if (need.width() > room.width())
                m_found.append(QStringLiteral("%1 column %2 \"%3\": the title needs %4 px, the column gives %5")
                                   .arg(nameOf(header, m_window))
                                   .arg(section)
                                   .arg(title)
                                   .arg(need.width())
                                   .arg(room.width()));
            shownWidth += header->sectionSize(section);
        }
        // A list whose last column stretches is meant to show its columns side by side; one that keeps
        // its columns' widths is a table that scrolls on purpose.
        if (header->stretchLastSection() && shownWidth > header->width())
            m_found.append(QStringLiteral("%1: the columns need %2 px, the list shows %3 (a horizontal scroll)")
                               .arg(nameOf(header, m_window))
                               .arg(shownWidth)
                               .arg(header->width()));
    }

    // Each item the view shows or would show on scrolling down (hidden rows and columns, and the
    // children of collapsed items, are not shown), laid out as its delegate draws it.
    void checkItems(QAbstractItemView* view) {
        auto* tree = qobject_cast<QTreeView*>(view);
        auto* list = qobject_cast<QListView*>(view);
        if ((!tree && !list) || !view->model())
            return;
        // A table whose titles show and whose columns keep their widths scrolls on purpose: its items
        // need only fit their columns. Any other view is meant to show its items across.
        const bool scrolls = tree && !tree->isHeaderHidden() && !tree->header()->stretchLastSection();
        const qsizetype before = m_found.size();
        checkItemsUnder(view, tree, list, view->rootIndex(), scrolls);
        // Items that read whole yet are wider than the view still scroll it across.
        if (!scrolls && m_found.size() == before && view->horizontalScrollBar()->isVisibleTo(m_window))
            m_found.append(QStringLiteral("%1: the items need %2 px more than the view shows (a horizontal scroll)")
                               .arg(nameOf(view, m_window))
                               .arg(view->horizontalScrollBar()->maximum()));
    }

    void checkItemsUnder(QAbstractItemView* view, QTreeView* tree, QListView* list, const QModelIndex& parent,
                         bool scrolls) {
        const QAbstractItemModel* model = view->model();
        for (int row = 0; row < model->rowCount(parent); ++row) {
            if ((tree && tree->isRowHidden(row, parent)) || (list && list->isRowHidden(row)))
                continue;
            for (int column = 0; column < model->columnCount(parent); ++column) {
                if (list ? column != list->modelColumn()
                         : tree->isColumnHidden(column) || tree->columnWidth(column) == 0)
                    continue;
                checkItem(view, model->index(row, column, parent), scrolls);
            }
            const QModelIndex first = model->index(row, 0, parent);
            if (tree && tree->isExpanded(first) && model->hasChildren(first))
                checkItemsUnder(view, tree, list, first, scrolls);
        }
    }

    void checkItem(QAbstractItemView* view, const QModelIndex& index, bool scrolls) {
        QStyleOptionViewItem option;
        const auto viewLayout =
            static_cast<void (QAbstractItemView::*)(QStyleOptionViewItem*) const>(&ViewItemLayout::initViewItemOption);
        (view->*viewLayout)(&option);
        option.rect = view->visualRect(index);
        if (auto* delegate = qobject_cast<QStyledItemDelegate*>(view->itemDelegateForIndex(index))) {
            const auto itemLayout =
                static_cast<void (QStyledItemDelegate::*)(QStyleOptionViewItem*, const QModelIndex&) const>(
                    &DelegateItemLayout::initStyleOption);
            (delegate->*itemLayout)(&option, index);
        } else {
            option.text = index.data(Qt::DisplayRole).toString();
            option.features |= QStyleOptionViewItem::HasDisplay;
        }
        if (option.text.trimmed().isEmpty() || option.rect.isEmpty() ||
            option.features.testFlag(QStyleOptionViewItem::WrapText))
            return;
        const QWidget* widget = option.widget ? option.widget : view;
        QStyle* style = widget->style();
        // The style keeps a margin on each side of an item's text, inside the room left by its icon.
        const int textMargin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
        QRect room =
            style->subElementRect(QStyle::SE_ItemViewItemText, &option, widget).adjusted(textMargin, 0, -textMargin, 0);
        if (!scrolls) {
            const QRect across(0, room.top(), view->viewport()->width(), room.height());
            room = room.intersected(across);
        }
        const int need = QFontMetrics(option.font).horizontalAdvance(option.text);
        if (need > room.width()) {
            const QString column = index.column() > 0 ? QStringLiteral(" column %1").arg(index.column()) : QString();
            m_found.append(QStringLiteral("%1%2 item \"%3\": the text needs %4 px, the view gives %5")
                               .arg(nameOf(view, m_window), column, option.text)
                               .arg(need)
                               .arg(std::max(room.width(), 0)));
        }
    }

    void checkOverlaps() {
        for (size_t i = 0; i < m_texts.size(); ++i) {
            for (size_t j = i + 1; j < m_texts.size(); ++j) {
                const Text& a = m_texts[i];
                const Text& b = m_texts[j];
                // A text laid over its own copy is a shadow, drawn so on purpose.
                if (a.control->isAncestorOf(b.control) || b.control->isAncestorOf(a.control) || a.text == b.text)
                    continue;
                const QRect common = a.shown & b.shown;
                if (common.width() > 1 && common.height() > 1)
                    m_found.append(QStringLiteral("%1 \"%2\" and %3 \"%4\" overlap by %5")
                                       .arg(nameOf(a.control, m_window), a.text, nameOf(b.control, m_window), b.text,
                                            sizeText(common.size())));
            }
        }
    }

    QWidget* m_window;
    Skip m_skip;
    QStringList m_found;
    std::vector<Text> m_texts;
};

} // namespace detail

// One line per fault, naming the control, its text and the sizes; empty when every text reads whole.
inline QStringList findIn(QWidget* window, const Skip& skip = {}) {
    return detail::Finder(window, skip).run();
}

// With SONA_SCREENSHOT_DIR set, saves the window as a picture named after the test row and `state`,
// for looking at what a check measured.
inline void saveLook(QWidget* window, const QString& state) {
    const QString dir = qEnvironmentVariable("SONA_SCREENSHOT_DIR");
    if (dir.isEmpty())
        return;
    QString name = QString::fromUtf8(QTest::currentDataTag()) + u'-' + state;
    name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9]+")), QStringLiteral("-"));
    window->grab().save(dir + u'/' + name + QStringLiteral(".png"));
}

} // namespace CutText
