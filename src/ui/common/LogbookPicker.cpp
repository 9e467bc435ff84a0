#include "LogbookPicker.h"

#include "Database.h"
#include "DownloadPictures.h"
#include "Logbooks.h"
#include "MainModule.h"
#include "Recordset.h"
#include "Seams.h"

#include <QTreeWidget>

namespace LogbookPicker {

namespace {
constexpr int KEY_ROLE = Qt::UserRole;
}

QString modelName(qint32 code) {
    return code >= -32768 && code <= 32767 ? getDiveComputerName(qint16(code)) : QString();
}

void fill(QTreeWidget* tree, Database& db, qint32 model) {
    const QString name = modelName(model);
    auto* root = new QTreeWidgetItem(tree, {name});
    root->setData(0, KEY_ROLE, QStringLiteral("DC") + name);
    root->setIcon(0, modelNodeIcon(model));

    Recordset rs(db, QStringLiteral("SELECT FILENAME, FILE_ID FROM FILE WHERE DIVE_MODEL = ?"), {model},
                 Recordset::ForwardOnly);
    for (; !rs.eof(); rs.moveNext()) {
        const QString id = rs.value(QStringLiteral("FILE_ID")).toString();
        if (id.trimmed().isEmpty())
            continue;
        addLogbook(tree, rs.value(QStringLiteral("FILENAME")).toString(), QStringLiteral("LB") + id);
    }
    rs.close();
    root->setExpanded(true);
}

QTreeWidgetItem* addLogbook(QTreeWidget* tree, const QString& name, const QString& key) {
    auto* item = new QTreeWidgetItem(tree->topLevelItem(0), {name});
    item->setData(0, KEY_ROLE, key);
    item->setIcon(0, logbookNodeIcon());
    return item;
}

QString askNewName() {
    for (;;) {
        const QString name = Seams::input().ask(getString(1657) + u':', getString(1658), QString());
        QString refusal;
        switch (Logbooks::checkName(name)) {
        case Logbooks::NameCheck::Empty:
            return QString();
        case Logbooks::NameCheck::Accepted:
            return name;
        case Logbooks::NameCheck::TooLong:
            refusal = getString(3012);
            break;
        case Logbooks::NameCheck::InvalidChars:
            refusal = getString(3013) + QStringLiteral(": & ' % *");
            break;
        case Logbooks::NameCheck::Exists:
            refusal = getString(3014);
            break;
        }
        Seams::message().show(refusal, Msg::OkOnly | Msg::Critical, getString(1005));
    }
}

QTreeWidgetItem* selectNew(QTreeWidget* tree, const QString& name, const QString& key) {
    QTreeWidgetItem* item = addLogbook(tree, name, key);
    tree->scrollToItem(item);
    tree->setCurrentItem(item);
    item->setSelected(true);
    return item;
}

QString keyOf(const QTreeWidgetItem* node) {
    return node ? node->data(0, KEY_ROLE).toString() : QString();
}

QTreeWidgetItem* find(const QTreeWidget* tree, const QString& key) {
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        QTreeWidgetItem* root = tree->topLevelItem(i);
        if (keyOf(root) == key)
            return root;
        for (int j = 0; j < root->childCount(); ++j) {
            if (keyOf(root->child(j)) == key)
                return root->child(j);
        }
    }
    return nullptr;
}

} // namespace LogbookPicker
