#pragma once

#include "core/Progress.h"

#include <QList>
#include <QString>

// Records what a computation reports of its advance.
struct RecordedProgress : Progress {
    QString caption;
    int total = -1;
    QList<int> steps;
    int finished = 0;
    void start(const QString& c, int t) override
    {
        caption = c;
        total = t;
    }
    void step(int done) override { steps << done; }
    void finish() override { ++finished; }
};
