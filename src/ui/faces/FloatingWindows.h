#pragma once

#include "FloatingDisplays.h"

// The floating face and tissue windows behind the hosts' buttons.
class FloatingWindows : public FloatingDisplays {
public:
    void show(Window window, std::shared_ptr<Profile> profile, qint16 step) override;
    void hide(Window window) override;
    void follow(const Profile* hostProfile, qint16 step) override;
    void followDepth(const Profile* hostProfile, float metres) override;
    void resetFace(const Profile* hostProfile) override;
    void clearTissue(const Profile* hostProfile) override;
    void handOver(const Profile* previous, std::shared_ptr<Profile> profile) override;
    void unloadAll() override;
};
