#pragma once

// The busy pointer over a long piece of work: shown by start() (or at once
// when constructed started), the normal pointer back by release() or when
// the object goes out of scope.
class BusyCursor
{
public:
    explicit BusyCursor(bool started = false);
    ~BusyCursor();
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

    void start();
    void release();

private:
    bool m_active = false;
};
