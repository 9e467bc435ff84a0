#pragma once

#include <QDialog>
#include <memory>

class Dive;
class QAction;
class QLabel;
class QPushButton;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;

// Saves the simulated dive into a logbook of the current model code, picked in the tree or created
// here. The dive is written in one transaction; a logbook is created or deleted at once. After a
// confirmed save `bOk` is True and the other results name the stored dive; a write the logbook
// refuses is reported and leaves the dialog open with the results as they were.
class frmSimulatorSave : public QDialog {
    Q_OBJECT

public:
    explicit frmSimulatorSave(QWidget* parent = nullptr);
    ~frmSimulatorSave() override;

    bool bOk = false;
    QString logbookID;
    QString diveID;
    QString diveLabel;

    void setCurrentDive(std::shared_ptr<Dive> dive) { m_simDive = std::move(dive); }
    std::shared_ptr<Dive> getCurrentDive() const { return m_simDive; }

    void btnOk_Click();
    void btnCancel_Click();
    void Toolbar1_ButtonClick(const QString& key);
    void tvTreeView_NodeClick(QTreeWidgetItem* node);

    QTreeWidgetItem* node(const QString& key) const;
    QAction* button(const QString& key) const;
    static QString keyOf(const QTreeWidgetItem* node);

    // The logbook created last with NEW, kept for the whole run: its node may be deleted in a later
    // showing as long as it holds no dive.
    static QString newLogbookKey;

    QLabel* Label1;
    QLabel* Image1;
    QToolBar* Toolbar1;
    QTreeWidget* tvTreeView;
    QPushButton* btnOk;
    QPushButton* btnCancel;

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildControls();
    void placeOverMainWindow();
    void loadLogbookTree();
    void newLogbook();
    void deleteLogbook();

    std::shared_ptr<Dive> m_simDive;
    bool m_saving = false;
};
