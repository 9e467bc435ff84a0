#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;

// The question whether statistics cover all logbooks of the model or only the current one. The
// answer (StatsScope: ALL_LOGBOOKS, CURRENT_LOGBOOK or CANCELLED) is read with getStatsMode()
// after exec(); "do not show again" stores the setting without the question at once. The close box
// and Escape cancel.
class frmStatsAskForMode : public QDialog {
    Q_OBJECT
public:
    explicit frmStatsAskForMode(QWidget* parent = nullptr);

    // The answer of the last showing in this run; 0 before any.
    qint16 getStatsMode() const { return chosenMode; }

    // The scope of one computation by the statistics setting: asked (over `parent`) when the setting
    // says so and a logbook is selected, else decided without a question.
    static qint16 settleScope(QWidget* parent);

    void btnAllLogbooks_Click();
    void btnCurrentLogbook_Click();
    void btnCancel_Click();

    QLabel* lblTitle;
    QLabel* lblDescription;
    QCheckBox* chkDontShowInFuture;
    QPushButton* btnAllLogbooks;
    QPushButton* btnCurrentLogbook;
    QPushButton* btnCancel;

    void reject() override;

private:
    void confirmChoice();

    // The answer outlives each showing of the dialog, for the whole run.
    static qint16 chosenMode;
};
