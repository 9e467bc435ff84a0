#pragma once

#include "DisplayTissue.h"
#include "DiveComputerFace.h"
#include "DiveGraph.h"

#include <QList>
#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <memory>

// A face that writes down every call a host makes, with what the host's graph and tissue display
// held at that moment, so that a test reads the order of a whole show sequence from one list.
// Profiles are named P1, P2... in the order the log first meets them, "-" for none:
//   "addProfile P2 | graph P1, tissue P1, marker 7"
class RecordingFace : public DiveComputerFace {
public:
    RecordingFace(QWidget* parent, QStringList* log) : m_widget(new QWidget(parent)), m_log(log) {
        m_widget->resize(265, 322);
    }
    void watch(const DiveGraph* graph, const DisplayTissue* tissue) {
        m_graph = graph;
        m_tissue = tissue;
    }
    QWidget* widget() override { return m_widget; }
    void addProfile(std::shared_ptr<Profile> profile) override {
        m_profile = std::move(profile);
        write(QStringLiteral("addProfile ") + name(m_profile.get()));
    }
    void setIcon(qint16 ascentIcon, qint16 decoStopIcon) override {
        write(QStringLiteral("setIcon %1 %2").arg(ascentIcon).arg(decoStopIcon));
    }
    void updateDisplay(qint16 step) override { write(QStringLiteral("updateDisplay %1").arg(step)); }

private:
    QString name(const Profile* profile) {
        if (!profile)
            return QStringLiteral("-");
        if (!m_seen.contains(profile))
            m_seen.append(profile);
        return QStringLiteral("P%1").arg(m_seen.indexOf(profile) + 1);
    }
    void write(const QString& call) {
        QString state;
        if (m_graph && m_tissue)
            state = QStringLiteral(" | graph %1, tissue %2, marker %3")
                        .arg(name(m_graph->profile().get()), name(m_tissue->currentProfile().get()))
                        .arg(m_graph->getCurrentDiverPosition());
        m_log->append(call + state);
    }

    QPointer<QWidget> m_widget;
    QStringList* m_log;
    const DiveGraph* m_graph = nullptr;
    const DisplayTissue* m_tissue = nullptr;
    std::shared_ptr<Profile> m_profile;
    QList<const Profile*> m_seen;
};
