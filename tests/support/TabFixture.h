#pragma once

#include "Dive.h"
#include "TestEnvironment.h"

#include <QLabel>
#include <memory>

// A dive tab of the main window, in English, under a model code and unit system (0 metric, 1 imperial).
template <typename T> struct TabFixture {
    explicit TabFixture(int model, int unit = 0) {
        env.storeSetting(QStringLiteral("Language"), QStringLiteral("0"));
        env.storeSetting(QStringLiteral("DiveComputer"), QString::number(model));
        env.storeSetting(QStringLiteral("MeasureUnit"), QString::number(unit));
        env.restart();
        tab = std::make_unique<T>();
    }
    TestEnvironment env;
    std::unique_ptr<T> tab;
};

inline Dive diveOf(int model, int mode) {
    Dive dive;
    dive.setDiveComputer(model);
    dive.setDiveMode(mode);
    return dive;
}

// A field is shown when its caption is enabled and its value visible.
inline bool shown(const QLabel* caption, const QLabel* value) {
    return caption->isEnabled() && !value->isHidden();
}
