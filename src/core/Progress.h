#pragma once

#include <QString>

// How a long computation reports its advance. The computation holds a
// Progress and calls start() once with the number of steps it will take,
// step() with the steps done so far, and finish() when it ends (also when it
// fails). A window shows it (ProgressWindow); without one, NullProgress.
class Progress
{
public:
    virtual ~Progress() = default;

    virtual void start(const QString& caption, int total) = 0;
    // `done` counts from 0 to the total given to start().
    virtual void step(int done) = 0;
    virtual void finish() = 0;
};

// Progress that nobody watches.
class NullProgress : public Progress
{
public:
    void start(const QString&, int) override {}
    void step(int) override {}
    void finish() override {}
};

// A shared NullProgress, the default of computations that accept a Progress.
inline Progress& noProgress()
{
    static NullProgress none;
    return none;
}

// Calls finish() when the scope ends, so that a failing computation still
// closes its progress window.
class ProgressScope
{
public:
    ProgressScope(Progress& progress, const QString& caption, int total) : m_progress(progress)
    {
        m_progress.start(caption, total);
    }
    ~ProgressScope() { m_progress.finish(); }
    ProgressScope(const ProgressScope&) = delete;
    ProgressScope& operator=(const ProgressScope&) = delete;

    void step(int done) { m_progress.step(done); }

private:
    Progress& m_progress;
};
