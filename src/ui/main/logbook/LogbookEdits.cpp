#include "LogbookEdits.h"

#include "CommandFailure.h"
#include "DbError.h"
#include "DiveDataControl.h"
#include "DiveDateText.h"
#include "DiveModule.h"
#include "MainModule.h"
#include "Recordset.h"
#include "RuntimeError.h"
#include "Seams.h"
#include "Settings.h"
#include "SqlDates.h"
#include "TreeNodeKey.h"
#include "Workspace.h"
#include "frmModifyDateTime.h"

#include <QDateEdit>
#include <QLabel>
#include <QTimeEdit>

using TreeNodeKey::Kind;

namespace {
Database openDatabase(const DiveDataControl& data) {
    return Workspace::defaultWorkspace().openDatabase(data.databaseName());
}

// The DATETIME of a dive as stored; invalid when the dive has none or is gone.
QDateTime storedDateTime(const Database& db, qint32 diveID) {
    Recordset rs(db, QStringLiteral("SELECT DATETIME FROM DIVE WHERE DIVE_ID = ?"), {diveID}, Recordset::ForwardOnly);
    return rs.eof() ? QDateTime() : rs.dateTime(QStringLiteral("DATETIME"));
}

void refuse(const QString& text) {
    Seams::message().show(text, Msg::OkOnly | Msg::Critical, getString(1005));
}

} // namespace

LogbookEdits::LogbookEdits(DiveDataControl& data, QWidget* dialogParent) : m_data(data), m_parent(dialogParent) {
    askDateTime = [this](const QString& currentText, const QDateTime& current) -> std::optional<QDateTime> {
        frmModifyDateTime dialog(m_parent);
        dialog.lbl_CurrentDateTime->setText(currentText);
        dialog.DTNewDate->setDate(current.date());
        dialog.DTNewTime->setTime(current.time());
        dialog.exec();
        if (!dialog.bOk)
            return std::nullopt;
        return dialog.newDateTime;
    };
}

void LogbookEdits::showFailure(const char* origin, const char* what, const std::exception& error) const {
    CommandFailure::report(QLatin1String(origin), QLatin1String(what), error);
}

bool LogbookEdits::deleteNode(const QString& key, const QString& nodeText) {
    const Kind kind = TreeNodeKey::kindOf(key);
    if (kind != Kind::Logbook && kind != Kind::Dive)
        return false;
    const qint16 question = kind == Kind::Logbook ? 3032 : 3033;
    const QString text = getStringWithArgs(question, {QStringLiteral("|1"), nodeText});
    if (Seams::message().show(text, Msg::YesNo | Msg::Question, getString(1003)) != Msg::Yes)
        return false;

    try {
        Database db = openDatabase(m_data);
        // The schema deletes a logbook's dives with it.
        if (kind == Kind::Logbook)
            db.execute(QStringLiteral("DELETE FROM FILE WHERE FILE_ID = ?"), {TreeNodeKey::id(key)});
        else
            db.execute(QStringLiteral("DELETE FROM DIVE WHERE DIVE_ID = ?"), {TreeNodeKey::id(key)});
    } catch (const RuntimeError& error) {
        showFailure("mnuLBDelete_click", "Error deleting LogBook or Dive Record", error);
        return false;
    }
    forgetDeletedRows(m_data);
    return true;
}

void LogbookEdits::forgetDeletedRows(DiveDataControl& data) {
    try {
        if (data.hasPendingEdits()) {
            Recordset rs(openDatabase(data), QStringLiteral("SELECT DIVE_ID FROM DIVE WHERE DIVE_ID = ?"),
                         {data.pendingDiveID()}, Recordset::ForwardOnly);
            if (rs.eof())
                data.cancelUpdate();
        }
        data.requery();
    } catch (const RuntimeError&) {
        // The rows stay as they were read; the next rebuild of the tree reads them anew. Edits of a
        // row that is gone can only write nothing.
    }
}

LogbookEdits::Redate LogbookEdits::modifyDiveTime(const QString& nodeText) {
    try {
        m_data.updateRecord();
    } catch (const RuntimeError& error) {
        CommandFailure::reportRefusedEdit(error);
        return {};
    }
    const qint32 diveID = Settings::instance().currentDiveID();
    if (diveID == -1) {
        Seams::message().show(getString(3001), Msg::OkOnly | Msg::Critical, getString(1004));
        return {};
    }

    QDateTime current;
    try {
        current = storedDateTime(openDatabase(m_data), diveID);
        if (!current.isValid())
            throw RuntimeError(DbError::NoCurrentRecord, QStringLiteral("LogbookEdits"),
                               QStringLiteral("No current record."));
    } catch (const RuntimeError& error) {
        showFailure("mnuLBModifyDiveTime_click", "Error updating date/time", error);
        return {};
    }

    const std::optional<QDateTime> chosen = askDateTime(nodeText, current);
    if (!chosen || *chosen == current)
        return {};

    // A dive starts on a whole minute.
    const QDateTime minute(chosen->date(), QTime(chosen->time().hour(), chosen->time().minute()));
    Database db;
    try {
        db = openDatabase(m_data);
        db.execute(QStringLiteral("UPDATE DIVE SET DATETIME = ? WHERE DIVE_ID = ?"),
                   {SqlDates::toStored(minute), diveID});
    } catch (const RuntimeError& error) {
        if (error.number() != DbError::DuplicateKey) {
            showFailure("mnuLBModifyDiveTime_click", "Error updating date/time", error);
            return {};
        }
        refuse(getString(3039));
    }

    Redate outcome;
    outcome.key = TreeNodeKey::dive(diveID);
    try {
        const QDateTime stored = storedDateTime(db.isOpen() ? db : openDatabase(m_data), diveID);
        outcome.text = stored.isValid() ? DiveDateText().text(stored.date(), stored.time()) : QString();
        // The rows are in date order and the current one shows the date: both are read anew.
        m_data.requery();
    } catch (const RuntimeError& error) {
        showFailure("mnuLBModifyDiveTime_click", "Error updating date/time", error);
        return {};
    }
    outcome.apply = true;
    return outcome;
}

bool LogbookEdits::renameLogbook(const QString& key, const QString& newName) {
    if (TreeNodeKey::kindOf(key) != Kind::Logbook)
        return false;
    // Every test runs, so that the user learns everything wrong with the name at once.
    bool refused = false;
    const QString trimmed = newName.trimmed();
    if (trimmed.isEmpty())
        refused = true;
    if (trimmed.size() > MAX_NAME_LENGTH) {
        refuse(getString(3012));
        refused = true;
    }
    if (DiveModule::hasInvalidChars(newName)) {
        refuse(getString(3013) + QStringLiteral(": & ' % *"));
        refused = true;
    }
    try {
        if (DiveModule::logbookExists(newName)) {
            refuse(getString(3014));
            refused = true;
        }
        if (refused)
            return false;
        Database db = openDatabase(m_data);
        db.execute(QStringLiteral("UPDATE FILE SET FILENAME = ? WHERE FILE_ID = ?"), {newName, TreeNodeKey::id(key)});
    } catch (const RuntimeError& error) {
        if (error.number() == DbError::FieldTooSmall)
            CommandFailure::reportRefusedEdit(error);
        else
            showFailure("mnuLBModifyDiveTime_click", "Error updating node label", error);
        return false;
    }
    return true;
}
