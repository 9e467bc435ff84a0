#pragma once

#include <QDialog>
#include <QString>
#include <memory>

class DownloadDriver;
class DownloadGauge;
class QAction;
class QLabel;
class QPushButton;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;
class SavepointGuard;
class TransactionGuard;

// The dialog that downloads the dives of the dive computer into a logbook of the current model.
// Everything it writes (logbooks created or deleted here, the dives stored) lies in one transaction,
// begun when it loads and committed only once a download has been stored; Cancel or closing it
// without that rolls everything back. A download whose commit fails leaves nothing in it, so that
// the next one is stored and summed up as if it were the first. Should the engine end that
// transaction itself (a write or the commit failed for a full disk), all of it is gone, and a new
// one holds what the dialog writes next. While a download runs, the transaction and its target
// logbook stay as they are: closing, Cancel (but for asking a Kobi transfer to stop), creating and
// deleting logbooks are refused.
//
// Creating it loads it; the opener shows it with exec(), reads bOk and deletes it.
class frmDownLoad : public QDialog {
    Q_OBJECT
public:
    explicit frmDownLoad(QWidget* parent = nullptr);
    ~frmDownLoad() override;

    // True once a download has been stored and committed during this showing.
    bool bOk = false;

    void btnOk_Click();
    void btnCancel_Click();
    // "NEW", "DELETE" or "PREFERENCE".
    void Toolbar1_ButtonClick(const QString& key);
    void tvTreeView_NodeClick(QTreeWidgetItem* node);

    // The tree node with this key ("DC" and the model name, "LB" and a FILE_ID); null when none.
    QTreeWidgetItem* node(const QString& key) const;
    static QString keyOf(const QTreeWidgetItem* node);
    // The toolbar button with this key.
    QAction* button(const QString& key) const;

    // A download (transfer and store) is running.
    bool isDownloading() const { return m_downloading; }
    // Its store step is running.
    bool isStoring() const { return m_storing; }

    QToolBar* Toolbar1;
    QTreeWidget* tvTreeView;
    QLabel* lblTitle;
    QLabel* Label1;
    QLabel* lblPhase;
    DownloadGauge* Gauge1;
    QPushButton* btnOk;
    QPushButton* btnCancel;

protected:
    // The close box and the Escape key come here.
    void reject() override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildControls();
    void centerOverMainWindow();
    void loadTreeView();
    // Reads the logbooks anew, keeping the selection where its logbook is still there.
    void reloadTreeView();
    void runDownload(qint32 fileID);
    // Commits the download; when the commit fails, takes back its attempt's writes.
    void commitDownload(SavepointGuard& attempt);
    // Takes back what a download whose commit failed wrote, the transaction staying open with the
    // logbooks made before it; when that fails, rolls the whole transaction back.
    void takeBackAttempt(SavepointGuard& attempt);
    void newLogbook();
    void deleteLogbook();
    void showPreferences();
    void rollbackTransaction();
    // Makes sure a transaction holds what the dialog writes next; false when the dialog has ended
    // its transaction (committed or cancelled) or a new one cannot be begun (the user is told).
    bool holdTransaction();
    void setDownloading(bool downloading);

    // The dialog's transaction on the default workspace; empty once it has been committed.
    std::unique_ptr<TransactionGuard> downloadWorkspace;
    // The key of the logbook created during this showing; "" when there is none.
    QString createdLogbookKey;
    std::unique_ptr<DownloadDriver> downloadDriver;
    qint32 m_model = 0;
    bool m_downloading = false;
    bool m_storing = false;
    bool m_newEnabledBefore = true;
};
