#pragma once

#include "TestEnvironment.h"

#include <memory>

// A clean test world in English under one model code, read when Settings is first used.
inline std::unique_ptr<TestEnvironment> modelEnvironment(int model) {
    auto env = std::make_unique<TestEnvironment>();
    env->storeSetting(QStringLiteral("Language"), QStringLiteral("0"));
    env->storeSetting(QStringLiteral("DiveComputer"), QString::number(model));
    return env;
}
