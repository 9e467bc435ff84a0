#include "ProfileDataTab.h"

#include "FormLocalizer.h"
#include "ProfileExport.h"
#include "TabPictures.h"

#include <QAction>
#include <QHeaderView>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

ProfileDataTab::ProfileDataTab(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frameProfileInfo"));

    tlbProfileInfo = new QToolBar(this);
    tlbProfileInfo->setObjectName(QStringLiteral("tlbProfileInfo"));
    tlbProfileInfo->setIconSize(QSize(20, 20));
    for (const auto& [key, tip] : {QPair{"EXP_CLIPBOARD", "1476"}, QPair{"EXP_EXCEL", "1477"}}) {
        QAction* button = tlbProfileInfo->addAction(TabPictures::toolbarIcon(QLatin1String(key)), QString());
        button->setObjectName(QStringLiteral("tlbProfileInfo_") + QLatin1String(key));
        button->setProperty("key", QLatin1String(key));
        button->setToolTip(QLatin1String(tip));
    }
    connect(tlbProfileInfo, &QToolBar::actionTriggered, this,
            [this](QAction* button) { tlbProfileInfo_ButtonClick(button->property("key").toString()); });

    lvProfileInfo = new QTreeWidget(this);
    lvProfileInfo->setObjectName(QStringLiteral("lvProfileInfo"));
    lvProfileInfo->setProperty("listView", true);
    lvProfileInfo->setRootIsDecorated(false);
    lvProfileInfo->setUniformRowHeights(true);
    lvProfileInfo->setAllColumnsShowFocus(true);
    lvProfileInfo->setSelectionMode(QAbstractItemView::SingleSelection);
    lvProfileInfo->setColumnCount(ProfileExport::COLUMNS);
    const char* const titles[ProfileExport::COLUMNS] = {"1470", "1471", "1472", "1473", "1478", "1479"};
    for (int column = 0; column < ProfileExport::COLUMNS; ++column) {
        lvProfileInfo->headerItem()->setData(column, Qt::UserRole, QLatin1String(titles[column]));
        // Figures stand right, under titles that stand right too.
        if (column > 0)
            lvProfileInfo->headerItem()->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
    }
    // The columns keep their widths: figures stay beside their neighbours on a wide window.
    lvProfileInfo->header()->setStretchLastSection(false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(tlbProfileInfo);
    layout->addWidget(lvProfileInfo, 1);

    localizeForm(this);
    // As wide as the titles ask, in every language, with a little air between the figures.
    for (int column = 0; column < ProfileExport::COLUMNS; ++column)
        lvProfileInfo->setColumnWidth(column, std::max(56, lvProfileInfo->header()->sectionSizeHint(column) + 6));
}

void ProfileDataTab::fill(const Dive* dive) {
    lvProfileInfo->clear();
    const QList<QStringList> rows = ProfileExport::rows(dive);
    QList<QTreeWidgetItem*> items;
    items.reserve(rows.size());
    for (const QStringList& row : rows) {
        auto* item = new QTreeWidgetItem(row);
        for (int column = 1; column < ProfileExport::COLUMNS; ++column)
            item->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
        items.append(item);
    }
    lvProfileInfo->addTopLevelItems(items);
}

QList<QStringList> ProfileDataTab::shownRows() const {
    QList<QStringList> rows;
    rows.reserve(lvProfileInfo->topLevelItemCount());
    for (int i = 0; i < lvProfileInfo->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = lvProfileInfo->topLevelItem(i);
        QStringList row;
        for (int column = 0; column < ProfileExport::COLUMNS; ++column)
            row.append(item->text(column));
        rows.append(row);
    }
    return rows;
}

void ProfileDataTab::tlbProfileInfo_ButtonClick(const QString& key) {
    if (key == QLatin1String("EXP_CLIPBOARD"))
        ProfileExport::copyToClipboard(shownRows());
    else if (key == QLatin1String("EXP_EXCEL"))
        ProfileExport::openInSpreadsheet(shownRows());
}
