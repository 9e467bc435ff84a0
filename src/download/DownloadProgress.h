#pragma once

// The download dialog's progress bar as the drivers move it.
class DownloadProgress {
public:
    virtual ~DownloadProgress() = default;
    virtual void setMax(int max) = 0;
    virtual int max() const = 0;
    virtual void setMin(int min) = 0;
    virtual int min() const = 0;
    virtual void setValue(int value) = 0;
    virtual int value() const = 0;
};
